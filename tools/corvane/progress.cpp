#include "progress.h"

#include <unistd.h>

#include <cstdio>

namespace corvane {

Progress::Progress(int64_t total, bool quiet)
    : total_(total),
      shown_(!quiet && isatty(STDERR_FILENO)),
      start_(std::chrono::steady_clock::now()) {}

Progress::~Progress() {
    if (printed_) std::fputc('\n', stderr);
}

void Progress::update(int64_t done) {
    if (!shown_) return;
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
    const double fps = seconds > 0 ? done / seconds : 0;
    if (total_ > 0) {
        const double left = fps > 0 ? (total_ - done) / fps : 0;
        std::fprintf(stderr, "\rframe %lld of %lld, %.1f fps, %.0f s left   ",
                     static_cast<long long>(done), static_cast<long long>(total_), fps, left);
    } else {
        std::fprintf(stderr, "\rframe %lld, %.1f fps   ", static_cast<long long>(done), fps);
    }
    std::fflush(stderr);
    printed_ = true;
}

}  // namespace corvane
