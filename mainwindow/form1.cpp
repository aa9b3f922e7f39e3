// The study window's events: each is routed to the study engine, except the three
// actions of the window itself (the link, Privileges, Help) and File > Exit.
#include "mainwindow/form1.h"

#include "bandplan/band_plan_window.h"
#include "mainwindow/scaling.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QUrl>

#include <algorithm>

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

Form1::Form1() : QtWindow(kClientTwips, kDesignDecorationTwips), m_services(this)
{
    setObjectName(QStringLiteral("Form1"));
    createDesign();
    // A control the code drives but the design did not make as expected is a fault of
    // this build: stop at once, naming it, rather than run with a dead control.
    if (const QStringList faults = m_ui.faults(); !faults.isEmpty())
        qFatal("Form1: controls not as designed: %s", qPrintable(faults.join(QStringLiteral("; "))));
    addTestMenuItems();
}

Form1::~Form1() = default;

engine::StudyControls Form1::studyControls()
{
    engine::StudyControls c;
    c.window = this;
    c.Label1 = m_ui.Label1;
    c.Label2 = m_ui.Label2;
    c.Label3 = m_ui.Label3;
    c.Label4 = m_ui.Label4;
    c.Label11 = m_ui.Label11;
    c.Label12 = m_ui.Label12;
    c.Label13 = m_ui.Label13;
    c.lblQuestion = m_ui.lblQuestion;
    std::copy(m_ui.lblDist.begin(), m_ui.lblDist.end(), c.lblDist.begin());
    std::copy(m_ui.cmdAnswer.begin(), m_ui.cmdAnswer.end(), c.cmdAnswer.begin());
    c.Command1 = m_ui.Command1;
    c.Check1 = m_ui.Check1;
    c.Check2 = m_ui.Check2;
    c.mnuTechnician = m_ui.mnuTechnician;
    c.mnuGeneral = m_ui.mnuGeneral;
    c.mnuExtra = m_ui.mnuExtra;
    c.Timer1 = m_ui.Timer1;
    return c;
}

void Form1::attach(engine::StudyEngine &engine, StudyWindowHost &host)
{
    Q_ASSERT(!m_engine);
    m_engine = &engine;
    m_host = &host;
    m_engine->addListener(this);
    routeEvents();
}

void Form1::routeEvents()
{
    engine::StudyEngine *e = m_engine;
    const auto onClick = [this](view::qt::QtButton *button, auto action) {
        connect(button->widget(), &QPushButton::clicked, this, action);
    };
    onClick(m_ui.Command1, [e] { e->Next(); });
    onClick(m_ui.Command2, [e] { e->Previous(); });
    onClick(m_ui.Command3, [e] { e->Forward20(); });
    onClick(m_ui.Command4, [e] { e->Back20(); });
    onClick(m_ui.Command5, [e] { e->RandomQuestion(); });
    onClick(m_ui.Command6, [e] { e->LeastCorrect(); });
    onClick(m_ui.Command7, [e] { e->ResetHistory(); });
    onClick(m_ui.Command8, [e] { e->NewTest(); });
    onClick(m_ui.Command9, [e] { e->Hint(); });
    for (int i = 0; i < 4; ++i) {
        onClick(m_ui.cmdAnswer[std::size_t(i)], [e, i] { e->AnswerClicked(i); });
        connect(m_ui.lblDist[std::size_t(i)]->widget(), &view::qt::LabelWidget::clicked, this,
                [e, i] { e->ChoiceLabelClicked(i); });
    }
    connect(m_ui.Check1->widget(), &QCheckBox::clicked, this, [e] { e->Check1Clicked(); });
    connect(m_ui.Timer1->timer(), &QTimer::timeout, this, [e] { e->Timer1Tick(); });

    const auto onMenu = [this](view::qt::QtMenuItem *item, auto action) {
        connect(item->action(), &QAction::triggered, this, action);
    };
    onMenu(m_ui.mnuTechnician, [e] { e->LoadPool(engine::ExamClass::Technician); });
    onMenu(m_ui.mnuGeneral, [e] { e->LoadPool(engine::ExamClass::General); });
    onMenu(m_ui.mnuExtra, [e] { e->LoadPool(engine::ExamClass::Extra); });
    // Exit ends the program at once, without the unload step that closing the window runs,
    // once an open practice exam has been let go.
    onMenu(m_ui.mnuExit, [this] {
        if (m_host->letStudyWindowClose())
            QCoreApplication::exit(0);
    });
    onMenu(m_ui.mnuPrivelages, [this] { openPrivileges(); });

    connect(m_ui.Label17->widget(), &view::qt::LabelWidget::clicked, this, [this] { openMakerSite(); });
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
    m_ui.Command1->setFocus();
}

void Form1::keyDown(int &keyCode)
{
    // F opens the figure on show. It is no key of the study keys, so the engine never
    // sees it; with no figure it goes on to the focused control as before.
    if (keyCode == Qt::Key_F) {
        if (showsFigure()) {
            m_host->openFigureWindow();
            keyCode = 0;
        }
        return;
    }
    m_engine->KeyDown(keyCode);
}

void Form1::closeEvent(QCloseEvent *event)
{
    if (m_host && !m_host->letStudyWindowClose()) {
        event->ignore();
        return;
    }
    if (m_engine)
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
    marks.technician = m_ui.mnuTechnician->isChecked();
    marks.general = m_ui.mnuGeneral->isChecked();
    marks.extra = m_ui.mnuExtra->isChecked();
    bandplan::openFrequencyPrivileges(marks,
                                      poolsFolder() + u'/' + QString::fromLatin1(bandplan::kBandPlanFile));
}

} // namespace mainwindow
