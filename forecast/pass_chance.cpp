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

QList<double> passSwings(const QList<double> &groupChances, int passMark)
{
    // Distributions of the right answers among the groups before g (prefix) and after g
    // (suffix); without g they combine by convolution.
    const qsizetype n = groupChances.size();
    const auto clamp = [](double p) { return std::isnan(p) ? 0.0 : std::clamp(p, 0.0, 1.0); };
    const auto add = [](std::vector<double> dist, double p) {
        dist.push_back(0);
        for (size_t k = dist.size() - 1; k > 0; --k)
            dist[k] = dist[k] * (1 - p) + dist[k - 1] * p;
        dist[0] *= 1 - p;
        return dist;
    };
    std::vector<std::vector<double>> suffix(size_t(n) + 1);
    suffix[size_t(n)] = {1.0};
    for (qsizetype g = n - 1; g >= 0; --g)
        suffix[size_t(g)] = add(suffix[size_t(g) + 1], clamp(groupChances[g]));

    QList<double> swings;
    swings.reserve(n);
    std::vector<double> prefix{1.0};
    for (qsizetype g = 0; g < n; ++g) {
        const std::vector<double> &after = suffix[size_t(g) + 1];
        // tail[k]: probability of at least k right answers among the groups after g.
        std::vector<double> tail(after.size() + 1, 0.0);
        for (size_t k = after.size(); k > 0; --k)
            tail[k - 1] = tail[k] + after[k - 1];
        const auto atLeast = [&](int needed) {
            double sum = 0;
            for (size_t a = 0; a < prefix.size(); ++a) {
                const long rest = long(needed) - long(a);
                sum += prefix[a] * (rest <= 0 ? 1.0 : size_t(rest) < tail.size() ? tail[size_t(rest)] : 0.0);
            }
            return sum;
        };
        swings.append(atLeast(passMark - 1) - atLeast(passMark));
        prefix = add(std::move(prefix), clamp(groupChances[g]));
    }
    return swings;
}

QString percentText(double chance)
{
    if (chance < 0.005)
        return QStringLiteral("< 1 %");
    if (chance > 0.995)
        return QStringLiteral("> 99 %");
    return QStringLiteral("%1 %").arg(std::clamp(std::lround(chance * 100), 1L, 99L));
}

QString describe(const ExamForecast &forecast)
{
    return QStringLiteral("Chance to pass: %1, expected %2 of %3")
        .arg(percentText(forecast.passProbability))
        .arg(forecast.expectedScore, 0, 'f', 1)
        .arg(forecast.questions);
}

} // namespace forecast
