#include "forecast/pass_chance.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace forecast {

ExamForecast forecastExam(const QList<QList<double>> &groupChances, int passMark)
{
    ExamForecast result;
    result.questions = static_cast<int>(groupChances.size());
    result.passMark = passMark;

    // ways[k]: probability of exactly k right answers among the groups seen so far.
    std::vector<double> ways(static_cast<size_t>(result.questions) + 1, 0.0);
    ways[0] = 1;
    size_t seen = 0;
    for (const QList<double> &group : groupChances) {
        double sum = 0;
        for (double chance : group)
            sum += std::isnan(chance) ? 0 : std::clamp(chance, 0.0, 1.0);
        const double p = group.isEmpty() ? 0 : sum / static_cast<double>(group.size());
        result.expectedScore += p;
        ++seen;
        for (size_t k = seen; k > 0; --k)
            ways[k] = ways[k] * (1 - p) + ways[k - 1] * p;
        ways[0] *= 1 - p;
    }

    if (passMark <= 0) {
        result.passProbability = 1;
    } else if (passMark <= result.questions) {
        double pass = 0;
        for (size_t k = static_cast<size_t>(passMark); k < ways.size(); ++k)
            pass += ways[k];
        result.passProbability = std::min(pass, 1.0);
    }
    return result;
}

QString describe(const ExamForecast &forecast)
{
    // A chance that is neither certain nor impossible never shows as 0 % or 100 %.
    const double chance = forecast.passProbability;
    int percent = static_cast<int>(std::lround(chance * 100));
    if (chance > 0 && chance < 1)
        percent = std::clamp(percent, 1, 99);
    return QStringLiteral("Chance to pass: %1 %, expected %2 of %3")
        .arg(percent)
        .arg(forecast.expectedScore, 0, 'f', 1)
        .arg(forecast.questions);
}

} // namespace forecast
