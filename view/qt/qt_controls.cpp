#include "view/qt/qt_controls.h"

#include "view/qt/pixels.h"
#include "view/qt/qt_window.h"

#include <QApplication>
#include <QFontDatabase>
#include <QHash>
#include <QMouseEvent>
#include <QPainter>
#include <QTextDocument>

#include <algorithm>
#include <cmath>

namespace view::qt {

QColor toQColor(Colour colour)
{
    return QColor(redOf(colour), greenOf(colour), blueOf(colour));
}

namespace {

Colour fromQColor(const QColor &c)
{
    return rgb(c.red(), c.green(), c.blue());
}

} // namespace

namespace {

// The installed face that stands in for a family: the family itself when installed,
// else its first installed substitute. Asking for that face directly spares the font
// database a fruitless search for the design's own face, with its fallback list, for
// every size and weight; design names that share a stand-in also share its fonts.
QString installedFamily(const QString &family)
{
    struct Known
    {
        QStringList substitutes;
        QString face;
    };
    static QHash<QString, Known> known;
    const QStringList substitutes = QFont::substitutes(family);
    auto it = known.find(family);
    if (it != known.end() && it->substitutes == substitutes)
        return it->face;
    QString face = family;
    if (!QFontDatabase::hasFamily(family)) {
        for (const QString &substitute : substitutes) {
            if (QFontDatabase::hasFamily(substitute)) {
                face = substitute;
                break;
            }
        }
    }
    known.insert(family, Known{substitutes, face});
    return face;
}

} // namespace

QFont FontSpec::toFont() const
{
    QFont font(installedFamily(family));
    // Qt refuses sizes of zero or less; a font scaled down that far shows at its smallest.
    font.setPointSizeF(pointSize > 0.5 ? pointSize : 0.5);
    font.setBold(bold);
    font.setItalic(italic);
    font.setUnderline(underline);
    return font;
}

// ---- LabelWidget

LabelWidget::LabelWidget(QWidget *parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    setWordWrap(true);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setFocusPolicy(Qt::NoFocus);
}

void LabelWidget::setBorder(bool single)
{
    if (single == m_border)
        return;
    m_border = single;
    setContentsMargins(single ? QMargins(1, 1, 1, 1) : QMargins());
    update();
}

void LabelWidget::setColours(const QColor &back, const QColor &fore, bool fill)
{
    m_back = back;
    m_fore = fore;
    m_fill = fill;
    if (testAttribute(Qt::WA_WState_Polished))
        applyColours();
    else
        m_coloursPending = true;
}

void LabelWidget::applyColours()
{
    m_coloursPending = false;
    QPalette pal = palette();
    pal.setColor(QPalette::Window, m_back);
    pal.setColor(QPalette::Active, QPalette::WindowText, m_fore);
    pal.setColor(QPalette::Inactive, QPalette::WindowText, m_fore);
    setPalette(pal);
    setAutoFillBackground(m_fill);
}

bool LabelWidget::event(QEvent *event)
{
    // Every label is polished before it first shows, hidden ones only then.
    if (event->type() == QEvent::Polish && m_coloursPending)
        applyColours();
    return QLabel::event(event);
}

void LabelWidget::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        m_pressed = true;
    QLabel::mousePressEvent(event);
}

void LabelWidget::mouseReleaseEvent(QMouseEvent *event)
{
    const bool click =
        m_pressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    m_pressed = false;
    QLabel::mouseReleaseEvent(event);
    if (click && isEnabled())
        Q_EMIT clicked();
}

// Enabled text in the colour of the painted background cannot be seen (a chart's bars
// are black on black), so it is not laid out at all.
bool LabelWidget::textIsInvisible() const
{
    return m_fill && !m_coloursPending && m_fore == m_back && isEnabled();
}

void LabelWidget::paintEvent(QPaintEvent *event)
{
    if (!textIsInvisible())
        QLabel::paintEvent(event);
    if (!m_border)
        return;
    QPainter painter(this);
    painter.setPen(QColor(Qt::black));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

// ---- PictureWidget

PictureWidget::PictureWidget(QWidget *parent) : QLabel(parent)
{
    setScaledContents(true);
}

void PictureWidget::setDrawing(QSizeF designSize, Drawing drawing)
{
    m_designSize = designSize;
    m_drawing = std::move(drawing);
    // A widget that has yet to learn its size is drawn when it does, just before it shows.
    if (!testAttribute(Qt::WA_PendingResizeEvent))
        render();
}

void PictureWidget::resizeEvent(QResizeEvent *event)
{
    QLabel::resizeEvent(event);
    render();
}

void PictureWidget::render()
{
    if (!m_drawing || m_designSize.isEmpty())
        return;
    const qreal ratio = devicePixelRatio();
    const QSize pixels = size() * ratio;
    if (pixels.isEmpty()) {
        setPixmap(QPixmap());
        return;
    }
    QPixmap pixmap(pixels);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::white);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(width() / m_designSize.width(), height() / m_designSize.height());
    m_drawing(painter);
    painter.end();
    // Exactly the widget's size: the label shows it without resampling.
    setPixmap(pixmap);
}

// ---- LineWidget

LineWidget::LineWidget(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

void LineWidget::setEnds(QPoint from, QPoint to)
{
    m_from = from;
    m_to = to;
    update();
}

void LineWidget::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(QPen(palette().color(QPalette::WindowText), 0));
    painter.drawLine(m_from, m_to);
}

// ---- BoxControl

BoxControl::BoxControl(QtWindow *window, QWidget *widget, bool hasFont)
    : m_window(window), m_widget(widget), m_hasFont(hasFont)
{
    if (hasFont) {
        m_font = window->defaultFont();
        widget->setFont(m_font.toFont());
    }
    // A widget shown before it has a size is first fitted to its contents, which
    // measures its text and loads its font; its box comes from the twips instead.
    applyGeometry();
}

BoxControl::~BoxControl()
{
    delete m_widget.data();
}

void BoxControl::setGeometryTwips(double left, double top, double width, double height)
{
    m_left = left;
    m_top = top;
    m_width = width;
    m_height = height;
    applyGeometry();
}

void BoxControl::applyGeometry()
{
    if (!m_widget)
        return;
    const double tpp = m_window->twipsPerPixel();
    // Edges are rounded, not sizes, so that controls designed to touch still touch.
    const int x0 = toPixels(m_left, tpp), y0 = toPixels(m_top, tpp);
    const int x1 = toPixels(m_left + m_width, tpp), y1 = toPixels(m_top + m_height, tpp);
    m_widget->setGeometry(x0, y0, std::max(0, x1 - x0), std::max(0, y1 - y0));
}

void BoxControl::setFont(const FontSpec &font)
{
    // The scaling passes set every font, most often to the size it already has.
    if (font == m_font)
        return;
    m_font = font;
    if (m_widget)
        m_widget->setFont(m_font.toFont());
}

std::optional<double> BoxControl::getBox(Prop prop) const
{
    switch (prop) {
    case Prop::Left:
        return m_left;
    case Prop::Top:
        return m_top;
    case Prop::Width:
        return m_width;
    case Prop::Height:
        return m_height;
    case Prop::FontSize:
        if (m_hasFont)
            return m_font.pointSize;
        return std::nullopt;
    default:
        return std::nullopt;
    }
}

bool BoxControl::setBox(Prop prop, double value)
{
    if (!std::isfinite(value))
        return false;
    switch (prop) {
    case Prop::Left:
        m_left = value;
        break;
    case Prop::Top:
        m_top = value;
        break;
    case Prop::Width:
        m_width = value;
        break;
    case Prop::Height:
        m_height = value;
        break;
    case Prop::FontSize: {
        if (!m_hasFont)
            return false;
        FontSpec font = m_font;
        font.pointSize = value;
        setFont(font);
        return true;
    }
    default:
        return false;
    }
    applyGeometry();
    return true;
}

// ---- QtLabel

QtLabel::QtLabel(QtWindow *window, const QString &name)
    : BoxControl(window, new LabelWidget(window->clientArea()), true),
      m_back(fromQColor(QApplication::palette().color(QPalette::Window))),
      m_fore(fromQColor(QApplication::palette().color(QPalette::WindowText)))
{
    m_widget->setObjectName(name);
    applyColours();
}

QString QtLabel::text() const
{
    return widget() ? widget()->text() : QString();
}

void QtLabel::setText(const QString &text)
{
    if (widget())
        widget()->setText(text);
}

bool QtLabel::isVisible() const
{
    return m_widget && !m_widget->isHidden();
}

void QtLabel::setVisible(bool visible)
{
    if (m_widget)
        m_widget->setVisible(visible);
}

bool QtLabel::isEnabled() const
{
    return m_widget && m_widget->isEnabled();
}

void QtLabel::setEnabled(bool enabled)
{
    if (m_widget)
        m_widget->setEnabled(enabled);
}

// A palette change walks the widget's palette inheritance: a colour already set is not set again.
void QtLabel::setBackColor(Colour colour)
{
    if (colour == m_back)
        return;
    m_back = colour;
    applyColours();
}

void QtLabel::setForeColor(Colour colour)
{
    if (colour == m_fore)
        return;
    m_fore = colour;
    applyColours();
}

void QtLabel::setTransparent(bool transparent)
{
    m_transparent = transparent;
    applyColours();
}

void QtLabel::applyColours()
{
    if (widget())
        widget()->setColours(toQColor(m_back), toQColor(m_fore), !m_transparent);
}

void QtLabel::setBorder(bool single)
{
    if (widget())
        widget()->setBorder(single);
}

void QtLabel::setAlignment(Align align)
{
    if (!widget())
        return;
    Qt::Alignment h = align == Align::Centre  ? Qt::AlignHCenter
                      : align == Align::Right ? Qt::AlignRight
                                              : Qt::AlignLeft;
    widget()->setAlignment(h | Qt::AlignTop);
}

void QtLabel::setToolTip(const QString &tip)
{
    m_toolTip = tip;
    if (!m_widget)
        return;
    // Qt reads a tool tip that looks like markup as rich text; texts from files must show as written.
    if (Qt::mightBeRichText(tip)) {
        m_widget->setToolTip(QStringLiteral("<p style='white-space:pre'>") + tip.toHtmlEscaped() +
                             QStringLiteral("</p>"));
        m_widget->setAccessibleDescription(tip);
    } else {
        m_widget->setToolTip(tip);
        m_widget->setAccessibleDescription(QString());
    }
}

void QtLabel::setFontName(const QString &family)
{
    FontSpec changed = font();
    changed.family = family;
    setFont(changed);
}

void QtLabel::bringToFront()
{
    if (m_widget)
        m_window->raiseWindowless(m_widget);
}

// ---- QtPicture

QtPicture::QtPicture(QtWindow *window, const QString &name)
    : BoxControl(window, new PictureWidget(window->clientArea()), false)
{
    m_widget->setObjectName(name);
}

void QtPicture::setPicture(const QPixmap &pixmap)
{
    if (!widget())
        return;
    widget()->setDrawing(QSizeF(), {});
    widget()->setPixmap(pixmap);
}

void QtPicture::setDrawing(QSizeF designSize, PictureWidget::Drawing drawing)
{
    if (widget())
        widget()->setDrawing(designSize, std::move(drawing));
}

// ---- QtButton

QtButton::QtButton(QtWindow *window, const QString &name)
    : BoxControl(window, new QPushButton(window->clientArea()), true)
{
    m_widget->setObjectName(name);
    // Enter clicks the focused button, as the space bar does.
    widget()->setAutoDefault(true);
    setTabStop(true);
}

bool QtButton::isVisible() const
{
    return m_widget && !m_widget->isHidden();
}

void QtButton::setVisible(bool visible)
{
    if (m_widget)
        m_widget->setVisible(visible);
}

void QtButton::setFocus()
{
    if (m_widget)
        m_widget->setFocus(Qt::OtherFocusReason);
}

void QtButton::setCaption(const QString &caption)
{
    if (widget())
        widget()->setText(caption);
}

void QtButton::setToolTip(const QString &tip)
{
    if (m_widget)
        m_widget->setToolTip(tip);
}

void QtButton::setTabStop(bool stop)
{
    if (m_widget)
        m_widget->setFocusPolicy(stop ? Qt::StrongFocus : Qt::ClickFocus);
}

// ---- QtCheckBox

QtCheckBox::QtCheckBox(QtWindow *window, const QString &name)
    : BoxControl(window, new QCheckBox(window->clientArea()), true)
{
    m_widget->setObjectName(name);
    setTabStop(true);
}

int QtCheckBox::value() const
{
    return widget() && widget()->isChecked() ? 1 : 0;
}

void QtCheckBox::setValue(int value)
{
    if (widget())
        widget()->setChecked(value == 1);
}

void QtCheckBox::setCaption(const QString &caption)
{
    if (widget())
        widget()->setText(caption);
}

void QtCheckBox::setColours(Colour back, Colour fore)
{
    if (!m_widget)
        return;
    // A button's background role is Button, while its caption is drawn as window text.
    QPalette pal = m_widget->palette();
    for (QPalette::ColorRole role : {QPalette::Window, QPalette::Button})
        pal.setColor(role, toQColor(back));
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
        for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::ButtonText})
            pal.setColor(group, role, toQColor(fore));
    m_widget->setPalette(pal);
    m_widget->setAutoFillBackground(true);
}

void QtCheckBox::setTabStop(bool stop)
{
    if (m_widget)
        m_widget->setFocusPolicy(stop ? Qt::StrongFocus : Qt::ClickFocus);
}

// ---- QtLine

QtLine::QtLine(QtWindow *window, const QString &name, double x1, double y1, double x2, double y2)
    : m_window(window), m_widget(new LineWidget(window->clientArea())), m_x1(x1), m_y1(y1), m_x2(x2), m_y2(y2)
{
    m_widget->setObjectName(name);
    applyGeometry();
}

QtLine::~QtLine()
{
    delete m_widget.data();
}

QString QtLine::name() const
{
    return m_widget ? m_widget->objectName() : QString();
}

std::optional<double> QtLine::get(Prop prop) const
{
    switch (prop) {
    case Prop::X1:
        return m_x1;
    case Prop::Y1:
        return m_y1;
    case Prop::X2:
        return m_x2;
    case Prop::Y2:
        return m_y2;
    default:
        return std::nullopt;
    }
}

bool QtLine::set(Prop prop, double value)
{
    if (!std::isfinite(value))
        return false;
    switch (prop) {
    case Prop::X1:
        m_x1 = value;
        break;
    case Prop::Y1:
        m_y1 = value;
        break;
    case Prop::X2:
        m_x2 = value;
        break;
    case Prop::Y2:
        m_y2 = value;
        break;
    default:
        return false;
    }
    applyGeometry();
    return true;
}

void QtLine::applyGeometry()
{
    if (!m_widget)
        return;
    const double tpp = m_window->twipsPerPixel();
    const QPoint a(toPixels(m_x1, tpp), toPixels(m_y1, tpp));
    const QPoint b(toPixels(m_x2, tpp), toPixels(m_y2, tpp));
    // The widget covers the line's pixels, end points included.
    const QRect box(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
                    QPoint(std::max(a.x(), b.x()), std::max(a.y(), b.y())));
    m_widget->setGeometry(box);
    m_widget->setEnds(a - box.topLeft(), b - box.topLeft());
}

// ---- QtMenuItem

QtMenuItem::QtMenuItem(QAction *action, const QString &name, bool checkable) : m_action(action), m_name(name)
{
    action->setObjectName(name);
    action->setCheckable(checkable);
    QObject::connect(action, &QAction::triggered, action, [action, this] {
        if (action->isCheckable())
            action->setChecked(m_checked);
    });
}

QtMenuItem::~QtMenuItem()
{
    if (!m_action)
        return;
    if (QMenu *menu = m_action->menu())
        delete menu;
    else
        delete m_action.data();
}

void QtMenuItem::setChecked(bool checked)
{
    m_checked = checked;
    if (!m_action)
        return;
    if (checked)
        m_action->setCheckable(true);
    m_action->setChecked(checked);
}

// ---- QtTimer

QtTimer::QtTimer(QObject *owner, const QString &name, int interval) : m_timer(new QTimer(owner)), m_name(name)
{
    m_timer->setObjectName(name);
    // A coarse timer may fire up to 5 % early; the interval is a promise here.
    m_timer->setTimerType(Qt::PreciseTimer);
    m_timer->setInterval(interval);
}

QtTimer::~QtTimer()
{
    delete m_timer.data();
}

bool QtTimer::isEnabled() const
{
    return m_timer && m_timer->isActive();
}

void QtTimer::setEnabled(bool enabled)
{
    if (!m_timer)
        return;
    if (!enabled)
        m_timer->stop();
    else if (!m_timer->isActive())
        m_timer->start();
}

int QtTimer::interval() const
{
    return m_timer ? m_timer->interval() : 0;
}

} // namespace view::qt
