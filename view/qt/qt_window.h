#pragma once
// QtWindow: the one window class of the program, a top-level QWidget that realises
// view::Window. Both the study window and the "Frequency Privileges" window are built
// on it.
//
// How to build a window on it:
//   1. Derive from QtWindow (or use it as it is), passing the design client size in
//      twips and the design difference between outer and client size (border, title
//      bar, menu bar) that the window's outer size assumes until the platform's own
//      figures are known, i.e. until the window has been shown.
//   2. Create the controls with createLabel, createPicture, createButton,
//      createCheckBox, createLine, createMenu/createMenuItem, createTimer and
//      createComponent, in the order the control list should have. Each control's
//      widget gets the design name as its object name. Set design values through the
//      adapters (setGeometryTwips, setFont, setText, setCaption, colours...).
//      Windowless controls (labels, pictures, lines) always stay beneath buttons and
//      check boxes, as on the design platform; among them a later one lies higher,
//      and bringToFront raises a label to the top of the windowless ones.
//   3. Route events by connecting to the widgets' signals: LabelWidget::clicked,
//      QPushButton::clicked, QCheckBox::clicked, QAction::triggered, QTimer::timeout.
//      Override keyDown for key preview: it sees every key pressed in the window
//      before the focused control, and setting the code to 0 consumes the key.
//   4. Geometry: control positions are twips from the top-left of the client area
//      (below the menu bar); get/set of Prop::Left..Height on the window read and
//      write its outer frame in twips. Twips map to pixels through the screen's
//      logical resolution (15 twips a pixel at 96 dpi). Nothing is laid out
//      automatically: a resize by the user moves and scales nothing.
//   5. To show a window modally call showModal(); it returns when the window is
//      hidden, closed or destroyed.
//
// addLabel (of view::Window) creates a hidden label with the window's default font at
// the end of the control list; removeControl destroys a control and its widget.

#include "view/qt/qt_controls.h"
#include "view/view.h"

#include <QHash>
#include <QMenuBar>
#include <QWidget>

#include <memory>
#include <vector>

namespace view::qt {

class QtWindow : public QWidget, public Window
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(QtWindow)

public:
    // clientTwips: the design client area; designDecorationTwips: outer minus client
    // size on the design platform, used until the real decorations are known.
    QtWindow(QSizeF clientTwips, QSizeF designDecorationTwips, QWidget *parent = nullptr);
    ~QtWindow() override;

    // view::Window
    std::optional<double> get(Prop prop) const override;
    bool set(Prop prop, double value) override;
    bool isShowing() const override;
    int controlCount() const override { return int(m_controls.size()); }
    Control *control(int index) override;
    Label *addLabel(const QString &name) override;
    bool removeControl(const QString &name) override;

    // Controls, appended to the control list. Names must be unique; a taken name gives null.
    QtLabel *createLabel(const QString &name);
    QtPicture *createPicture(const QString &name);
    QtButton *createButton(const QString &name);
    QtCheckBox *createCheckBox(const QString &name);
    QtLine *createLine(const QString &name, double x1, double y1, double x2, double y2);
    // A menu on the menu bar, opening a submenu (parent null), or a submenu inside a menu.
    QtMenuItem *createMenu(const QString &name, const QString &caption, QtMenuItem *parent = nullptr);
    // An item that acts when chosen, on the menu bar (parent null) or in a menu.
    QtMenuItem *createMenuItem(const QString &name, const QString &caption, QtMenuItem *parent = nullptr,
                               bool checkable = false);
    QtTimer *createTimer(const QString &name, int intervalMs);
    QtComponent *createComponent(const QString &name);

    // By name, through an index kept in step with the list: a chart of a few hundred
    // labels is made and removed by name without a walk over the list each time.
    Control *find(const QString &name) const override;

    // The font of controls that have none of their own (labels made by addLabel).
    void setDefaultFont(const FontSpec &font) { m_defaultFont = font; }
    const FontSpec &defaultFont() const { return m_defaultFont; }

    QWidget *clientArea() const { return m_client; }
    QMenuBar *menuBar() const { return m_menuBar; }
    double twipsPerPixel() const;
    // Outer minus client size in twips: the design figures until the window has been shown.
    QSizeF decorationTwips() const;

    // Places a windowless widget above every other windowless one, beneath buttons and check boxes.
    void raiseWindowless(QWidget *widget);
    // Shows the window application-modal and returns once it is hidden, closed or destroyed.
    void showModal();

Q_SIGNALS:
    void hidden();

protected:
    // Key preview: every key press in the window, before the focused control. Set
    // keyCode to 0 to consume the key. Letter keys arrive as the upper-case letter's code.
    virtual void keyDown(int &keyCode);

    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    template <class T> T *append(std::unique_ptr<T> control);
    QtLabel *makeLabel(const QString &name, bool visible);
    void watchKeys(QWidget *widget);
    void applyOuterGeometry();
    void layoutChildren();
    void syncDecorations();
    int menuBarHeight() const;
    // The menu bar, made on first use: it counts in the window's outer size from then on.
    QMenuBar *ensureMenuBar();

    QWidget *m_client;
    QMenuBar *m_menuBar = nullptr;
    std::vector<std::unique_ptr<Control>> m_controls;
    QHash<QString, Control *> m_byName;
    FontSpec m_defaultFont;

    double m_left = 0, m_top = 0, m_width, m_height;
    double m_fontSize = 8.25;
    QSizeF m_designDecoration;
    std::optional<QSize> m_platformDecoration; // pixels, once shown
    QSize m_appliedSize;                       // the widget size last set from the outer twips
    bool m_applying = false;
};

} // namespace view::qt
