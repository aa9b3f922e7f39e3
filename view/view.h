#pragma once
// The view interface: what the study engine and the band-plan logic need of the
// windows and controls they drive. It is plain C++ on QtCore types so that the
// logic runs against an in-memory view in tests and against Qt widgets in the
// program. Geometry is in twips (1/1440 inch); colours are &H00BBGGRR values.

#include <QString>

#include <cstdint>
#include <optional>

namespace view {

// A colour as &H00BBGGRR: red in the low byte, blue in the high byte.
using Colour = std::uint32_t;

constexpr Colour rgb(int r, int g, int b)
{
    return Colour(r & 0xFF) | (Colour(g & 0xFF) << 8) | (Colour(b & 0xFF) << 16);
}
constexpr int redOf(Colour c)
{
    return int(c & 0xFF);
}
constexpr int greenOf(Colour c)
{
    return int((c >> 8) & 0xFF);
}
constexpr int blueOf(Colour c)
{
    return int((c >> 16) & 0xFF);
}

enum class Kind { Label, Button, CheckBox, Picture, Line, MenuItem, Timer, Component };

// Properties reachable by name through the control list.
enum class Prop { Left, Top, Width, Height, FontSize, X1, Y1, X2, Y2 };

enum class Align { Left, Centre, Right };

class Control
{
public:
    virtual ~Control() = default;
    virtual QString name() const = 0;
    virtual Kind kind() const = 0;
    // A property the control lacks reads as nullopt and refuses a write (returns false).
    virtual std::optional<double> get(Prop prop) const = 0;
    virtual bool set(Prop prop, double value) = 0;
};

class Label : public Control
{
public:
    virtual QString text() const = 0;
    virtual void setText(const QString &text) = 0;
    virtual bool isVisible() const = 0;
    virtual void setVisible(bool visible) = 0;
    // A disabled label raises no click.
    virtual bool isEnabled() const = 0;
    virtual void setEnabled(bool enabled) = 0;
    virtual Colour backColor() const = 0;
    virtual void setBackColor(Colour colour) = 0;
    virtual Colour foreColor() const = 0;
    virtual void setForeColor(Colour colour) = 0;
    virtual void setBorder(bool single) = 0;
    virtual void setAlignment(Align align) = 0;
    virtual QString toolTip() const = 0;
    virtual void setToolTip(const QString &tip) = 0;
    virtual QString fontName() const = 0;
    virtual void setFontName(const QString &family) = 0;
    virtual void bringToFront() = 0;
};

class Button : public Control
{
public:
    virtual bool isVisible() const = 0;
    virtual void setVisible(bool visible) = 0;
    virtual void setFocus() = 0;
};

class CheckBox : public Control
{
public:
    // 1 when ticked, 0 otherwise.
    virtual int value() const = 0;
};

class MenuItem : public Control
{
public:
    virtual bool isChecked() const = 0;
    virtual void setChecked(bool checked) = 0;
};

// A periodic timer; no tick arrives while it is disabled.
class Timer : public Control
{
public:
    virtual bool isEnabled() const = 0;
    virtual void setEnabled(bool enabled) = 0;
    virtual int interval() const = 0;
};

class Window
{
public:
    virtual ~Window() = default;
    // The window's own outer Left, Top, Width, Height and FontSize.
    virtual std::optional<double> get(Prop prop) const = 0;
    virtual bool set(Prop prop, double value) = 0;
    virtual bool isShowing() const = 0;

    // The control list, in a fixed order; menu items, timers and components included.
    virtual int controlCount() const = 0;
    virtual Control *control(int index) = 0;
    // Adds a label at the end of the list, created hidden. Returns null if the name is taken.
    virtual Label *addLabel(const QString &name) = 0;
    // Removes and destroys the control of that name; false when there is none.
    virtual bool removeControl(const QString &name) = 0;
    // The control of that name, or null when there is none.
    virtual Control *find(const QString &name) const = 0;
    template <class T> T *findAs(const QString &name) const { return dynamic_cast<T *>(find(name)); }
};

class Screen
{
public:
    virtual ~Screen() = default;
    virtual double widthTwips() const = 0;
    virtual double heightTwips() const = 0;
    // The screen less the task bar; nullopt when it cannot be read.
    virtual std::optional<double> workAreaWidthTwips() const = 0;
    virtual std::optional<double> workAreaHeightTwips() const = 0;
};

class Services
{
public:
    virtual ~Services() = default;
    // A modal message box with a single OK button; returns when it is dismissed.
    virtual void messageBox(const QString &text, const QString &title) = 0;
    virtual void beep() = 0;
    // Paints pending changes at once, so feedback is on screen before a sound starts.
    virtual void repaintNow() = 0;
};

} // namespace view
