// The progress line of a clip on stderr, rewritten in place: frame n of N, fps, time left. Only
// when stderr is a terminal and the user did not ask for quiet.
#pragma once

#include <chrono>
#include <cstdint>

namespace corvane {

class Progress {
public:
    Progress(int64_t total, bool quiet);
    ~Progress();
    void update(int64_t done);

private:
    int64_t total_;
    bool shown_;
    bool printed_ = false;
    std::chrono::steady_clock::time_point start_;
};

}  // namespace corvane
