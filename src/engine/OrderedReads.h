#pragma once

#include <algorithm>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <system_error>
#include <thread>
#include <vector>

// Runs read(0), read(1), ..., read(count - 1), each at most once, on a
// bounded set of worker threads, and hands the results back strictly in
// index order through take(). Reads start in index order and run ahead of
// the index being taken by at most `lookahead` places, so a caller that stops
// taking leaves little work behind. With one thread there are no workers:
// every read runs inside take(), on the caller's thread, when it is taken.
//
// stop() (and the destructor) starts no further read; reads already running
// are awaited by the destructor and their results dropped.
template <typename Result>
class OrderedReads {
public:
    OrderedReads(int count, int threads, int lookahead, std::function<Result(int)> read)
        : m_count(std::max(0, count)),
          m_threads(std::clamp(threads, 1, std::max(1, m_count))),
          m_lookahead(std::max(1, lookahead)),
          m_read(std::move(read)),
          m_results(static_cast<size_t>(m_count))
    {
    }

    ~OrderedReads()
    {
        stop();
        for (std::thread& worker : m_workers)
            worker.join();
    }

    OrderedReads(const OrderedReads&) = delete;
    OrderedReads& operator=(const OrderedReads&) = delete;

    // The result of read(index). Indices are taken once each, in order, from 0.
    Result take(int index)
    {
        std::unique_lock lock(m_mutex);
        if (m_threads > 1 && m_workers.empty())
            startWorkers();
        if (m_workers.empty()) {
            ++m_next;
            lock.unlock();
            return m_read(index);
        }
        m_limit = std::max(m_limit, std::min(m_count, index + 1 + m_lookahead));
        m_wake.notify_all();
        m_stored.wait(lock, [&] { return m_results[static_cast<size_t>(index)].has_value(); });
        Result result = std::move(*m_results[static_cast<size_t>(index)]);
        m_results[static_cast<size_t>(index)].reset();
        return result;
    }

    // No read starts after this.
    void stop()
    {
        std::lock_guard guard(m_mutex);
        m_stopped = true;
        m_wake.notify_all();
    }

    // The number of reads started so far.
    int started() const
    {
        std::lock_guard guard(m_mutex);
        return m_next;
    }

private:
    // Called with the lock held. A thread that cannot be created leaves the
    // work to those that could (or to take() itself when none could).
    void startWorkers()
    {
        for (int i = 0; i < m_threads; ++i) {
            try {
                m_workers.emplace_back([this] { work(); });
            } catch (const std::system_error&) {
                break;
            }
        }
    }

    void work()
    {
        std::unique_lock lock(m_mutex);
        while (true) {
            m_wake.wait(lock, [&] { return m_stopped || m_next < m_limit; });
            if (m_stopped)
                return;
            const int index = m_next++;
            lock.unlock();
            Result result = m_read(index);
            lock.lock();
            m_results[static_cast<size_t>(index)] = std::move(result);
            m_stored.notify_all();
        }
    }

    const int m_count;
    const int m_threads;
    const int m_lookahead;
    const std::function<Result(int)> m_read;

    mutable std::mutex m_mutex;
    std::condition_variable m_wake;   // workers: more may start, or stop
    std::condition_variable m_stored; // the taker: a result is in
    std::vector<std::optional<Result>> m_results;
    std::vector<std::thread> m_workers;
    int m_next = 0;  // the next index to start
    int m_limit = 0; // indices below this may start
    bool m_stopped = false;
};
