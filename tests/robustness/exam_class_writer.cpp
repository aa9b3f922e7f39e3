// Saves the exam class into the folder given, alternating T and G for the given number
// of rounds (0: forever). Tests run it under a file-size limit or kill it mid-write.
#include "tests/engine/study_fixture.h"

#include <QCoreApplication>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3)
        return 2;
    testing::StudyFixture f(args[1]);
    const long rounds = args[2].toLong();
    for (long i = 0; rounds == 0 || i < rounds; ++i)
        f.engine->SaveExamClass(i % 2 ? 'G' : 'T');
    return 0;
}
