// The workers' drawings: samples of any value stay inside the worker's own area (2.14 and
// float reach far beyond the axes, and NaN has no place at all), up to a frame's last group.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include "pixel/ycbcr_converter.h"
#include "samples.h"
#include "scope/fill_black.h"
#include "scope/scope_layout.h"
#include "scope/vectorscope.h"
#include "scope/waveform.h"

namespace {

// One output frame laid out for `mode`, painted black, and an input of `codes` repeated.
struct Panel {
    FrameFormat frame;
    ScopeLayout layout;
    std::vector<uint8_t> input, output;

    Panel(PixelDepth depth, uint32_t w, uint32_t h, bool falseColour, bool resized,
          int32_t palette = 0) {
        frame.width = w, frame.height = h, frame.depth = depth;
        frame.pixelBytes = ycbcr422PixelBytes(depth);
        frame.frameBytes = uint64_t{w} * h * frame.pixelBytes;
        frame.layout = PixelLayout::CbYCrY_NoA, frame.range = ValueRange::Video;
        frame.colourSpace = ColourSpace::Rec709;
        input.resize(frame.frameBytes);
        output.resize(frame.frameBytes);
        ScopeSettings s;
        s.waveformOn = true, s.falseColourOn = falseColour, s.resizeWaveform = resized;
        s.yPosition = 49, s.scale = 100, s.palette = palette;
        layout = layoutScope(s, frame, 0, 0, output.data());
        fillBlack(output.data(), output.size(), frame);
        fillBlack(input.data(), input.size(), frame);
    }
    void fillInput(const std::vector<double>& codes) {
        const int bytes = static_cast<int>(frame.pixelBytes / 2);
        for (size_t i = 0; i < input.size() / bytes; ++i)
            samples::write(input.data(), i, bytes, codes[i % codes.size()]);
    }
    uint64_t groups() const { return frame.frameBytes / (frame.pixelBytes * 8); }
    void waveform(WaveformVariant v) {
        auto c = makePixelConverter(frame.depth, frame.range, frame.layout, frame.pixelBytes);
        drawWaveform(v, layout.waveform, input.data(), groups(), 0.5f, *c);
    }
    void vectorscope(VectorscopeVariant v) {
        auto c = makePixelConverter(frame.depth, frame.range, frame.layout, frame.pixelBytes);
        drawVectorscope(v, layout.vectorscope, input.data(), groups(), 0.5f, *c);
    }
};

// Every pair whose first pixel lies outside `area` is as it was.
void expectOnlyInside(const Panel& p, const std::vector<uint8_t>& before, const PixelArea& a) {
    const uint64_t w = p.frame.width, pairBytes = 2 * p.frame.pixelBytes;
    for (uint64_t q = 0; q < uint64_t{w} * p.frame.height; q += 2) {
        const auto row = static_cast<int64_t>(q / w), column = static_cast<int64_t>(q % w);
        if (row >= a.firstRow && row <= a.lastRow && column >= a.firstColumn &&
            column <= a.lastColumn)
            continue;
        ASSERT_EQ(std::memcmp(&p.output[q * p.frame.pixelBytes], &before[q * p.frame.pixelBytes],
                              pairBytes),
                  0)
            << "pair at row " << row << " column " << column;
    }
}

TEST(Traces, SamplesOfAnyValueStayInTheirWorkersArea) {
    const double inf = std::numeric_limits<double>::infinity(), nan = std::nan("");
    const std::vector<double> floats = {-inf,  1e30, nan, 3.0, -2.5, inf,
                                        -1e30, 0.5,  2.0, nan, -inf};
    const std::vector<double> words = {-32768, 32767, 0, 32767, -32768, 16384, -32768};
    for (PixelDepth depth : {PixelDepth::Fixed2_14, PixelDepth::Float32})
        for (bool falseColour : {false, true})
            for (bool resized : {false, true}) {
                SCOPED_TRACE("depth " + std::to_string(static_cast<int>(depth)) +
                             (falseColour ? " false colour" : "") + (resized ? " resized" : ""));
                Panel p(depth, 200, 120, falseColour, resized);
                p.fillInput(depth == PixelDepth::Float32 ? floats : words);
                const std::vector<uint8_t> black = p.output;
                if (falseColour) {
                    p.waveform(resized ? WaveformVariant::FalseColour
                                       : WaveformVariant::LevelStrip);
                    expectOnlyInside(p, black, p.layout.waveform.area);
                    continue;
                }
                p.waveform(resized ? WaveformVariant::Full : WaveformVariant::Averaged);
                expectOnlyInside(p, black, p.layout.waveform.area);
                p.output = black;
                p.vectorscope(resized ? VectorscopeVariant::Full : VectorscopeVariant::Averaged);
                expectOnlyInside(p, black, p.layout.vectorscope.area);
            }
}

}  // namespace

// The averaged traces take groups four at a time: the last group of a frame whose group count
// is not a multiple of four still leaves its point.
TEST(Traces, AveragedTracesPlotTheLastGroup) {
    Panel p(PixelDepth::Bits8, 200, 121, false, false);  // 3,025 groups of eight pixels
    const std::vector<uint8_t> black = p.output;
    const auto drawings = [&p, &black] {
        std::array<std::vector<uint8_t>, 2> d;
        p.output = black;
        p.waveform(WaveformVariant::Averaged);
        d[0] = p.output;
        p.output = black;
        p.vectorscope(VectorscopeVariant::Averaged);
        d[1] = p.output;
        return d;
    };
    const auto ofBlack = drawings();
    // The last group in white, its chroma far from the middle: Cb Y Cr Y per pair.
    for (size_t i = p.input.size() - 16; i < p.input.size(); i += 4)
        for (int k = 0; k < 4; ++k) p.input[i + k] = std::array<uint8_t, 4>{200, 235, 60, 235}[k];
    const auto withLast = drawings();
    EXPECT_NE(withLast[0], ofBlack[0]);
    EXPECT_NE(withLast[1], ofBlack[1]);
}
