// The blend formulas as a plain scalar model in double precision, written from the table of
// modes rather than from the kernels.
#pragma once

#include <algorithm>
#include <cmath>
#include <vector>

namespace blend_model {

struct Vivid {
    double value;
    bool nearEdge;  // the dodge test d >= m is within rounding of its edge
};

inline Vivid vivid(double a, double b, double m) {
    const double h = 0.5 * m;
    double v;
    const double c = 2 * a;
    if (b >= m)
        v = b;
    else if (c <= 0)
        v = c;
    else
        v = std::max(0.0, m - (m - b) / c);
    bool nearEdge = false;
    if (a >= h) {
        const double d = 2 * (a - h);
        nearEdge = std::fabs(d - m) < 1e-6;
        v = d >= m ? d : std::min(m, (m * b) / (m - d));
    }
    return {v, nearEdge};
}

// Every result s = f(a, b) the mode may give: one, or two where single precision may take
// either side of a discontinuous edge.
inline std::vector<double> blend(int mode, double a, double b, double m) {
    const double h = 0.5 * m;
    // clang-format off
    switch (mode) {
        case 1: return {m * a};
        case 2: case 16: return {std::min(m, a + b)};
        case 3: return {(b - a) * m};
        case 4: return {std::fabs(b - a) * m * m};
        case 5: return {a * b / m};
        case 6: return {m - (m - a) * (m - b) / m};
        case 7: return {b < h ? 2 * a * b / m : m - 2 * (m - a) * (m - b) / m};
        case 8: return {a < h ? 2 * a * b / m : m - 2 * (m - a) * (m - b) / m};
        case 9: return {b < h ? (b / m) * (h + a) : m - 2 * (m - 0.5 * (h + a)) * (m - b) / m};
        case 10: return {std::min(a, b)};
        case 11: return {std::max(a, b)};
        case 12: return {m - std::fabs(m - b - a)};
        case 13: return {a + b - 2 * a * b / m};
        case 14: return {a >= m ? a : std::min(m, m * b / (m - a))};
        case 15:
            if (b >= m) return {b};
            if (a <= 0) return {a};
            return {std::max(0.0, m - (m - b) / a)};
        case 17: return {a - m + b};
        case 18: return {2 * a + b - m};
        case 19: {
            const Vivid v = vivid(a, b, m);
            if (v.nearEdge) return {v.value, 2 * (a - h), std::min(m, (m * b) / (m - 2 * (a - h)))};
            return {v.value};
        }
        case 20: return {a < h ? std::min(b, 2 * a) : std::max(2 * (a - h), b)};
        case 21: {
            const Vivid v = vivid(a, b, m);
            if (v.nearEdge || std::fabs(v.value - h) < 1e-4 * std::max(1.0, std::fabs(m)))
                return {0.0, m};
            return {v.value < h ? 0.0 : m};
        }
        case 22: return {a >= m ? a : std::min(m, b * b / (m - a))};
        case 23: return {b >= m ? b : std::min(m, a * a / (m - b))};
        case 24: return {std::min(a, b) - std::max(a, b) + m};
        case 25: return {m};
    }
    // clang-format on
    return {};
}

}  // namespace blend_model
