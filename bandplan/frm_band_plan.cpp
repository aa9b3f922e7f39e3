#include "bandplan/frm_band_plan.h"

#include <QPainter>
#include <QPushButton>

namespace bandplan {

namespace {

// Design client area, and the border and title bar the outer size assumes until shown.
const QSizeF kClientTwips(9480, 6690);
const QSizeF kDecorationTwips(120, 405);

constexpr view::Colour kNavy = view::rgb(0, 0, 128);
constexpr view::Colour kWhite = view::rgb(255, 255, 255);

struct ButtonDesign
{
    const char *name;
    const char *caption;
    double left, top, width;
};

constexpr ButtonDesign kButtons[] = {
    {"Command1", "Novice", 120, 80, 855},    {"Command2", "Technician", 1080, 80, 975},
    {"Command3", "Tech +", 2160, 80, 975},   {"Command4", "General", 3240, 80, 1095},
    {"Command5", "Advanced", 4440, 80, 975}, {"Command6", "Extra", 5520, 80, 975},
    {"Command7", "Done", 4080, 6360, 1215},
};

// A small picture of the chart itself: a black bar with a CW and a phone segment.
QIcon chartIcon()
{
    QIcon icon;
    for (int size : {16, 32}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        const int unit = size / 16;
        painter.fillRect(0, 3 * unit, size, 4 * unit, Qt::black);
        painter.fillRect(unit, 4 * unit, 5 * unit, 2 * unit, Qt::blue);
        painter.fillRect(8 * unit, 4 * unit, 7 * unit, 2 * unit, Qt::green);
        painter.fillRect(0, 9 * unit, size, 4 * unit, Qt::black);
        painter.fillRect(3 * unit, 10 * unit, 12 * unit, 2 * unit, Qt::green);
        painter.fillRect(0, 0, 2 * unit, size, Qt::yellow);
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace

frmBandPlan::frmBandPlan(QWidget *parent)
    : QtWindow(kClientTwips, kDecorationTwips, parent), m_screen(this), m_services(this),
      m_form(*this, m_screen, m_services)
{
    setObjectName(QStringLiteral("frmBandPlan"));
    setWindowTitle(QStringLiteral("Frequency Privileges"));
    setWindowIcon(chartIcon());
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    buildControls();
}

void frmBandPlan::buildControls()
{
    using view::qt::FontSpec;
    std::array<view::qt::QtButton *, std::size(kButtons)> buttons{};
    for (std::size_t i = 0; i < std::size(kButtons); ++i) {
        const ButtonDesign &design = kButtons[i];
        view::qt::QtButton *button = createButton(QString::fromLatin1(design.name));
        button->setGeometryTwips(design.left, design.top, design.width, 300);
        button->setCaption(QString::fromLatin1(design.caption));
        buttons[i] = button;
    }
    // "Done" comes first in the tab order, so it holds the focus when the window opens.
    QWidget::setTabOrder(buttons[6]->widget(), buttons[0]->widget());
    for (std::size_t i = 0; i + 1 < 6; ++i)
        QWidget::setTabOrder(buttons[i]->widget(), buttons[i + 1]->widget());
    buttons[6]->setFocus();

    for (std::size_t i = 0; i < kLicenceClasses.size(); ++i)
        connect(buttons[i]->widget(), &QPushButton::clicked, this, [this, i] { chooseClass(Licence(i)); });
    connect(buttons[6]->widget(), &QPushButton::clicked, this, &QWidget::hide);

    const auto label = [this](const char *name, const char *text, double left, double top, double width,
                              double height) {
        view::qt::QtLabel *l = createLabel(QString::fromLatin1(name));
        l->setGeometryTwips(left, top, width, height);
        l->setText(QString::fromLatin1(text));
        l->setBorder(true);
        l->setAlignment(view::Align::Centre);
        return l;
    };
    view::qt::QtLabel *date = label("Label1", "Frequencies Effective", 120, 400, 6375, 300);
    date->setBackColor(kNavy);
    date->setForeColor(kWhite);
    date->setFont(FontSpec{QStringLiteral("Arial"), 9});
    view::qt::QtLabel *title = label("Label2", "Privelages", 6600, 120, 2775, 255);
    title->setBackColor(kNavy);
    title->setForeColor(kWhite);
    title->setFont(FontSpec{QStringLiteral("Arial Narrow"), 8.25});
    label("Label3", "CW", 6600, 420, 1335, 255)->setForeColor(kWhite);
    label("Label4", "Phone", 8040, 420, 1335, 255);

    createLine(QStringLiteral("Line1"), 120, 720, 9360, 720);
    createComponent(QStringLiteral("SysInfo1"));
}

void frmBandPlan::load(const ExamClassMarks &marks, const QString &planPath)
{
    m_form.load(marks, planPath);
}

void frmBandPlan::chooseClass(Licence licence)
{
    // The old chart goes and the new one is built in one paint, never in pieces.
    setUpdatesEnabled(false);
    m_form.chooseClass(licence);
    setUpdatesEnabled(true);
}

} // namespace bandplan
