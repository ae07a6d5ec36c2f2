#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "core/sim/vec3.h"

namespace sp {

// A particle's past positions, newest first. A ring buffer, so that adding the
// newest and dropping the oldest position cost the same whatever the length.
class Trail {
  public:
    Trail() = default;
    Trail(const Trail& other);
    Trail& operator=(const Trail& other);
    Trail(Trail&&) noexcept = default;
    Trail& operator=(Trail&&) noexcept = default;

    std::size_t size() const { return m_size; }
    bool empty() const { return m_size == 0; }

    // i = 0 is the newest position.
    const Vec3& operator[](std::size_t i) const {
        return m_data[(m_newest + i) & (m_capacity - 1)];
    }

    void pushNewest(const Vec3& position);
    void dropOldest();
    void clear() { m_size = 0; }

    bool operator==(const Trail& other) const;

  private:
    void grow();

    std::unique_ptr<Vec3[]> m_data;
    uint32_t m_capacity = 0;  // zero or a power of two
    uint32_t m_newest = 0;
    uint32_t m_size = 0;
};

}  // namespace sp
