// The panel geometry against the proportions worked out in the test, and the workers' areas.
#include "scope/scope_layout.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "scope_geometry.h"

namespace {

using scope_model::PanelCase;

FrameFormat frameOf(uint32_t w, uint32_t h) {
    FrameFormat f;
    f.width = w, f.height = h, f.pixelBytes = 2, f.frameBytes = uint64_t{w} * h * 2;
    f.depth = PixelDepth::Bits8, f.layout = PixelLayout::CbYCrY_NoA, f.range = ValueRange::Video;
    return f;
}

ScopeLayout layoutOf(const PanelCase& c) {
    ScopeSettings s;
    s.waveformOn = c.waveform, s.falseColourOn = c.falseColour, s.resizeWaveform = c.resized;
    s.yPosition = c.yPosition, s.scale = c.scale;
    return layoutScope(s, frameOf(c.width, c.height), c.projectWidth, c.projectHeight, nullptr);
}

std::vector<PanelCase> everyCase() {
    std::vector<PanelCase> cases;
    const PanelCase frames[] = {
        {.width = 1920, .height = 1080, .projectWidth = 1920, .projectHeight = 1080},
        {.width = 720, .height = 486, .projectWidth = 640, .projectHeight = 480},
        {.width = 720, .height = 486, .projectWidth = 0, .projectHeight = 486},
        {.width = 720, .height = 486, .projectWidth = -4, .projectHeight = -3}};
    for (PanelCase c : frames)
        for (auto [waveform, falseColour, resized] : {std::tuple{true, false, true},
                                                      {true, false, false},
                                                      {true, true, true},
                                                      {true, true, false},
                                                      {false, true, true},
                                                      {false, false, false}})
            for (auto [y, scale] :
                 {std::pair{49.0, 100.0}, {80.0, 100.0}, {49.0, 120.0}, {0.0, 25.0}}) {
                c.waveform = waveform, c.falseColour = falseColour, c.resized = resized;
                c.yPosition = y, c.scale = scale;
                cases.push_back(c);
            }
    return cases;
}

TEST(ScopeLayout, EveryCaseAsItsProportionsGive) {
    const std::vector<PanelCase> cases = everyCase();
    for (size_t i = 0; i < cases.size(); ++i) {
        const PanelCase& c = cases[i];
        SCOPED_TRACE("case " + std::to_string(i));
        const ScopeLayout l = layoutOf(c);
        const auto e = scope_model::expectedPanels(c);
        const PanelGeometry& g = l.geometry;
        EXPECT_EQ(g.x0, e.x0);
        EXPECT_EQ(g.y0, e.y0);
        EXPECT_EQ(g.height, e.height);
        EXPECT_EQ(g.waveWidth, e.waveWidth);
        EXPECT_EQ(g.scopeWidth, e.scopeWidth);
        EXPECT_EQ(g.scopeLeft, e.scopeLeft);
        EXPECT_EQ(l.reserved.start, e.start);
        EXPECT_EQ(l.reserved.end, e.end);
        EXPECT_EQ(l.reserved.columnLimit, e.columnLimit);
        // Never past the frame's right or bottom edge.
        EXPECT_LE(g.scopeLeft + g.scopeWidth, c.width);
        EXPECT_LE(g.x0 + g.waveWidth, c.width);
        EXPECT_LE(g.y0 + g.height, c.height);
        EXPECT_EQ(l.waveform.bottomLeft, (uint64_t{g.y0} + g.height) * c.width + g.x0);
        EXPECT_EQ(l.vectorscope.bottomLeft, (uint64_t{g.y0} + g.height) * c.width + g.scopeLeft);

        // The workers' areas: the first pixel of every pair they may write lies in the
        // rectangle (checked at the corners; the widths are even), and they lie apart.
        for (const ScopeCanvas* canvas : {&l.waveform, &l.vectorscope}) {
            const PixelArea& a = canvas->area;
            if (a.lastRow < a.firstRow || a.lastColumn < a.firstColumn) continue;
            EXPECT_LT(a.lastRow, int64_t{c.height});
            EXPECT_LT(a.lastColumn, int64_t{c.width});
            for (int64_t row : {a.firstRow, a.lastRow})
                for (int64_t column : {(a.firstColumn + 1) & ~1ll, a.lastColumn & ~1ll}) {
                    const auto pixel = static_cast<uint64_t>(row * c.width + column);
                    EXPECT_TRUE(scope_model::reserved(e, c.width, pixel)) << row << "," << column;
                }
        }
        if (c.waveform && !c.falseColour) {
            EXPECT_LT(l.waveform.area.lastColumn, l.vectorscope.area.firstColumn);
        }
    }
}

}  // namespace
