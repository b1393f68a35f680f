#include "scope/scope_statistics.h"

ScopeStatistics combined(const ScopeStatistics& a, const ScopeStatistics& b) {
    ScopeStatistics s;
    s.any = a.any || b.any;
    // A NaN bound (no number in that run) gives way to the other.
    s.yMin = std::fmin(a.yMin, b.yMin), s.yMax = std::fmax(a.yMax, b.yMax);
    s.cbMin = std::fmin(a.cbMin, b.cbMin), s.cbMax = std::fmax(a.cbMax, b.cbMax);
    s.crMin = std::fmin(a.crMin, b.crMin), s.crMax = std::fmax(a.crMax, b.crMax);
    return s;
}

ScopeStatistics statisticsOf(const float lo[4], const float hi[4], int seen, bool any) {
    const auto pick = [seen](const float* v, int lane) {
        return (seen >> lane) & 1 ? v[lane] : NAN;
    };
    ScopeStatistics s;
    s.any = any;
    s.yMin = pick(lo, 0), s.yMax = pick(hi, 0);
    s.cbMin = pick(lo, 1), s.cbMax = pick(hi, 1);
    s.crMin = pick(lo, 2), s.crMax = pick(hi, 2);
    return s;
}
