#include "mainwindow/form1_controls.h"

#include <utility>
#include <vector>

namespace mainwindow {

QStringList Form1Controls::faults() const
{
    std::vector<std::pair<QString, const view::Control *>> expected = {
        {QStringLiteral("Label1"), Label1},
        {QStringLiteral("Label2"), Label2},
        {QStringLiteral("Label3"), Label3},
        {QStringLiteral("Label4"), Label4},
        {QStringLiteral("Label11"), Label11},
        {QStringLiteral("Label12"), Label12},
        {QStringLiteral("Label13"), Label13},
        {QStringLiteral("Label17"), Label17},
        {QStringLiteral("lblQuestion"), lblQuestion},
        {QStringLiteral("Command1"), Command1},
        {QStringLiteral("Command2"), Command2},
        {QStringLiteral("Command3"), Command3},
        {QStringLiteral("Command4"), Command4},
        {QStringLiteral("Command5"), Command5},
        {QStringLiteral("Command6"), Command6},
        {QStringLiteral("Command7"), Command7},
        {QStringLiteral("Command8"), Command8},
        {QStringLiteral("Command9"), Command9},
        {QStringLiteral("Check1"), Check1},
        {QStringLiteral("Check2"), Check2},
        {QStringLiteral("Timer1"), Timer1},
        {QStringLiteral("mnuTest"), mnuTest},
        {QStringLiteral("mnuExit"), mnuExit},
        {QStringLiteral("mnuTechnician"), mnuTechnician},
        {QStringLiteral("mnuGeneral"), mnuGeneral},
        {QStringLiteral("mnuExtra"), mnuExtra},
        {QStringLiteral("mnuPrivelages"), mnuPrivelages},
    };
    for (int i = 0; i < 4; ++i) {
        expected.emplace_back(QStringLiteral("lblDist%1").arg(i + 1), lblDist[std::size_t(i)]);
        expected.emplace_back(QStringLiteral("cmd") + QChar(u'A' + i), cmdAnswer[std::size_t(i)]);
    }
    for (int i = 0; i < 3; ++i) {
        expected.emplace_back(QStringLiteral("Image%1").arg(i + 1), products[std::size_t(i)]);
        expected.emplace_back(QStringLiteral("Label%1").arg(14 + i), productNames[std::size_t(i)]);
    }

    QStringList out;
    for (const auto &[name, control] : expected) {
        if (!control)
            out << name + QStringLiteral(": not created");
        else if (control->name() != name)
            out << name + QStringLiteral(": holds ") + control->name();
    }
    return out;
}

} // namespace mainwindow
