// The study window as designed for a 640 x 480 screen: every control with its design
// caption, tool tip, font, colours, border, alignment, position and size, the tab
// stops, the stacking order and the menu bar. Positions are twips in the client area.
#include "mainwindow/artwork.h"
#include "mainwindow/check_box_style.h"
#include "mainwindow/form1.h"

#include <QMenu>

namespace mainwindow {

using view::Align;
using view::Colour;
using view::qt::FontSpec;
using view::qt::QtButton;
using view::qt::QtCheckBox;
using view::qt::QtLabel;

namespace {

constexpr Colour kDarkBlue = 0x800000;
constexpr Colour kWhite = 0xFFFFFF;
constexpr Colour kLightGrey = 0xC0C0C0;
constexpr Colour kLightGreen = 0xC0FFC0;
constexpr Colour kBlue = 0xFF0000;
constexpr Colour kBlack = 0x000000;
// The link's blue cannot be read on a dark desktop's face colour; this light blue can.
constexpr Colour kLightBlue = 0xF8B48A;

const FontSpec kDefaultFont{QStringLiteral("MS Sans Serif"), 8.25};
const FontSpec kScoreFont{QStringLiteral("Arial"), 8.25, true};
const FontSpec kPanelFont{QStringLiteral("MS Sans Serif"), 8.25, true};
const FontSpec kBigArial{QStringLiteral("Arial"), 9.75, true};
const FontSpec kSmallSerif{QStringLiteral("MS Serif"), 6.75};
const FontSpec kLinkFont{QStringLiteral("MS Serif"), 6, false, false, true};

struct Box
{
    double left, top, width, height;
};

} // namespace

void Form1::createDesign()
{
    setWindowTitle(QStringLiteral(" Brantel's Examora Study Program 1.4") + QString(35, u' ') + makerHost());
    // Qualified: inside the window the bare name is QWidget's own getter.
    setWindowIcon(mainwindow::windowIcon());
    setDefaultFont(kDefaultFont);

    const auto label = [this](const char *name, const QString &text, Box b, const FontSpec &font) {
        QtLabel *l = createLabel(QString::fromLatin1(name));
        l->setGeometryTwips(b.left, b.top, b.width, b.height);
        l->setFont(font);
        l->setText(text);
        return l;
    };
    const auto scoreLabel = [&](const char *name, const QString &text, Box b) {
        QtLabel *l = label(name, text, b, kScoreFont);
        l->setBorder(true);
        l->setAlignment(Align::Centre);
        l->setForeColor(kBlack);
        l->setBackColor(kLightGrey);
        return l;
    };
    const auto whiteBox = [&](const char *name, Box b) {
        QtLabel *l = label(name, QString(), b, kPanelFont);
        l->setBorder(true);
        l->setBackColor(kWhite);
    };
    // Texts that lie on the design's white boxes are black on every desktop, as on the
    // design's own platform: a dark desktop's light text would vanish on white.
    const auto clearText = [&](const char *name, const QString &text, Box b) {
        QtLabel *l = label(name, text, b, kPanelFont);
        l->setTransparent(true);
        l->setForeColor(kBlack);
        return l;
    };

    // Score line.
    m_ui.Label2 = scoreLabel("Label2", QStringLiteral("Total Correct: 0"), {120, 40, 1695, 255});
    m_ui.Label3 = scoreLabel("Label3", QStringLiteral("Total Incorrect: 0"), {2160, 40, 2055, 255});
    m_ui.Label4 = scoreLabel("Label4", QStringLiteral("Percentage: 100%"), {4560, 40, 2295, 255});

    // Study panel: the dark-blue ground, then pairs of a white box and a clear text label.
    QtLabel *panel = label("Label6", QString(), {120, 360, 6735, 6135}, kDefaultFont);
    panel->setBorder(true);
    panel->setBackColor(kDarkBlue);
    QtLabel *poolTitle = m_ui.Label12 =
        clearText("Label12", QStringLiteral("Question Pool:"), {360, 420, 3375, 255});
    poolTitle->setForeColor(kWhite);
    QtLabel *poolDate = m_ui.Label13 =
        clearText("Label13", QStringLiteral("Effective: "), {3840, 420, 2895, 255});
    poolDate->setForeColor(kWhite);
    poolDate->setAlignment(Align::Centre);
    QtLabel *number = m_ui.Label1 =
        label("Label1", QStringLiteral("Question #1:"), {360, 720, 4455, 300}, kPanelFont);
    number->setBorder(true);
    number->setForeColor(kBlack);
    number->setBackColor(kWhite);
    whiteBox("Label10", {360, 1080, 6255, 855});
    m_ui.lblQuestion = clearText("lblQuestion", QStringLiteral("Question Text?"), {465, 1125, 6060, 855});
    whiteBox("Label9", {1200, 2160, 5415, 735});
    m_ui.lblDist[0] = clearText("lblDist1", QStringLiteral("Question Text?"), {1320, 2205, 5220, 735});
    whiteBox("Label8", {1200, 3000, 5415, 735});
    m_ui.lblDist[1] = clearText("lblDist2", QStringLiteral("Question Text?"), {1305, 3045, 5220, 735});
    whiteBox("Label7", {1200, 3840, 5415, 735});
    m_ui.lblDist[2] = clearText("lblDist3", QStringLiteral("Question Text?"), {1305, 3885, 5220, 735});
    whiteBox("Label5", {1200, 4680, 5415, 735});
    m_ui.lblDist[3] = clearText("lblDist4", QStringLiteral("Question Text?"), {1305, 4725, 5220, 735});

    QtLabel *feedback = m_ui.Label11 =
        label("Label11", QStringLiteral("Correct!"), {4920, 720, 1695, 300}, kBigArial);
    feedback->setBorder(true);
    feedback->setAlignment(Align::Centre);
    feedback->setForeColor(kBlack);
    feedback->setBackColor(kLightGreen);
    feedback->setVisible(false);
    feedback->setAnnounced(true); // "Correct!" and "Try Again!" are spoken as they appear

    // Buttons. Only Command1 and Command2 are tab stops.
    const auto button = [this](const char *name, const QString &caption, const QString &tip, Box b,
                               const FontSpec &font) {
        QtButton *c = createButton(QString::fromLatin1(name));
        c->setGeometryTwips(b.left, b.top, b.width, b.height);
        c->setFont(font);
        c->setCaption(caption);
        c->setToolTip(tip);
        // The window's key handler answers every access letter, with or without Alt,
        // so the buttons' own Alt shortcuts would act twice.
        c->widget()->setShortcut(QKeySequence());
        c->setTabStop(false);
        return c;
    };
    m_ui.cmdAnswer[0] = button("cmdA", QStringLiteral("&A"), QString(), {360, 2280, 615, 375}, kBigArial);
    m_ui.cmdAnswer[1] = button("cmdB", QStringLiteral("&B"), QString(), {360, 3120, 615, 375}, kBigArial);
    m_ui.cmdAnswer[2] = button("cmdC", QStringLiteral("&C"), QString(), {360, 3960, 615, 375}, kBigArial);
    m_ui.cmdAnswer[3] = button("cmdD", QStringLiteral("&D"), QString(), {360, 4800, 615, 375}, kBigArial);
    m_ui.Command9 = button("Command9", QStringLiteral("Hint"), QStringLiteral("Eliminates one distractor."),
                           {360, 5520, 615, 300}, kDefaultFont);
    QtButton *previous = m_ui.Command2 =
        button("Command2", QStringLiteral("&Previous"), QStringLiteral("Previous question."),
               {1200, 5520, 975, 300}, kDefaultFont);
    QtButton *next = m_ui.Command1 =
        button("Command1", QStringLiteral("&Next"), QStringLiteral("Next question."), {2400, 5520, 1215, 300},
               kDefaultFont);
    m_ui.Command4 = button("Command4", QStringLiteral("Bac&k 20"), QStringLiteral("Moves back 20 questions."),
                           {3840, 5520, 1215, 300}, kDefaultFont);
    m_ui.Command3 =
        button("Command3", QStringLiteral("For&ward 20"), QStringLiteral("Moves ahead 20 questions."),
               {5280, 5520, 1215, 300}, kDefaultFont);
    m_ui.Command5 =
        button("Command5", QStringLiteral("&Random"), QStringLiteral("Displays a random question."),
               {1200, 5920, 975, 300}, kDefaultFont);
    m_ui.Command6 =
        button("Command6", QStringLiteral("&Least Correct"),
               QStringLiteral("Displays question missed most often."), {2400, 5920, 1215, 300}, kDefaultFont);
    m_ui.Command7 =
        button("Command7", QStringLiteral("Reset H&istory"),
               QStringLiteral("Clears history of missed questions."), {3840, 5920, 1215, 300}, kDefaultFont);
    m_ui.Command8 = button("Command8", QStringLiteral("N&ew Test"),
                           QStringLiteral("Clears correct and incorrect counter."), {5280, 5920, 1215, 300},
                           kDefaultFont);
    // A screen reader gives each answer button its choice's text as the description.
    for (int i = 0; i < 4; ++i) {
        QPushButton *answer = m_ui.cmdAnswer[std::size_t(i)]->widget();
        connect(m_ui.lblDist[std::size_t(i)]->widget(), &view::qt::LabelWidget::textChanged, answer,
                [answer](const QString &text) { answer->setAccessibleDescription(text); });
    }
    next->setTabStop(true);
    previous->setTabStop(true);
    setTabOrder(next->widget(), previous->widget());

    // Options.
    auto *checkBoxStyle = new CheckBoxStyle;
    checkBoxStyle->setParent(this);
    const auto option = [this, checkBoxStyle](const char *name, const QString &caption, Box b) {
        QtCheckBox *c = createCheckBox(QString::fromLatin1(name));
        c->widget()->setStyle(checkBoxStyle);
        c->setGeometryTwips(b.left, b.top, b.width, b.height);
        c->setFont(kSmallSerif);
        c->setCaption(caption);
        c->setColours(kDarkBlue, kWhite);
        c->setValue(1);
        c->setTabStop(false);
        return c;
    };
    m_ui.Check1 = option("Check1", QStringLiteral("Audio On"), {180, 5840, 915, 255});
    m_ui.Check2 = option("Check2", QStringLiteral("Auto Advance"), {180, 6120, 915, 320});

    // Right-hand pane: the link and the maker's three other products.
    createLine(QStringLiteral("Line1"), 6960, 0, 6960, 6480);
    QtLabel *link = m_ui.Label17 =
        label("Label17",
              QStringLiteral("Brantel's software is easy and fun to use, free to try!  Please visit ") +
                  makerHost() + u'!',
              {7080, 30, 2295, 585}, kLinkFont);
    link->setTransparent(true);
    const bool darkDesktop = palette().color(QPalette::Window).lightnessF() < 0.5;
    link->setForeColor(darkDesktop ? kLightBlue : kBlue);
    link->widget()->setCursor(linkCursor());
    const Box pictures[kProductCount] = {
        {7080, 540, 2325, 1740}, {7080, 2490, 2325, 1815}, {7080, 4530, 2325, 1815}};
    const Box names[kProductCount] = {
        {7200, 2280, 2055, 255}, {7200, 4320, 2055, 255}, {7200, 6340, 2055, 255}};
    const char *pictureNames[kProductCount] = {"Image1", "Image2", "Image3"};
    const char *nameLabels[kProductCount] = {"Label14", "Label15", "Label16"};
    for (int i = 0; i < kProductCount; ++i) {
        view::qt::QtPicture *picture = m_ui.products[std::size_t(i)] =
            createPicture(QString::fromLatin1(pictureNames[i]));
        picture->setGeometryTwips(pictures[i].left, pictures[i].top, pictures[i].width, pictures[i].height);
        picture->setDrawing(productPictureSize(i),
                            [i](QPainter &painter) { paintProductPicture(i, painter); });
        picture->widget()->setAccessibleName(productName(i));
        m_ui.productNames[std::size_t(i)] = label(nameLabels[i], productName(i), names[i], kSmallSerif);
        m_ui.productNames[std::size_t(i)]->setAlignment(Align::Centre);
    }
    createLine(QStringLiteral("Line3"), 0, 0, 9360, 0);

    // Non-visual members.
    m_ui.Timer1 = createTimer(QStringLiteral("Timer1"), 2500);
    createComponent(QStringLiteral("MMControl1"));
    createComponent(QStringLiteral("SysInfo1"));

    // Stacking of the windowless controls, bottom first; buttons and check boxes stay above them all.
    const char *bottomToTop[] = {"Line1",    "Label6",   "Label1",   "Label4",   "Label3",      "Label2",
                                 "Label11",  "Label5",   "Label7",   "Label8",   "Label9",      "Label10",
                                 "lblDist4", "lblDist3", "lblDist2", "lblDist1", "lblQuestion", "Label12",
                                 "Label13",  "Line3",    "Image1",   "Label14",  "Label15",     "Label16",
                                 "Image2",   "Image3",   "Label17"};
    for (const char *name : bottomToTop)
        if (QWidget *w =
                clientArea()->findChild<QWidget *>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly))
            raiseWindowless(w);

    // Menu bar. Help is created unavailable (shown greyed); choosing it would do nothing.
    view::qt::QtMenuItem *file = createMenu(QStringLiteral("mnuFile"), QStringLiteral("&File"));
    m_ui.mnuExit = createMenuItem(QStringLiteral("mnuExit"), QStringLiteral("&Exit"), file);
    view::qt::QtMenuItem *test = m_ui.mnuTest =
        createMenu(QStringLiteral("mnuTest"), QStringLiteral("&Test"));
    m_ui.mnuTechnician =
        createMenuItem(QStringLiteral("mnuTechnician"), QStringLiteral("&Technician"), test, true);
    m_ui.mnuTechnician->setChecked(true);
    m_ui.mnuGeneral = createMenuItem(QStringLiteral("mnuGeneral"), QStringLiteral("&General"), test, true);
    m_ui.mnuExtra = createMenuItem(QStringLiteral("mnuExtra"), QStringLiteral("&Extra"), test, true);
    m_ui.mnuPrivelages = createMenuItem(QStringLiteral("mnuPrivelages"), QStringLiteral("Pri&vileges"));
    createMenuItem(QStringLiteral("mnuHelp"), QStringLiteral("&Help"))->action()->setEnabled(false);
}

} // namespace mainwindow
