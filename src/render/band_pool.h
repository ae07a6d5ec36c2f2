#pragma once

#include <condition_variable>
#include <cstddef>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace sp::render {

// Threads kept for the life of a device that run one job over a number of
// bands together. start() sets the workers on it while the caller goes on with
// other work; join() has the caller take the bands still left and returns when
// every band is done. Bands are handed out in order, one at a time.
class BandPool {
  public:
    // `threads` counts the calling thread: 1 starts none.
    explicit BandPool(int threads);
    ~BandPool();
    BandPool(const BandPool&) = delete;
    BandPool& operator=(const BandPool&) = delete;

    int threads() const { return static_cast<int>(m_workers.size()) + 1; }
    void start(int bands, std::function<void(int band)> job);
    void join();

  private:
    void work(const std::stop_token& stop);
    void takeBands(std::unique_lock<std::mutex>& lock);

    std::mutex m_mutex;
    std::condition_variable_any m_wake;
    std::condition_variable m_done;
    std::function<void(int)> m_job;
    int m_bands = 0, m_next = 0, m_busy = 0;
    std::size_t m_generation = 0;
    std::vector<std::jthread> m_workers;
};

}  // namespace sp::render
