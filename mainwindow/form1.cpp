// The study window's events: each is routed to the study engine, except the three
// actions of the window itself (the link, Privileges, Help) and File > Exit.
#include "mainwindow/form1.h"

#include "bandplan/band_plan_window.h"
#include "mainwindow/progress_hook.h"
#include "mainwindow/scaling.h"

#include <QCloseEvent>
#include <QDesktopServices>
#include <QUrl>

namespace mainwindow {

QString makerUrl()
{
    return QString::fromUtf8(EXAMORA_MAKER_URL);
}
QString makerHost()
{
    return QUrl(makerUrl()).host();
}

namespace {
// The design's client area and the difference its border, title bar and menu bar made to the outer size.
const QSizeF kClientTwips(9480, 6510);
const QSizeF kDesignDecorationTwips(120, 690);
} // namespace

Form1::Form1(const QString &exeDir) : QtWindow(kClientTwips, kDesignDecorationTwips), m_services(this)
{
    setObjectName(QStringLiteral("Form1"));
    createDesign();

    engine::StudyControls c;
    c.window = this;
    c.Label1 = label(QStringLiteral("Label1"));
    c.Label2 = label(QStringLiteral("Label2"));
    c.Label3 = label(QStringLiteral("Label3"));
    c.Label4 = label(QStringLiteral("Label4"));
    c.Label11 = label(QStringLiteral("Label11"));
    c.Label12 = label(QStringLiteral("Label12"));
    c.Label13 = label(QStringLiteral("Label13"));
    c.lblQuestion = label(QStringLiteral("lblQuestion"));
    for (int i = 0; i < 4; ++i) {
        c.lblDist[std::size_t(i)] = label(QStringLiteral("lblDist%1").arg(i + 1));
        c.cmdAnswer[std::size_t(i)] = button(QStringLiteral("cmd") + QChar(u'A' + i));
    }
    c.Command1 = button(QStringLiteral("Command1"));
    c.Check1 = checkBox(QStringLiteral("Check1"));
    c.Check2 = checkBox(QStringLiteral("Check2"));
    c.mnuTechnician = menuItem(QStringLiteral("mnuTechnician"));
    c.mnuGeneral = menuItem(QStringLiteral("mnuGeneral"));
    c.mnuExtra = menuItem(QStringLiteral("mnuExtra"));
    c.Timer1 = findAs<view::qt::QtTimer>(QStringLiteral("Timer1"));
    m_engine = std::make_unique<engine::StudyEngine>(c, m_services, m_random, m_sound, exeDir);

    routeEvents();
    addProgressMenu();
}

Form1::~Form1() = default;

void Form1::routeEvents()
{
    engine::StudyEngine *e = m_engine.get();
    const auto onClick = [this](const char *name, auto action) {
        connect(button(QString::fromLatin1(name))->widget(), &QPushButton::clicked, this, action);
    };
    onClick("Command1", [e] { e->Next(); });
    onClick("Command2", [e] { e->Previous(); });
    onClick("Command3", [e] { e->Forward20(); });
    onClick("Command4", [e] { e->Back20(); });
    onClick("Command5", [e] { e->RandomQuestion(); });
    onClick("Command6", [e] { e->LeastCorrect(); });
    onClick("Command7", [e] { e->ResetHistory(); });
    onClick("Command8", [e] { e->NewTest(); });
    onClick("Command9", [e] { e->Hint(); });
    for (int i = 0; i < 4; ++i) {
        connect(button(QStringLiteral("cmd") + QChar(u'A' + i))->widget(), &QPushButton::clicked, this,
                [e, i] { e->AnswerClicked(i); });
        connect(label(QStringLiteral("lblDist%1").arg(i + 1))->widget(), &view::qt::LabelWidget::clicked,
                this, [e, i] { e->ChoiceLabelClicked(i); });
    }
    connect(checkBox(QStringLiteral("Check1"))->widget(), &QCheckBox::clicked, this,
            [e] { e->Check1Clicked(); });
    connect(findAs<view::qt::QtTimer>(QStringLiteral("Timer1"))->timer(), &QTimer::timeout, this,
            [e] { e->Timer1Tick(); });

    const auto onMenu = [this](const char *name, auto action) {
        connect(menuItem(QString::fromLatin1(name))->action(), &QAction::triggered, this, action);
    };
    onMenu("mnuTechnician", [e] { e->LoadPool(engine::ExamClass::Technician); });
    onMenu("mnuGeneral", [e] { e->LoadPool(engine::ExamClass::General); });
    onMenu("mnuExtra", [e] { e->LoadPool(engine::ExamClass::Extra); });
    // Exit ends the program at once, without the unload step that closing the window runs.
    onMenu("mnuExit", [] { QCoreApplication::exit(0); });
    onMenu("mnuPrivelages", [this] { openPrivileges(); });

    connect(label(QStringLiteral("Label17"))->widget(), &view::qt::LabelWidget::clicked, this,
            [this] { openMakerSite(); });
}

void Form1::Form_Load()
{
    const view::qt::QtScreen screen(this);
    Form_Load(screen);
}

void Form1::Form_Load(const view::Screen &screen)
{
    m_engine->RecordStartDirectory();
    ScaleToScreen(*this, screen, [this] { m_engine->RecordStartDirectory(); });
    m_engine->RestoreExamClass();
    button(QStringLiteral("Command1"))->setFocus();
}

void Form1::keyDown(int &keyCode)
{
    m_engine->KeyDown(keyCode);
}

void Form1::closeEvent(QCloseEvent *event)
{
    m_engine->Unload();
    event->accept();
}

void Form1::openMakerSite()
{
    // The desktop's handler for web addresses; whether it succeeds is not looked at.
    QDesktopServices::openUrl(QUrl(makerUrl()));
}

void Form1::openPrivileges()
{
    bandplan::ExamClassMarks marks;
    marks.technician = menuItem(QStringLiteral("mnuTechnician"))->isChecked();
    marks.general = menuItem(QStringLiteral("mnuGeneral"))->isChecked();
    marks.extra = menuItem(QStringLiteral("mnuExtra"))->isChecked();
    bandplan::openFrequencyPrivileges(marks);
}

} // namespace mainwindow
