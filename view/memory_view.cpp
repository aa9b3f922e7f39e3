#include "view/memory_view.h"

#include <algorithm>

namespace view::memory {

namespace {
const std::vector<Prop> kBoxProps{Prop::Left, Prop::Top, Prop::Width, Prop::Height, Prop::FontSize};
}

MemoryControl::MemoryControl(QString name, Kind kind, std::vector<Prop> props)
    : m_name(std::move(name)), m_kind(kind)
{
    for (Prop p : props)
        m_props[p] = 0.0;
}

std::optional<double> MemoryControl::getProp(Prop prop) const
{
    auto it = m_props.find(prop);
    if (it == m_props.end())
        return std::nullopt;
    return it->second;
}

bool MemoryControl::setProp(Prop prop, double value)
{
    auto it = m_props.find(prop);
    if (it == m_props.end())
        return false;
    it->second = value;
    return true;
}

MemLabel::MemLabel(QString name, MemoryWindow *window, Kind kind)
    : MemoryControl(std::move(name), kind,
                    kind == Kind::Picture
                        ? std::vector<Prop>{Prop::Left, Prop::Top, Prop::Width, Prop::Height}
                        : kBoxProps),
      m_window(window)
{
}

void MemLabel::bringToFront()
{
    if (m_window)
        m_window->m_frontOrder.push_back(m_name);
}

MemButton::MemButton(QString name, MemoryWindow *window)
    : MemoryControl(std::move(name), Kind::Button, kBoxProps), m_window(window)
{
}

void MemButton::setFocus()
{
    if (m_window)
        m_window->m_focus = m_name;
}

MemCheckBox::MemCheckBox(QString name) : MemoryControl(std::move(name), Kind::CheckBox, kBoxProps) {}

MemMenuItem::MemMenuItem(QString name) : MemoryControl(std::move(name), Kind::MenuItem, {}) {}

MemTimer::MemTimer(QString name, int interval)
    : MemoryControl(std::move(name), Kind::Timer, {}), m_interval(interval)
{
}

void MemTimer::setEnabled(bool enabled)
{
    if (enabled && !m_enabled)
        ++m_starts;
    m_enabled = enabled;
}

MemLine::MemLine(QString name, double x1, double y1, double x2, double y2)
    : MemoryControl(std::move(name), Kind::Line, {Prop::X1, Prop::Y1, Prop::X2, Prop::Y2})
{
    m_props[Prop::X1] = x1;
    m_props[Prop::Y1] = y1;
    m_props[Prop::X2] = x2;
    m_props[Prop::Y2] = y2;
}

MemComponent::MemComponent(QString name) : MemoryControl(std::move(name), Kind::Component, {}) {}

MemoryWindow::MemoryWindow(double width, double height)
{
    m_geometry = {{Prop::Left, 0.0},
                  {Prop::Top, 0.0},
                  {Prop::Width, width},
                  {Prop::Height, height},
                  {Prop::FontSize, 8.25}};
}

std::optional<double> MemoryWindow::get(Prop prop) const
{
    auto it = m_geometry.find(prop);
    if (it == m_geometry.end())
        return std::nullopt;
    return it->second;
}

bool MemoryWindow::set(Prop prop, double value)
{
    auto it = m_geometry.find(prop);
    if (it == m_geometry.end())
        return false;
    it->second = value;
    return true;
}

Control *MemoryWindow::control(int index)
{
    if (index < 0 || index >= controlCount())
        return nullptr;
    return m_controls[std::size_t(index)].get();
}

Label *MemoryWindow::addLabel(const QString &name)
{
    if (find(name))
        return nullptr;
    MemLabel *label = addMemLabel(name);
    label->m_visible = false;
    return label;
}

void MemoryWindow::index(Control *control)
{
    const QString name = control->name();
    if (m_byName.contains(name))
        m_sharedNames = true;
    else
        m_byName.insert(name, control);
}

bool MemoryWindow::removeControl(const QString &name)
{
    Control *control = find(name);
    if (!control)
        return false;
    // Labels made at run time are the last ones, so the search from the end is short.
    const auto it = std::find_if(m_controls.rbegin(), m_controls.rend(),
                                 [control](const auto &c) { return c.get() == control; });
    m_controls.erase(std::next(it).base());
    m_byName.remove(name);
    if (m_sharedNames) {
        const auto next = std::find_if(m_controls.begin(), m_controls.end(),
                                       [&](const auto &c) { return c->name() == name; });
        if (next != m_controls.end())
            m_byName.insert(name, next->get());
    }
    return true;
}

Control *MemoryWindow::find(const QString &name) const
{
    return m_byName.value(name);
}

MemLabel *MemoryWindow::label(const QString &name)
{
    return dynamic_cast<MemLabel *>(find(name));
}

QStringList MemoryWindow::names() const
{
    QStringList out;
    for (const auto &c : m_controls)
        out << c->name();
    return out;
}

MemScreen::MemScreen(double widthPx, double heightPx)
    : m_width(widthPx * 15), m_height(heightPx * 15), m_workWidth(widthPx * 15), m_workHeight(heightPx * 15)
{
}

void MemServices::messageBox(const QString &text, const QString &title)
{
    m_messages.push_back({text, title});
}

} // namespace view::memory
