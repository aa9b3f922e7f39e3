#include "engine/clock_random.h"

#include <chrono>

namespace engine {

void ClockRandom::reseed()
{
    m_state = std::uint64_t(std::chrono::high_resolution_clock::now().time_since_epoch().count());
}

float ClockRandom::draw()
{
    // splitmix64: one well-mixed 64-bit value per draw; its top 24 bits make a float in [0, 1).
    std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    z ^= z >> 31;
    return float(z >> 40) * 0x1.0p-24f;
}

} // namespace engine
