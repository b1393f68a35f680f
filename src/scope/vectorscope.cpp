#include "scope/vectorscope.h"

#include "scope/plot.h"
#include "scope/trace_points.h"

namespace {

struct Target {
    ScopeColour colour;
    float cb, cr;
};
// The 75 % colour bars, in the order they are drawn.
constexpr Target kTargets[] = {
    {ScopeColour::Yellow75, -0.35f, 0.033333335f},
    {ScopeColour::Cyan75, 0.079166666f, -0.35f},
    {ScopeColour::Green75, -0.27083334f, -0.31666666f},
    {ScopeColour::Magenta75, 0.27083334f, 0.31666666f},
    {ScopeColour::Red75, -0.079166666f, 0.35f},
    {ScopeColour::Blue75, 0.35f, -0.033333335f},
};

// The hue ring at chroma radius 0.5 (four rings a pixel apart) with ticks every 5 degrees at
// 0.375. (s, c) turns by about a degree per step; each step is mirrored into all four
// quadrants. A small panel's ring is kept inside the panel like any trace point.
template <class S>
void drawRing(const ScopeCanvas& c, const plot::Plotter<S>& plot) {
    using Codes = plot::Codes<S>;
    const auto r = static_cast<float>(c.panelWidth / 2);
    const float factors[] = {1.0f, 1.0f + 1.0f / r, 1.0f + 2.0f / r, 1.0f + 3.0f / r};
    const float e = 0.01745307f;
    float s = 0.0f, co = 0.5f;
    const auto hue = [&](float cb, float cr) {
        const auto p = withinAxes(c, cb, cr);
        if (!p) return;
        if (const PairHit h = pairOfPoint(c, p->x, p->y))
            plot.huePoint(h, Codes::chroma(p->x), Codes::chroma(p->y));
    };
    for (int tick = 0; tick < 18; ++tick) {
        for (int step = 0; step < 5; ++step) {
            s = s + co * e;
            co = co - s * e;
            for (float f : factors) {
                hue(-s * f, co * f);
                hue(s * f, co * f);
                hue(-s * f, -co * f);
                hue(s * f, -co * f);
            }
        }
        for (const auto& [x, y] :
             {std::pair{-0.75f * s, 0.75f * co}, std::pair{0.75f * s, 0.75f * co},
              std::pair{-0.75f * s, -0.75f * co}, std::pair{0.75f * s, -0.75f * co}})
            if (const PairHit h = tracePair(c, x, y)) plot.tick(h);
    }
}

template <class S>
void drawGraticule(const ScopeCanvas& c, const plot::Plotter<S>& plot) {
    drawRing(c, plot);
    // Cross-hair: a yellow-blended horizontal line, a solid yellow vertical one.
    const float v = (c.yMin + c.yMax) * 0.5f;
    const float xStep = 2.0f * (c.xMax - c.xMin) / static_cast<float>(c.panelWidth);
    for (float x = c.xMin; x < c.xMax; x += xStep)
        if (const PairHit h = pairOfPoint(c, x, v)) plot.line(h, ScopeColour::Yellow75);
    const float middle = (c.xMin + c.xMax) * 0.5f;
    const float yStep = (c.yMax - c.yMin) / static_cast<float>(c.panelHeight);
    for (float y = c.yMin; y < c.yMax; y += yStep)
        if (const PairHit h = pairOfPoint(c, middle, y)) plot.colourPoint(h, ScopeColour::Yellow75);
    // The skin-tone line, at 123 degrees from +Cb out to radius 0.49.
    for (double t = 0.0; t < 0.5; t += 0.01)
        if (const PairHit h = pairOfPoint(c, static_cast<float>(t * -0.544639035015027),
                                          static_cast<float>(t * 0.838670567945424)))
            plot.colourPoint(h, ScopeColour::Yellow75);
    // The targets, when the panel is tall enough for them.
    if (c.panelHeight < 64) return;
    const int64_t rows = c.panelHeight / 64, cols = c.panelWidth / 64;
    for (const Target& t : kTargets) {
        const auto at = panelPosition(c, t.cb, t.cr);
        if (!at) continue;
        for (int64_t r = 0; r < rows; ++r)
            for (int64_t col = 0; col < cols; col += 2) {
                // Rows count up from the row below the panel here: the box's rows go down.
                const int64_t up = at->row - int64_t{c.panelHeight / 128} + r;
                if (const PairHit h = pairInPanel(c, at->column - c.panelWidth / 128 + col, up))
                    plot.fill(h, t.colour);
            }
    }
}

// Flattened, so that the converter's operations are inlined into the group loop.
template <class S, class Converter>
[[gnu::flatten]] void drawWith(VectorscopeVariant variant, const ScopeCanvas& c,
                               const uint8_t* input, uint64_t groups, float level,
                               Converter& conv) {
    const plot::Plotter<S> plot(c);
    drawGraticule(c, plot);
    const plot::FixedScreen<S> k(plot::chromaBrightness<S>(level), true);
    // Each point's chroma, its luma brightened relative to black.
    const auto plotLanes = [&](const TraceLanes& t) {
        const auto cb = chromaCodes<S>(t.x), cr = chromaCodes<S>(t.y);
        for (int j = 0; j < 4; ++j)
            if ((t.hits.found >> j) & 1) plot.colouredPoint(hitOf(c, t.hits, j), k, cb[j], cr[j]);
    };
    if (variant == VectorscopeVariant::Averaged) {
        const auto chroma = [](const Converter& v) { return std::array{v.cb, v.cr}; };
        byFourGroups<2>(conv, input, groups, chroma, [&](const std::array<GroupLanes, 2>& l) {
            plotLanes(
                traceLanes(c, laneSum(l[0]) * F4::all(0.25f), laneSum(l[1]) * F4::all(0.25f)));
        });
        return;
    }
    for (uint64_t g = 0; g < groups; ++g) {
        conv.load(input + g * Converter::kGroupBytes);
        plotLanes(traceLanes(c, conv.cb, conv.cr));
    }
}

}  // namespace

void drawVectorscope(VectorscopeVariant variant, const ScopeCanvas& canvas, const uint8_t* input,
                     uint64_t groups, float level, xmmPixelYCbCr_mtx& converter) {
    if (!hasPanel(canvas)) return;
    withConcreteConverter(converter, [&](auto& c) {
        using C = std::remove_reference_t<decltype(c)>;
        if constexpr (requires { typename SampleOf<C>::type; })
            drawWith<typename SampleOf<C>::type>(variant, canvas, input, groups, level, c);
    });
}
