#include "core/sim/trail.h"

#include <algorithm>

namespace sp {

Trail::Trail(const Trail& other) {
    *this = other;
}

Trail& Trail::operator=(const Trail& other) {
    if (this == &other) return *this;
    m_data.reset();
    m_capacity = 0;
    m_newest = 0;
    m_size = 0;
    if (other.m_size > 0) {
        m_capacity = other.m_capacity;
        m_data = std::make_unique<Vec3[]>(m_capacity);
        for (std::size_t i = 0; i < other.m_size; ++i) m_data[i] = other[i];
        m_size = other.m_size;
    }
    return *this;
}

void Trail::grow() {
    const uint32_t capacity = m_capacity == 0 ? 4u : m_capacity * 2u;
    auto data = std::make_unique<Vec3[]>(capacity);
    for (std::size_t i = 0; i < m_size; ++i) data[i] = (*this)[i];
    m_data = std::move(data);
    m_capacity = capacity;
    m_newest = 0;
}

void Trail::pushNewest(const Vec3& position) {
    if (m_size == m_capacity) grow();
    m_newest = (m_newest + m_capacity - 1) & (m_capacity - 1);
    m_data[m_newest] = position;
    ++m_size;
}

void Trail::dropOldest() {
    if (m_size > 0) --m_size;
}

bool Trail::operator==(const Trail& other) const {
    if (m_size != other.m_size) return false;
    for (std::size_t i = 0; i < m_size; ++i)
        if (!((*this)[i] == other[i])) return false;
    return true;
}

}  // namespace sp
