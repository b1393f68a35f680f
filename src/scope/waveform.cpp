#include "scope/waveform.h"

#include "scope/false_colour_map.h"
#include "scope/plot.h"
#include "scope/trace_points.h"

namespace {

constexpr float kLegendLow = -0.0698689967f;  // code 0 at 8-bit video levels
constexpr float kLegendHigh = 1.0913242f;     // code 255: (255 - 16) / 219
// The columns of a group's pairs, from its first pixel.
const F4 kPairColumns = _mm_setr_ps(0.0f, 2.0f, 4.0f, 6.0f);

// Horizontal lines at the levels 0 to 1 in yellow and at the code limits in white, each from
// `from` to `to` times the axis end, a point every two pixels of the panel.
template <class S>
void drawGraticule(const ScopeCanvas& c, const plot::Plotter<S>& plot, float start, float end) {
    const float step = 2.0f * (c.xMax - c.xMin) /
                       (static_cast<float>(c.panelWidth) * static_cast<float>(c.pixelBytes));
    const auto line = [&](float level, ScopeColour colour) {
        for (float x = start; x < end; x += step)
            if (const PairHit h = pairOfPoint(c, x, level)) plot.line(h, colour);
    };
    for (float level : {0.0f, 0.25f, 0.5f, 0.75f, 1.0f}) line(level, ScopeColour::Yellow75);
    line(kLegendLow, ScopeColour::White75);
    line(kLegendHigh, ScopeColour::White75);
}

// The palette legend: a strip of the band colours from code 0 to code 255, between `from` and
// `to` times the axis end. Bands that leave the pixel unchanged leave the panel black.
template <class S>
void drawLegend(const ScopeCanvas& c, const plot::Plotter<S>& plot, const FalseColourLookup& lookup,
                float from, float to) {
    using Codes = plot::Codes<S>;
    const float rowStep = 1.0f / static_cast<float>(c.panelHeight);
    const float step = 2.0f * (c.xMax - c.xMin) /
                       (static_cast<float>(c.panelWidth) * static_cast<float>(c.pixelBytes));
    for (float v = kLegendLow; v <= kLegendHigh; v += rowStep) {
        // Through the lookup: a luma below 0 takes the header entry.
        const PaletteRecord& band = lookup.band(FalseColourLookup::indexOf(v));
        if (band.mode == BandMode::Unchanged) continue;
        const bool takesLuma = band.mode == BandMode::Colour || band.mode == BandMode::Luma;
        const bool takesChroma = band.mode == BandMode::Colour || band.mode == BandMode::Chroma;
        const S y = Codes::luma(takesLuma ? band.y : v);
        const S cb = Codes::chroma(takesChroma ? band.cb : 0.0f);
        const S cr = Codes::chroma(takesChroma ? band.cr : 0.0f);
        for (float x = from * c.xMax; x < to * c.xMax; x += step)
            if (const PairHit h = pairOfPoint(c, x, v)) plot.write(h, y, cb, cr);
    }
}

// Flattened, so that the converter's operations are inlined into the group loop.
template <class S, class Converter>
[[gnu::flatten]] void drawWith(WaveformVariant variant, const ScopeCanvas& c, const uint8_t* input,
                               uint64_t groups, float level, Converter& conv) {
    const plot::Plotter<S> plot(c);
    const bool falseColour =
        variant == WaveformVariant::FalseColour || variant == WaveformVariant::LevelStrip;
    if (falseColour) {
        conv.falseColour.build(c.palette, c.gamma);
        const float to = variant == WaveformVariant::LevelStrip ? 1.4f : 1.03f;
        drawLegend(c, plot, conv.falseColour, variant == WaveformVariant::LevelStrip ? 1.0f : 1.01f,
                   to);
        drawGraticule(c, plot, c.xMin, to * c.xMax);
    } else {
        const float step = 2.0f * (c.xMax - c.xMin) /
                           (static_cast<float>(c.panelWidth) * static_cast<float>(c.pixelBytes));
        drawGraticule(c, plot, c.xMin - 2.0f * step, c.xMax);
    }

    const plot::FixedScreen<S> green(plot::greenBrightness(plot, level), false);
    constexpr uint64_t kPixels = 2 * Converter::kPairs;
    constexpr uint64_t kGroupBytes = Converter::kGroupBytes;
    // A group's first column, as the trace takes it, and `column` moved on to the next
    // group's: the groups run along the rows, wrapping at the frame's width.
    const auto advance = [&c](uint64_t& column) {
        const auto x = static_cast<float>(column);
        column += kPixels;
        while (column >= c.width) column -= c.width;
        return x;
    };
    // The columns of the next four groups; those past the last group belong to lanes whose
    // NaN values are dropped.
    uint64_t fourColumns = 0;
    const auto nextFourColumns = [&] {
        const float x0 = advance(fourColumns), x1 = advance(fourColumns), x2 = advance(fourColumns);
        return F4(_mm_setr_ps(x0, x1, x2, advance(fourColumns)));
    };
    // The points of `t` in the false colour the converter's vectors were mapped to.
    const auto plotMapped = [&](const TraceLanes& t) {
        const auto y = lanesOf(conv.y0);
        const auto cb = chromaCodes<S>(conv.cb), cr = chromaCodes<S>(conv.cr);
        for (int j = 0; j < 4; ++j)
            if ((t.hits.found >> j) & 1)
                plot.colouredPoint(hitOf(c, t.hits, j), plot::colourBrightness<S>(y[j], level),
                                   cb[j], cr[j]);
    };
    if (variant == WaveformVariant::Averaged) {
        // Each group's average luma at the group's first column.
        const auto lumas = [](const Converter& v) { return std::array{v.y0 + v.y1}; };
        byFourGroups<1>(conv, input, groups, lumas, [&](const std::array<GroupLanes, 1>& l) {
            const TraceLanes t = traceLanes(c, nextFourColumns(), laneSum(l[0]) * F4::all(0.125f));
            for (int j = 0; j < 4; ++j)
                if ((t.hits.found >> j) & 1) plot.lumaPair(hitOf(c, t.hits, j), green);
        });
    } else if (variant == WaveformVariant::LevelStrip) {
        // Each group's first pixel at the group's first column, in its false colour.
        const auto samples = [](const Converter& v) { return std::array{v.y0, v.y1, v.cb, v.cr}; };
        byFourGroups<4>(conv, input, groups, samples, [&](const std::array<GroupLanes, 4>& l) {
            const TraceLanes t = traceLanes(c, nextFourColumns(), l[0][0]);
            conv.y0 = l[0][0], conv.y1 = l[1][0], conv.cb = l[2][0], conv.cr = l[3][0];
            mapThroughFalseColour(conv);
            plotMapped(t);
        });
    } else {
        // One point per pair, at the pair's average luma. The column stays a local of the
        // loop: no byte the plot writes can then be taken for it.
        uint64_t column = 0;
        for (uint64_t g = 0; g < groups; ++g) {
            conv.load(input + g * kGroupBytes);
            const F4 x = F4::all(advance(column)) + kPairColumns;
            if (variant == WaveformVariant::Full) {
                const TraceLanes t = traceLanes(c, x, (conv.y0 + conv.y1) * F4::all(0.5f));
                for (int j = 0; j < 4; ++j)
                    if ((t.hits.found >> j) & 1) plot.lumaPoint(hitOf(c, t.hits, j), green);
            } else {
                // The pair averages take the first lumas' place in the mapping.
                conv.y0 = (conv.y0 + conv.y1) * F4::all(0.5f);
                const TraceLanes t = traceLanes(c, x, conv.y0);
                mapThroughFalseColour(conv);
                plotMapped(t);
            }
        }
    }
}

}  // namespace

void drawWaveform(WaveformVariant variant, const ScopeCanvas& canvas, const uint8_t* input,
                  uint64_t groups, float level, xmmPixelYCbCr_mtx& converter) {
    if (!hasPanel(canvas)) return;
    withConcreteConverter(converter, [&](auto& c) {
        using C = std::remove_reference_t<decltype(c)>;
        if constexpr (requires { typename SampleOf<C>::type; })
            drawWith<typename SampleOf<C>::type>(variant, canvas, input, groups, level, c);
    });
}
