#pragma once

#include <cstdint>

namespace sp {

// The C runtime's srand/rand pair, reproduced exactly so that a saved seed
// replays the same effect on every machine.
class MsvcRandom {
  public:
    static constexpr int32_t kMax = 32767;

    void srand(uint32_t seed) { m_state = seed; }

    int32_t rand() {
        m_state = m_state * 214013u + 2531011u;
        return static_cast<int32_t>((m_state >> 16) & 0x7FFFu);
    }

    // A draw taken as a coin: odd is true.
    bool coin() { return (rand() & 1) != 0; }

    uint32_t state() const { return m_state; }

  private:
    uint32_t m_state = 1;
};

}  // namespace sp
