#include "engine/study_state.h"

#include <cmath>
#include <limits>

namespace engine {

int toIndex(float value)
{
    if (!std::isfinite(value) || std::fabs(value) > float(std::numeric_limits<int>::max() / 2))
        return -1;
    return int(std::nearbyint(value)); // the default rounding mode: nearest, halves to even
}

namespace {
// The rows a read reaches: its complete records, and the row its leftover lines go into.
qsizetype reach(const questions::Pool &read)
{
    return read.questions.size() + (read.leftoverLines.isEmpty() ? 0 : 1);
}
} // namespace

QStringView RecordRows::line(int q, int k) const
{
    if (q < 0 || q >= kPoolRows || k < 0 || k >= kRecordLines)
        return {};
    for (auto layer = m_layers.crbegin(); layer != m_layers.crend(); ++layer) {
        if (q < layer->questions.size())
            return layer->questions[q].line(k);
        if (q == layer->questions.size() && k < layer->leftoverLines.size())
            return layer->leftoverLines[k];
    }
    return {};
}

void RecordRows::lay(const questions::Pool &read)
{
    // A layer the new one covers whole can never show through again.
    const qsizetype covered = read.questions.size();
    std::erase_if(m_layers, [covered](const questions::Pool &old) { return reach(old) <= covered; });
    m_layers.push_back(read);
}

} // namespace engine
