#pragma once
// The band-plan table of the "Frequency Privileges" window and its file.
//
// "BandPlan.txt" holds an effective date, then five-field records (band name, class
// code, mode, low and high limit). A band record (class "O") gives a band's extent;
// the privilege records of the six licence classes that follow it with the same band
// name give the segments each class may use. Record n is kept at index n of the five
// arrays; index 0 stays unused, so the table holds at most 200 records.

#include <QLocale>
#include <QString>

#include <array>
#include <optional>

namespace view {
class Label;
}

namespace bandplan {

inline constexpr int kMaxPlanRecords = 200;
inline constexpr auto kBandPlanFile = "BandPlan.txt";

struct BandPlanTable
{
    float planCount = 0; // whole numbers only
    std::array<QString, kMaxPlanRecords + 1> planBand;
    std::array<QString, kMaxPlanRecords + 1> planClass;
    std::array<QString, kMaxPlanRecords + 1> planMode;
    std::array<float, kMaxPlanRecords + 1> planLow{};
    std::array<float, kMaxPlanRecords + 1> planHigh{};

    // planCount as an index bound, never beyond the last slot.
    int recordCount() const;
};

enum class LoadError {
    Unreadable,     // missing, a folder, or cannot be read
    NoDate,         // the file ends before the date field
    TooManyRecords, // a 201st record
    PartialRecord,  // the file ends inside a record
    NotANumber,     // a limit that is not a finite decimal number
};

// The outcome of a load: success, or what went wrong and where.
struct LoadResult
{
    bool ok = true;
    LoadError error = LoadError::Unreadable;
    QString description;
    // The effective date, whenever it was read: a load that fails on a later record has one.
    std::optional<QString> date;

    static LoadResult success() { return {}; }
    static LoadResult failure(LoadError error, QString description)
    {
        return {false, error, std::move(description), {}};
    }
};

inline const QString kLoadFailureText = QStringLiteral("Band data not available.");
inline const QString kLoadFailureTitle = QStringLiteral("Band Data Not Available.");

// Reads the band plan at `path` into `table`; the result carries the effective date when
// it was read. After a failure the table is left empty, so that the class buttons chart
// nothing rather than a part of the plan.
LoadResult LoadBandPlan(BandPlanTable &table, const QString &path = QString::fromLatin1(kBandPlanFile));

// The window's date caption: "Frequencies Effective: " and the date.
QString effectiveCaption(const QString &date);

// A limit field as a 32-bit float: a decimal number with a full stop, finite once
// narrowed to float. nullopt for anything else, blanks around it aside.
std::optional<float> parseFrequency(const QString &field);

// The locale whose separators the chart uses: the user's, with the C/POSIX locale
// standing for the United States.
QLocale chartLocale();

// "#,###.##0": three decimals, or four where the value has a fourth, thousands grouped,
// no digit before the decimal point when the integer part is 0 (1800 -> "1,800.000",
// 0.5 -> ".500", 5.3515 -> "5.3515").
QString formatFrequency(double value, const QLocale &locale = chartLocale());

} // namespace bandplan
