#include "bandplan/band_plan.h"

#include "textio/text_reader.h"
#include "view/view.h"

#include <cfloat>
#include <cmath>

namespace bandplan {

int BandPlanTable::recordCount() const
{
    if (!(planCount > 0))
        return 0;
    return planCount >= kMaxPlanRecords ? kMaxPlanRecords : int(planCount);
}

std::optional<float> parseFrequency(const QString &field)
{
    bool ok = false;
    const double value = field.trimmed().toDouble(&ok);
    // toDouble takes "nan" and "inf" as numbers; neither is a frequency, nor is a
    // value too large for a 32-bit float.
    if (!ok || !std::isfinite(value) || std::fabs(value) > double(FLT_MAX))
        return std::nullopt;
    return float(value);
}

QString effectiveCaption(const QString &date)
{
    return QStringLiteral("Frequencies Effective: ") + date;
}

LoadResult LoadBandPlan(BandPlanTable &table, const QString &path)
{
    table = BandPlanTable{};
    std::optional<QString> date;
    const auto fail = [&table, &date](LoadError error, const QString &description) {
        table = BandPlanTable{};
        LoadResult result = LoadResult::failure(error, description);
        result.date = date;
        return result;
    };

    const textio::FileRead read = textio::readWholeFile(path);
    if (!read.bytes)
        return fail(LoadError::Unreadable, QStringLiteral("%1 cannot be read").arg(path));
    textio::TextReader reader(textio::decodeText(*read.bytes));

    date = reader.readField();
    if (!date)
        return fail(LoadError::NoDate, QStringLiteral("%1 holds no effective date").arg(path));

    table.planCount = 0;
    while (!reader.atEnd()) {
        table.planCount += 1;
        if (table.planCount > kMaxPlanRecords)
            return fail(LoadError::TooManyRecords,
                        QStringLiteral("%1 holds more than %2 records").arg(path).arg(kMaxPlanRecords));
        const int n = int(table.planCount);

        std::array<QString, 5> fields;
        for (std::size_t f = 0; f < fields.size(); ++f) {
            std::optional<QString> field = reader.readField();
            if (!field)
                return fail(LoadError::PartialRecord,
                            QStringLiteral("%1 ends inside record %2").arg(path).arg(n));
            fields[f] = std::move(*field);
        }
        const std::optional<float> low = parseFrequency(fields[3]);
        const std::optional<float> high = parseFrequency(fields[4]);
        if (!low || !high)
            return fail(LoadError::NotANumber,
                        QStringLiteral("record %1 of %2 has a limit that is not a number").arg(n).arg(path));

        table.planBand[n] = fields[0];
        table.planClass[n] = fields[1];
        table.planMode[n] = fields[2];
        table.planLow[n] = *low;
        table.planHigh[n] = *high;
    }
    LoadResult result = LoadResult::success();
    result.date = date;
    return result;
}

QLocale chartLocale()
{
    const QLocale user;
    if (user.language() == QLocale::C)
        return QLocale(QLocale::English, QLocale::UnitedStates);
    return user;
}

QString formatFrequency(double value, const QLocale &locale)
{
    QLocale grouped = locale;
    grouped.setNumberOptions(QLocale::DefaultNumberOptions);
    // A fourth decimal is shown only where the value has one (the 60 m channels at
    // 5.3515 MHz, the 2200 m band at .1357); a value with three decimals or fewer reads
    // as with three.
    QString text = grouped.toString(value, 'f', 4);
    const QString zero = grouped.zeroDigit();
    if (text.endsWith(zero))
        text.chop(zero.size());

    // A lone zero before the decimal point is left out, after any sign.
    const QString minus = grouped.negativeSign();
    const qsizetype at = text.startsWith(minus) ? minus.size() : 0;
    if (QStringView(text).sliced(at).startsWith(zero + grouped.decimalPoint()))
        text.remove(at, zero.size());
    return text;
}

} // namespace bandplan
