#pragma once
// The real source of chance: reseeded from the high-resolution clock.

#include "view/seams.h"

#include <cstdint>

namespace engine {

class ClockRandom final : public view::RandomSource
{
public:
    void reseed() override;
    float draw() override;

private:
    std::uint64_t m_state = 0;
};

} // namespace engine
