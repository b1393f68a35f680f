#include "scope/scope_checks.h"

#include <climits>
#include <cmath>

namespace {

// An 8-bit code of a value, truncated in double: an infinite value saturates, so it still
// decides its check, and prints as the nearest int.
double codeOf(double value, double scale, double offset) {
    return std::trunc(value * scale + offset);
}
int printable(double code) {
    if (std::isnan(code)) return 0;
    return static_cast<int>(std::fmax(INT_MIN, std::fmin(INT_MAX, code)));
}

}  // namespace

void drawMarker(const ScopeCanvas& c, float x, float level, ScopeColour colour) {
    if (!drawable(c.depth, c.pixelBytes)) return;
    const auto rows = static_cast<int64_t>(static_cast<float>(c.height) * 0.012544f);
    const auto cols = static_cast<int64_t>(static_cast<float>(c.width / 2) * 0.02f);
    if (rows == 0) return;
    const auto at = panelPosition(c, x, level);
    if (!at) return;
    const int64_t columnOffset = at->column - cols / 2;
    const auto width = static_cast<int64_t>(c.width);
    for (int64_t r = 0; r < rows; ++r) {
        for (int64_t col = 0; col < cols; col += 2) {
            const int64_t index = static_cast<int64_t>(c.bottomLeft) +
                                  width * (rows / 2 - at->row - r) + columnOffset + col;
            if (uint8_t* pair = pairAt(c, index & ~int64_t{1})) putColour(c, pair, colour);
        }
    }
}

bool checkFrame(const ScopeStatistics& s, bool waveformOn, const ScopeCanvases& canvases,
                ScopeReport* report) {
    if (!s.any) return false;
    const ScopeCanvas& wave = canvases.waveform;
    const float besideWaveform = -static_cast<float>(wave.width / 16);
    const auto mark = [&](float level, ScopeColour colour) {
        drawMarker(wave, besideWaveform, level, colour);
    };
    // Chroma findings go on the vectorscope when it is drawn, else beside the waveform.
    const auto markChroma = [&](float cr, float level) {
        if (waveformOn)
            drawMarker(canvases.vectorscope, -0.6f, cr, ScopeColour::Yellow75);
        else
            mark(level, ScopeColour::Yellow75);
    };
    const auto say = [report](const char* format, auto... values) {
        if (!report) return;
        // A piece without values goes in as text, which clang's format check wants spelled out.
        if constexpr (sizeof...(values) == 0)
            report->append("%s", format);
        else
            report->append(format, values...);
    };

    bool outOfRange = false;
    const double yMin = s.yMin, yMax = s.yMax, cMin = s.cMin(), cMax = s.cMax();
    if (const double code = codeOf(yMin, 219, 16); yMin < 0.0 && code <= 15) {
        say(": %d(%f)=Ymin :", printable(code), yMin);
        mark(0.1f, ScopeColour::White75);
        outOfRange = true;
        if (yMin < -0.01) {
            say("!!:");
            mark(0.0f, ScopeColour::Red75);
        }
    }
    if (const double code = codeOf(yMax, 219, 16); yMax > 1.0 && code >= 236) {
        say(": Ymax=%d(%f) :", printable(code), yMax);
        mark(0.9f, ScopeColour::White75);
        outOfRange = true;
        if (yMax > 1.01) {
            say("!!:");
            mark(1.0f, ScopeColour::Red75);
        }
    }
    if (cMin < -0.375) {
        say(": %d(%f)=Cmin :", printable(codeOf(cMin, 224, 0)), cMin);
        markChroma(-0.25f, 0.25f);
        outOfRange = true;
    }
    if (cMax > 0.375) {
        say(": Cmax=%d(%f) :", printable(codeOf(cMax, 224, 0)), cMax);
        markChroma(0.25f, 0.75f);
        outOfRange = true;
    }
    if (cMax <= 0.375 && !outOfRange) mark(0.5f, ScopeColour::Green75);
    return outOfRange;
}
