// The inputs of a render read ahead on a thread of their own, so that decoding overlaps the
// render and the encoding instead of waiting its turn on the thread that encodes.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

#include "media_in.h"

namespace corvane {

class FramePrefetch {
public:
    // Reads the next `count` frames of every source (-1: until one ends), holding at most
    // `ahead` frames that next() has not taken yet.
    FramePrefetch(std::vector<FrameSource*> sources, int64_t count, size_t ahead);
    // Stops reading; a decode under way finishes first.
    ~FramePrefetch();
    FramePrefetch(const FramePrefetch&) = delete;
    FramePrefetch& operator=(const FramePrefetch&) = delete;

    // The inputs of the next frame in source order, or none at the end. Raises what reading
    // raised, once the frames read before it have been taken.
    std::vector<FramePtr> next();

private:
    void read();

    std::vector<FrameSource*> sources_;
    int64_t count_;
    size_t ahead_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::vector<FramePtr>> ready_;
    bool ended_ = false;  // nothing more will be read
    bool stop_ = false;
    std::exception_ptr failure_;
    std::thread thread_;  // last: starts once the rest is set up
};

}  // namespace corvane
