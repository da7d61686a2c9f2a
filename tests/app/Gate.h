#pragma once

#include <condition_variable>
#include <mutex>

// A call held open on its own thread until the test lets it go.
class Gate {
public:
    // Called by a fake on the calling thread: marks the call as arrived and
    // blocks until the gate is released (at once when it already is).
    void pass();
    // Lets the held call go on; a call that has not arrived yet then passes
    // at once.
    void release();
    // Blocks the test until the call has arrived, at most the time-out; true
    // when it arrived.
    bool waitArrived(int milliseconds = 20000);
    bool arrived() const;

private:
    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_arrived = false;
    bool m_released = false;
};
