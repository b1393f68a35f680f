#include "frame_prefetch.h"

#include <algorithm>

namespace corvane {

FramePrefetch::FramePrefetch(std::vector<FrameSource*> sources, int64_t count, size_t ahead)
    : sources_(std::move(sources)),
      count_(count),
      ahead_(std::max<size_t>(ahead, 1)),
      thread_([this] { read(); }) {}

FramePrefetch::~FramePrefetch() {
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
    }
    changed_.notify_all();
    thread_.join();
}

void FramePrefetch::read() {
    std::exception_ptr failure;
    for (int64_t read = 0; count_ < 0 || read < count_; ++read) {
        {
            std::unique_lock lock(mutex_);
            changed_.wait(lock, [&] { return stop_ || ready_.size() < ahead_; });
            if (stop_) break;
        }
        std::vector<FramePtr> inputs;
        try {
            for (FrameSource* source : sources_) {
                FramePtr f = source->next();
                if (!f) break;
                inputs.push_back(std::move(f));
            }
        } catch (...) {
            failure = std::current_exception();
        }
        if (failure || inputs.size() < sources_.size()) break;
        {
            std::lock_guard lock(mutex_);
            ready_.push_back(std::move(inputs));
        }
        changed_.notify_all();
    }
    {
        std::lock_guard lock(mutex_);
        ended_ = true;
        failure_ = failure;
    }
    changed_.notify_all();
}

std::vector<FramePtr> FramePrefetch::next() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return ended_ || !ready_.empty(); });
    if (ready_.empty()) {
        if (failure_) std::rethrow_exception(failure_);
        return {};
    }
    std::vector<FramePtr> inputs = std::move(ready_.front());
    ready_.pop_front();
    lock.unlock();
    changed_.notify_all();
    return inputs;
}

}  // namespace corvane
