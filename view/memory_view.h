#pragma once
// An in-memory realisation of the view interface for tests: every control records
// what was set on it, and the window records focus, message boxes and beeps.

#include "view/view.h"

#include <QHash>
#include <QStringList>

#include <map>
#include <memory>
#include <vector>

namespace view::memory {

class MemoryWindow;

// Geometry common to every in-memory control; `props` says which ones it has.
class MemoryControl
{
public:
    MemoryControl(QString name, Kind kind, std::vector<Prop> props);
    std::optional<double> getProp(Prop prop) const;
    bool setProp(Prop prop, double value);

    QString m_name;
    Kind m_kind;
    std::map<Prop, double> m_props;
};

#define EXAMORA_MEMORY_CONTROL_BASICS                                                                        \
    QString name() const override                                                                            \
    {                                                                                                        \
        return m_name;                                                                                       \
    }                                                                                                        \
    Kind kind() const override                                                                               \
    {                                                                                                        \
        return m_kind;                                                                                       \
    }                                                                                                        \
    std::optional<double> get(Prop prop) const override                                                      \
    {                                                                                                        \
        return getProp(prop);                                                                                \
    }                                                                                                        \
    bool set(Prop prop, double value) override                                                               \
    {                                                                                                        \
        return setProp(prop, value);                                                                         \
    }

class MemLabel final : public Label, public MemoryControl
{
public:
    MemLabel(QString name, MemoryWindow *window, Kind kind = Kind::Label);
    EXAMORA_MEMORY_CONTROL_BASICS

    QString text() const override { return m_text; }
    void setText(const QString &text) override { m_text = text; }
    bool isVisible() const override { return m_visible; }
    void setVisible(bool visible) override { m_visible = visible; }
    bool isEnabled() const override { return m_enabled; }
    void setEnabled(bool enabled) override { m_enabled = enabled; }
    Colour backColor() const override { return m_back; }
    void setBackColor(Colour colour) override { m_back = colour; }
    Colour foreColor() const override { return m_fore; }
    void setForeColor(Colour colour) override { m_fore = colour; }
    void setBorder(bool single) override { m_border = single; }
    void setAlignment(Align align) override { m_align = align; }
    QString toolTip() const override { return m_toolTip; }
    void setToolTip(const QString &tip) override { m_toolTip = tip; }
    QString fontName() const override { return m_font; }
    void setFontName(const QString &family) override { m_font = family; }
    void bringToFront() override;

    QString m_text;
    bool m_visible = true;
    bool m_enabled = true;
    Colour m_back = 0xC0C0C0;
    Colour m_fore = 0;
    bool m_border = false;
    Align m_align = Align::Left;
    QString m_toolTip;
    QString m_font;

private:
    MemoryWindow *m_window;
};

class MemButton final : public Button, public MemoryControl
{
public:
    MemButton(QString name, MemoryWindow *window);
    EXAMORA_MEMORY_CONTROL_BASICS
    bool isVisible() const override { return m_visible; }
    void setVisible(bool visible) override { m_visible = visible; }
    void setFocus() override;

    bool m_visible = true;

private:
    MemoryWindow *m_window;
};

class MemCheckBox final : public CheckBox, public MemoryControl
{
public:
    explicit MemCheckBox(QString name);
    EXAMORA_MEMORY_CONTROL_BASICS
    int value() const override { return m_value; }
    int m_value = 1;
};

class MemMenuItem final : public MenuItem, public MemoryControl
{
public:
    explicit MemMenuItem(QString name);
    EXAMORA_MEMORY_CONTROL_BASICS
    bool isChecked() const override { return m_checked; }
    void setChecked(bool checked) override { m_checked = checked; }
    bool m_checked = false;
};

class MemTimer final : public Timer, public MemoryControl
{
public:
    MemTimer(QString name, int interval);
    EXAMORA_MEMORY_CONTROL_BASICS
    bool isEnabled() const override { return m_enabled; }
    void setEnabled(bool enabled) override;
    int interval() const override { return m_interval; }

    bool m_enabled = false;
    int m_interval;
    int m_starts = 0; // how often it went from disabled to enabled
};

// A straight line: only its end points.
class MemLine final : public Control, public MemoryControl
{
public:
    MemLine(QString name, double x1, double y1, double x2, double y2);
    EXAMORA_MEMORY_CONTROL_BASICS
};

// A control with no geometry at all (a component such as the sound or system-information control).
class MemComponent final : public Control, public MemoryControl
{
public:
    explicit MemComponent(QString name);
    EXAMORA_MEMORY_CONTROL_BASICS
};

#undef EXAMORA_MEMORY_CONTROL_BASICS

class MemoryWindow final : public Window
{
public:
    MemoryWindow(double width = 9600, double height = 7200);

    std::optional<double> get(Prop prop) const override;
    bool set(Prop prop, double value) override;
    bool isShowing() const override { return m_showing; }
    int controlCount() const override { return int(m_controls.size()); }
    Control *control(int index) override;
    Label *addLabel(const QString &name) override;
    bool removeControl(const QString &name) override;

    template <class T, class... Args> T *add(Args &&...args)
    {
        auto owned = std::make_unique<T>(std::forward<Args>(args)...);
        T *raw = owned.get();
        index(raw);
        m_controls.push_back(std::move(owned));
        return raw;
    }
    MemLabel *addMemLabel(const QString &name) { return add<MemLabel>(name, this); }
    MemButton *addMemButton(const QString &name) { return add<MemButton>(name, this); }
    Control *find(const QString &name) const override;
    MemLabel *label(const QString &name);
    QStringList names() const;

    std::map<Prop, double> m_geometry;
    bool m_showing = true;
    QString m_focus;          // name of the control holding the keyboard focus
    QStringList m_frontOrder; // labels brought to the front, in order

private:
    void index(Control *control);

    std::vector<std::unique_ptr<Control>> m_controls;
    // The first control of each name, so that a chart of a few hundred labels is made
    // and removed by name without a walk over the list each time. Tests may add two
    // controls of one name; only then does a removal look for the next one.
    QHash<QString, Control *> m_byName;
    bool m_sharedNames = false;
};

class MemScreen final : public Screen
{
public:
    MemScreen(double widthPx, double heightPx);
    double widthTwips() const override { return m_width; }
    double heightTwips() const override { return m_height; }
    std::optional<double> workAreaWidthTwips() const override { return m_workWidth; }
    std::optional<double> workAreaHeightTwips() const override { return m_workHeight; }

    double m_width, m_height;
    std::optional<double> m_workWidth, m_workHeight;
};

class MemServices final : public Services
{
public:
    void messageBox(const QString &text, const QString &title) override;
    void beep() override { ++m_beeps; }
    void repaintNow() override { ++m_repaints; }

    struct Message
    {
        QString text, title;
    };
    std::vector<Message> m_messages;
    int m_beeps = 0;
    int m_repaints = 0;
};

} // namespace view::memory
