// The worker threads of one scope render: at most two, started for the frame and joined on
// every path before the render returns, whatever ends it.
#pragma once

#include <array>
#include <cstddef>
#include <thread>
#include <utility>

class ScopeWorkers {
public:
    ScopeWorkers() = default;
    ScopeWorkers(const ScopeWorkers&) = delete;
    ScopeWorkers& operator=(const ScopeWorkers&) = delete;
    ~ScopeWorkers() { join(); }

    // Raises std::system_error when the thread cannot be started; those already started are
    // joined all the same.
    template <class Task>
    void start(Task&& task) {
        threads_.at(started_) = std::thread(std::forward<Task>(task));
        ++started_;
    }

    void join() {
        for (size_t i = 0; i < started_; ++i) threads_[i].join();
        started_ = 0;
    }

private:
    std::array<std::thread, 2> threads_;
    size_t started_ = 0;
};
