#pragma once
// Qt Widgets realisations of the view's controls. Each adapter owns its widget (or
// action, or timer) and keeps its geometry in twips and its font size in points as
// floating-point values; the widget shows them rounded to whole pixels. The
// adapters are made by QtWindow, which holds them in its control list.

#include "view/view.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

#include <functional>

namespace view::qt {

class QtWindow;

// A font as the design gives it: a family name (substituted by Qt where the face is
// missing), a size in points and a style.
struct FontSpec
{
    QString family = QStringLiteral("MS Sans Serif");
    double pointSize = 8.25;
    bool bold = false;
    bool italic = false;
    bool underline = false;

    QFont toFont() const;
    bool operator==(const FontSpec &) const = default;
};

// A label that draws an optional one-pixel border and reports left-button clicks.
// A disabled label gets no mouse events, so it raises no click.
class LabelWidget final : public QLabel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(LabelWidget)

public:
    explicit LabelWidget(QWidget *parent);
    void setBorder(bool single);
    bool hasBorder() const { return m_border; }
    // Background and text colour, and whether the background is painted at all. A
    // label not yet shown takes them when it is first polished, just before it shows:
    // a label made at run time has several colours set and pays for one palette change.
    void setColours(const QColor &back, const QColor &fore, bool fill);

    // Sets the text; textChanged tells those who mirror it (an answer button's description).
    void setCaption(const QString &text);

Q_SIGNALS:
    void clicked();
    void textChanged(const QString &text);

protected:
    bool event(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void applyColours();
    bool textIsInvisible() const;

    bool m_border = false;
    bool m_pressed = false;
    QColor m_back, m_fore;
    bool m_fill = true;
    bool m_coloursPending = false;
};

// A picture stretched to fill the widget. A drawing made by code is drawn afresh at
// the size the widget shows, once per size, so that it is never drawn at one size
// and then resampled to another.
class PictureWidget final : public QLabel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PictureWidget)

public:
    // Draws the picture into the rectangle (0, 0) to designSize of the painter.
    using Drawing = std::function<void(QPainter &)>;

    explicit PictureWidget(QWidget *parent);
    void setDrawing(QSizeF designSize, Drawing drawing);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void render();

    QSizeF m_designSize;
    Drawing m_drawing;
};

// A straight line between two points, drawn one pixel wide; it takes no input.
class LineWidget final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(LineWidget)

public:
    explicit LineWidget(QWidget *parent);
    // End points in pixels of the parent.
    void setEnds(QPoint from, QPoint to);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPoint m_from, m_to;
};

// Geometry and font shared by the controls that sit in a box (labels, pictures,
// buttons, check boxes).
class BoxControl
{
public:
    virtual ~BoxControl();
    QWidget *qwidget() const { return m_widget; }

    void setGeometryTwips(double left, double top, double width, double height);
    // Shows the stored twips on the widget, rounded to pixels at the window's resolution.
    void applyGeometry();
    const FontSpec &font() const { return m_font; }
    void setFont(const FontSpec &font);

protected:
    BoxControl(QtWindow *window, QWidget *widget, bool hasFont);
    std::optional<double> getBox(Prop prop) const;
    bool setBox(Prop prop, double value);

    QtWindow *m_window;
    QPointer<QWidget> m_widget;

private:
    double m_left = 0, m_top = 0, m_width = 0, m_height = 0;
    bool m_hasFont;
    FontSpec m_font;
};

#define EXAMORA_QT_CONTROL_BASICS                                                                            \
    QString name() const override                                                                            \
    {                                                                                                        \
        return m_widget ? m_widget->objectName() : QString();                                                \
    }                                                                                                        \
    std::optional<double> get(Prop prop) const override                                                      \
    {                                                                                                        \
        return getBox(prop);                                                                                 \
    }                                                                                                        \
    bool set(Prop prop, double value) override                                                               \
    {                                                                                                        \
        return setBox(prop, value);                                                                          \
    }

class QtLabel final : public Label, public BoxControl
{
public:
    QtLabel(QtWindow *window, const QString &name);
    EXAMORA_QT_CONTROL_BASICS
    Kind kind() const override { return Kind::Label; }
    LabelWidget *widget() const { return static_cast<LabelWidget *>(m_widget.data()); }

    QString text() const override;
    void setText(const QString &text) override;
    bool isVisible() const override;
    void setVisible(bool visible) override;
    bool isEnabled() const override;
    void setEnabled(bool enabled) override;
    Colour backColor() const override { return m_back; }
    void setBackColor(Colour colour) override;
    Colour foreColor() const override { return m_fore; }
    void setForeColor(Colour colour) override;
    void setBorder(bool single) override;
    void setAlignment(Align align) override;
    QString toolTip() const override { return m_toolTip; }
    void setToolTip(const QString &tip) override;
    QString fontName() const override { return font().family; }
    void setFontName(const QString &family) override;
    void bringToFront() override;

    // A transparent label shows what lies beneath it; its back colour is kept but not painted.
    void setTransparent(bool transparent);
    // An announced label is spoken by screen readers each time it is told to show.
    void setAnnounced(bool announced);

private:
    void applyColours();

    Colour m_back;
    Colour m_fore;
    bool m_transparent = false;
    bool m_announced = false;
    QString m_toolTip;
};

// A picture stretched to fill its box, on white; it has no font.
class QtPicture final : public Control, public BoxControl
{
public:
    QtPicture(QtWindow *window, const QString &name);
    EXAMORA_QT_CONTROL_BASICS
    Kind kind() const override { return Kind::Picture; }
    PictureWidget *widget() const { return static_cast<PictureWidget *>(m_widget.data()); }
    void setPicture(const QPixmap &pixmap);
    // A picture drawn by code for a box of designSize pixels, drawn at the box's own size.
    void setDrawing(QSizeF designSize, PictureWidget::Drawing drawing);
};

class QtButton final : public Button, public BoxControl
{
public:
    QtButton(QtWindow *window, const QString &name);
    EXAMORA_QT_CONTROL_BASICS
    Kind kind() const override { return Kind::Button; }
    QPushButton *widget() const { return static_cast<QPushButton *>(m_widget.data()); }

    bool isVisible() const override;
    void setVisible(bool visible) override;
    void setFocus() override;

    void setCaption(const QString &caption);
    void setToolTip(const QString &tip);
    // A tab stop takes the focus by Tab and by click; any other button by click only.
    void setTabStop(bool stop);
};

class QtCheckBox final : public CheckBox, public BoxControl
{
public:
    QtCheckBox(QtWindow *window, const QString &name);
    EXAMORA_QT_CONTROL_BASICS
    Kind kind() const override { return Kind::CheckBox; }
    QCheckBox *widget() const { return static_cast<QCheckBox *>(m_widget.data()); }

    int value() const override;
    void setValue(int value);
    void setCaption(const QString &caption);
    void setColours(Colour back, Colour fore);
    void setTabStop(bool stop);
};

// A line has only its end points, in twips.
class QtLine final : public Control
{
public:
    QtLine(QtWindow *window, const QString &name, double x1, double y1, double x2, double y2);
    ~QtLine() override;
    QString name() const override;
    Kind kind() const override { return Kind::Line; }
    std::optional<double> get(Prop prop) const override;
    bool set(Prop prop, double value) override;
    LineWidget *widget() const { return m_widget; }
    void applyGeometry();

private:
    QtWindow *m_window;
    QPointer<LineWidget> m_widget;
    double m_x1, m_y1, m_x2, m_y2;
};

// A menu item: an action on the menu bar or in a menu. It has no geometry. The check
// mark changes only from code: a click that Qt would toggle is put back at once.
class QtMenuItem final : public MenuItem
{
public:
    QtMenuItem(QAction *action, const QString &name, bool checkable);
    ~QtMenuItem() override;
    QString name() const override { return m_name; }
    Kind kind() const override { return Kind::MenuItem; }
    std::optional<double> get(Prop) const override { return std::nullopt; }
    bool set(Prop, double) override { return false; }
    bool isChecked() const override { return m_checked; }
    void setChecked(bool checked) override;

    QAction *action() const { return m_action; }

private:
    QPointer<QAction> m_action;
    QString m_name;
    bool m_checked = false;
};

// A periodic timer; enabling it starts the count unless it is already running.
class QtTimer final : public Timer
{
public:
    QtTimer(QObject *owner, const QString &name, int interval);
    ~QtTimer() override;
    QString name() const override { return m_name; }
    Kind kind() const override { return Kind::Timer; }
    std::optional<double> get(Prop) const override { return std::nullopt; }
    bool set(Prop, double) override { return false; }
    bool isEnabled() const override;
    void setEnabled(bool enabled) override;
    int interval() const override;

    QTimer *timer() const { return m_timer; }

private:
    QPointer<QTimer> m_timer;
    QString m_name;
};

// A component with no properties reachable by name (sound, system information).
class QtComponent final : public Control
{
public:
    explicit QtComponent(const QString &name) : m_name(name) {}
    QString name() const override { return m_name; }
    Kind kind() const override { return Kind::Component; }
    std::optional<double> get(Prop) const override { return std::nullopt; }
    bool set(Prop, double) override { return false; }

private:
    QString m_name;
};

#undef EXAMORA_QT_CONTROL_BASICS

QColor toQColor(Colour colour);

} // namespace view::qt
