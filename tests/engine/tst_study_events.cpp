// What the engine tells its listeners: the pool loaded, each question shown, first attempts.
#include "study_fixture.h"

#include <QDir>
#include <QTest>

using engine::ExamClass;
using testing::poolText;
using testing::StudyFixture;

namespace {
class Recorder final : public engine::StudyListener
{
public:
    explicit Recorder(StudyFixture &f) : m_f(f) {}
    void poolLoaded(const questions::Pool &pool) override
    {
        events << QStringLiteral("pool %1").arg(pool.questions.size());
    }
    void questionShown(const questions::Question *q) override
    {
        events << QStringLiteral("shown ") + (q ? q->id().toString() : QStringLiteral("none"));
    }
    void firstAttempt(const questions::Question &q, QChar chosen, bool correct, bool hinted) override
    {
        // The feedback is on screen before anyone is told.
        events << QStringLiteral("first %1 %2 %3%4 [%5]")
                      .arg(q.id().toString(), chosen,
                           correct ? QStringLiteral("right") : QStringLiteral("wrong"),
                           hinted ? QStringLiteral(" hinted") : QString(),
                           m_f.text(QStringLiteral("Label11")));
    }
    QStringList events;

private:
    StudyFixture &m_f;
};
} // namespace

class StudyEventsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void listeners_hear_loads_displays_and_first_attempts()
    {
        StudyFixture f;
        Recorder r(f);
        f.engine->addListener(&r);
        QVERIFY(!f.engine->displayedQuestion());
        f.writeStartFile("questech.txt", poolText({"T1A01 (C)", "T1A02 (A)"}));
        f.engine->RecordStartDirectory();
        QVERIFY(f.engine->LoadPool(ExamClass::Technician));
        QCOMPARE(f.engine->pool().questions.size(), 2);
        QCOMPARE(f.engine->displayedQuestion(), &f.engine->pool().questions[0]);

        f.random.draws = {0.0f}; // the hint removes choice A
        f.engine->Hint();
        f.engine->CheckAnswer(u'B');
        f.engine->CheckAnswer(u'C'); // not a first attempt
        f.engine->Next();
        f.engine->CheckAnswer(u'A');
        f.engine->Hint(); // after the answer: the attempt was not hinted
        f.engine->Previous();
        f.engine->Previous();                             // wraps to the last question
        QVERIFY(!f.engine->LoadPool(ExamClass::General)); // no such file
        QVERIFY(f.engine->pool().questions.isEmpty());
        f.engine->CheckAnswer(u'A'); // the old pool's row on display is no question of a pool

        QCOMPARE(r.events, (QStringList{"pool 2", "shown T1A01", "first T1A01 B wrong hinted [Try Again!]",
                                        "shown T1A02", "first T1A02 A right [Correct!]", "shown T1A01",
                                        "shown T1A02", "shown none"}));
    }

    void the_loaded_pool_takes_its_titles_from_the_table_beside_it_data()
    {
        QTest::addColumn<QByteArray>("toc"); // "dir": a folder of that name
        QTest::addColumn<QString>("title");
        QTest::newRow("none") << QByteArray() << "T1A";
        QTest::newRow("titled") << QByteArray("T1\tRULES\t1\nT1A\tPurpose\n") << "Purpose";
        QTest::newRow("binary") << QByteArray("\x89PNG\r\n\x1a\n\0\0T1A", 13) << "T1A";
        QTest::newRow("a folder") << QByteArray("dir") << "T1A";
    }
    void the_loaded_pool_takes_its_titles_from_the_table_beside_it()
    {
        QFETCH(QByteArray, toc);
        QFETCH(QString, title);
        StudyFixture f;
        f.writeStartFile("questech.txt", poolText({"T1A01 (C)"}));
        if (toc == "dir")
            QVERIFY(QDir(f.startDir.path()).mkdir("questech.toc"));
        else if (!toc.isEmpty())
            f.writeStartFile("questech.toc", toc);
        f.engine->RecordStartDirectory();
        QVERIFY(f.engine->LoadPool(ExamClass::Technician));
        QCOMPARE(f.engine->pool().groups.at(0).title, title);
    }
};

QTEST_GUILESS_MAIN(StudyEventsTest)
#include "tst_study_events.moc"
