#include "render/band_pool.h"

namespace sp::render {

BandPool::BandPool(int threads) {
    for (int i = 1; i < threads; ++i)
        m_workers.emplace_back([this](const std::stop_token& stop) { work(stop); });
}

BandPool::~BandPool() {
    for (std::jthread& t : m_workers) t.request_stop();
    m_wake.notify_all();
    m_workers.clear();
}

void BandPool::takeBands(std::unique_lock<std::mutex>& lock) {
    while (m_next < m_bands) {
        const int band = m_next++;
        ++m_busy;
        lock.unlock();
        m_job(band);
        lock.lock();
        if (--m_busy == 0 && m_next >= m_bands) m_done.notify_all();
    }
}

void BandPool::start(int bands, std::function<void(int band)> job) {
    std::unique_lock lock(m_mutex);
    m_job = std::move(job);
    m_bands = bands;
    m_next = 0;
    // Alone, the caller draws every band when it joins.
    if (m_workers.empty() || bands <= 1) return;
    ++m_generation;
    m_wake.notify_all();
}

void BandPool::join() {
    std::unique_lock lock(m_mutex);
    takeBands(lock);
    m_done.wait(lock, [this] { return m_next >= m_bands && m_busy == 0; });
    m_job = nullptr;
    m_bands = 0;
}

void BandPool::work(const std::stop_token& stop) {
    std::unique_lock lock(m_mutex);
    std::size_t seen = m_generation;
    while (true) {
        m_wake.wait(lock, stop, [&] { return m_generation != seen; });
        if (stop.stop_requested()) return;
        seen = m_generation;
        if (m_job) takeBands(lock);
    }
}

}  // namespace sp::render
