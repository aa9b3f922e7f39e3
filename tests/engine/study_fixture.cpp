#include "study_fixture.h"

#include <QFile>

namespace testing {

using namespace view::memory;

StudyFixture::StudyFixture(const QString &exeDirPath)
    : exePath(exeDirPath.isEmpty() ? exeDir.path() : exeDirPath)
{
    engine::StudyControls c;
    c.window = &window;
    const auto addLabel = [this](const char *name) { return window.addMemLabel(QString::fromLatin1(name)); };
    c.Label1 = addLabel("Label1");
    c.Label2 = addLabel("Label2");
    c.Label3 = addLabel("Label3");
    c.Label4 = addLabel("Label4");
    c.Label11 = addLabel("Label11");
    c.Label12 = addLabel("Label12");
    c.Label13 = addLabel("Label13");
    c.lblQuestion = addLabel("lblQuestion");
    const char *dist[] = {"lblDist1", "lblDist2", "lblDist3", "lblDist4"};
    const char *buttons[] = {"cmdA", "cmdB", "cmdC", "cmdD"};
    for (int i = 0; i < 4; ++i) {
        c.lblDist[std::size_t(i)] = addLabel(dist[i]);
        c.cmdAnswer[std::size_t(i)] = window.addMemButton(QString::fromLatin1(buttons[i]));
    }
    c.Command1 = window.addMemButton(QStringLiteral("Command1"));
    check1 = window.add<MemCheckBox>(QStringLiteral("Check1"));
    check2 = window.add<MemCheckBox>(QStringLiteral("Check2"));
    c.Check1 = check1;
    c.Check2 = check2;
    c.mnuTechnician = window.add<MemMenuItem>(QStringLiteral("mnuTechnician"));
    c.mnuGeneral = window.add<MemMenuItem>(QStringLiteral("mnuGeneral"));
    c.mnuExtra = window.add<MemMenuItem>(QStringLiteral("mnuExtra"));
    timer1 = window.add<MemTimer>(QStringLiteral("Timer1"), 2500);
    c.Timer1 = timer1;
    // Design-time state of the window.
    label(QStringLiteral("Label11"))->m_visible = false;
    label(QStringLiteral("Label12"))->m_text = QStringLiteral("Question Pool:");
    label(QStringLiteral("Label13"))->m_text = QStringLiteral("Effective: ");
    window.add<MemMenuItem>(QStringLiteral("unused")); // keeps the list from being exactly the engine's
    static_cast<MemMenuItem *>(c.mnuTechnician)->m_checked = true;

    engine = std::make_unique<engine::StudyEngine>(c, services, random, sound, exePath, startDir.path());
}

void StudyFixture::writeStartFile(const QString &name, const QByteArray &bytes) const
{
    QFile file(startDir.filePath(name));
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
}

void StudyFixture::writeExamClassFile(const QByteArray &bytes) const
{
    QFile file(exePath + QStringLiteral("/test.txt"));
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
}

QByteArray StudyFixture::examClassFileBytes() const
{
    QFile file(exePath + QStringLiteral("/test.txt"));
    if (!file.open(QIODevice::ReadOnly))
        return "<missing>";
    return file.readAll();
}

void StudyFixture::start()
{
    engine->RecordStartDirectory();
    engine->RestoreExamClass();
}

bool StudyFixture::checked(const QString &name)
{
    return static_cast<MemMenuItem *>(window.find(name))->m_checked;
}

} // namespace testing
