// "Corvane REC.709 Oscilloscope" rendered through the module's exports (the ThreadSanitizer
// build runs this suite).
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <functional>
#include <limits>
#include <string>
#include <tuple>
#include <vector>

#include "corvane_module.h"
#include "samples.h"
#include "scope_geometry.h"

namespace {

namespace param = corvane_id::param;
using testhost::Frame;
using testhost::FrameShape;
using testhost::Placement;

constexpr uint32_t kScope = 3;
constexpr int32_t k8 = 1, k214 = 3, kFloat = 6, kYFirst = 1, kCFirst = 2;
constexpr int32_t kDepths[] = {k8, k214, kFloat};
constexpr double kInf = std::numeric_limits<double>::infinity();

struct Mode {
    const char* name;
    bool waveform, falseColour, resized;
};
constexpr Mode kLegalMap{"legal map", false, false, false},
    kFalseColour{"false colour", false, true, false};
constexpr Mode kModes[] = {kLegalMap,
                           kFalseColour,
                           {"averaged waveform", true, false, false},
                           {"full waveform", true, false, true},
                           {"false-colour waveform", true, true, true},
                           {"level strip", true, true, false}};

// A pixel's luma and its pair's Cb and Cr: as codes of the frame's depth (8-bit bytes, 2.14
// words, floats) or as working values (0 black, 1 white, chroma around 0).
struct Ycc {
    double y, cb, cr;
    bool operator==(const Ycc&) const = default;
    friend void PrintTo(const Ycc& c, std::ostream* os) {
        *os << c.y << " " << c.cb << " " << c.cr;
    }
};

int sampleBytes(const Frame& f) { return static_cast<int>(f.pixelBytes() / 2); }
std::array<size_t, 3> slots(const Frame& f, size_t pixel) {
    return ycbcr422::slots(pixel, f.shape().layout == kYFirst);
}
Ycc codesAt(const Frame& f, size_t pixel) {
    const auto at = [&](int i) {
        return samples::read(f.bytes().data(), slots(f, pixel)[i], sampleBytes(f));
    };
    return {at(0), at(1), at(2)};
}
Ycc valueAt(const Frame& f, size_t pixel) {
    const Ycc c = codesAt(f, pixel);
    if (f.shape().depth == k8) return {(c.y - 16) / 219, (c.cb - 128) / 224, (c.cr - 128) / 224};
    const double scale = f.shape().depth == k214 ? 16384 : 1;
    return {c.y / scale, c.cb / scale, c.cr / scale};
}
// Paints every pixel with working values; a pair takes the chroma of its first pixel.
void paint(Frame& f, const std::function<Ycc(size_t)>& at) {
    const size_t samples = f.bytes().size() / sampleBytes(f);
    for (size_t p = 0; p < size_t{f.shape().width} * f.shape().height; ++p) {
        const Ycc v = at(p);
        const double values[3] = {v.y, v.cb, v.cr};
        for (int i = 0; i < (p % 2 ? 1 : 3); ++i) {
            if (slots(f, p)[i] >= samples) continue;  // the half pair of an odd frame
            const double x = values[i];
            double code = x;
            if (f.shape().depth == k8)
                code =
                    std::clamp(std::isnan(x) ? 0 : std::rint(i == 0 ? x * 219 + 16 : x * 224 + 128),
                               0.0, 255.0);
            else if (f.shape().depth == k214)
                code = std::isnan(x) ? 0 : std::clamp(x * 16384, -32768.0, 32767.0);
            samples::write(f.bytes().data(), slots(f, p)[i], sampleBytes(f), code);
        }
    }
}
std::vector<uint8_t> bytesOf(const Frame& f) { return {f.bytes().begin(), f.bytes().end()}; }

// The reference colours in each depth's codes, as the markers write them.
enum Colour { White75, Yellow75, Green75, Red75 };
Ycc colourCodes(int32_t depth, Colour c) {
    static constexpr double k8bit[][3] = {
        {180, 128, 128}, {168, 44, 136}, {133, 63, 52}, {51, 109, 212}};
    static constexpr double k2_14[][3] = {
        {12269, 0, 0}, {11372, -5734, 546}, {8753, -4437, -5188}, {2618, -1297, 5734}};
    static constexpr float kFloats[][3] = {{164.0f / 219, 0, 0},
                                           {152.0f / 219, -84.0f / 240, 8.0f / 240},
                                           {117.0f / 219, -65.0f / 240, -76.0f / 240},
                                           {35.0f / 219, -19.0f / 240, 84.0f / 240}};
    if (depth == kFloat) return {kFloats[c][0], kFloats[c][1], kFloats[c][2]};
    const double* v = depth == k8 ? k8bit[c] : k2_14[c];
    return {v[0], v[1], v[2]};
}

// The pixels of a marker block beside the waveform panel at `level`.
std::vector<size_t> markerPixels(const scope_model::PanelCase& pc, double level) {
    const auto g = scope_model::expectedPanels(pc);
    const auto rows = static_cast<int64_t>(static_cast<float>(pc.height) * 0.012544f);
    const auto cols = static_cast<int64_t>(static_cast<float>(pc.width / 2) * 0.02f);
    const float xScale = static_cast<float>(g.waveWidth) / static_cast<float>(pc.width);
    const float yScale = 0.833333313f * static_cast<float>(g.height);
    const auto column = static_cast<int32_t>(-static_cast<float>(pc.width / 16) * xScale);
    const auto lift = static_cast<int32_t>((static_cast<float>(level) + 0.1f) * yScale);
    const int64_t bottomLeft = (int64_t{g.y0} + g.height) * pc.width + g.x0;
    std::vector<size_t> pixels;
    for (int64_t r = 0; r < rows; ++r)
        for (int64_t c = 0; c < cols; c += 2) {
            const int64_t i =
                (bottomLeft + int64_t{pc.width} * (rows / 2 - lift - r) + column - cols / 2 + c) &
                ~int64_t{1};
            pixels.push_back(static_cast<size_t>(i));
            pixels.push_back(static_cast<size_t>(i + 1));
        }
    return pixels;
}

// A scope instance on one input of `shape`, with the panel switches of `mode`.
struct Scope : Instance {
    Scope(CorvaneModule& module, testhost::Host& h, const FrameShape& shape, Mode mode = kLegalMap,
          int inputs = 1)
        : Instance(module, h, kScope, inputs, shape) {
        set(mode);
    }
    void set(Mode m) {
        auto& p = context.params();
        p.setBool(param::WaveformOn, m.waveform);
        p.setBool(param::FalseColourOn, m.falseColour);
        p.setBool(param::ResizeWaveform, m.resized);
    }
    Frame& input() { return *inputs.back(); }
    // Renders with the input and the output sharing one buffer, the picture in it.
    std::vector<uint8_t> renderShared() {
        const auto picture = bytesOf(input());
        std::memcpy(output->data(), picture.data(), picture.size());
        input().sharePixelsWith(*output);
        EXPECT_EQ(render(), 0);
        input().sharePixelsWith(input());
        return bytesOf(*output);
    }
};

using ScopeRender = ModuleTest;

// Each with input and output in one buffer too, which must give the same picture.
TEST_F(ScopeRender, LegalMapAndFalseColourInEveryDepthAndOrder) {
    // Lumas and chroma either side of the legal limits: luma 0.9 above 1, 0.3 within, 0 below;
    // chroma +-0.375 beyond +-0.375, 0 within.
    const double lumas[] = {-0.05, 0.01, 0.5, 0.99, 1.05},
                 chroma[] = {-0.45, -0.37, 0.2, 0.37, 0.45};
    const auto legal = [](double y) { return y > 1 ? 0.9 : y >= 0 ? 0.3 : 0.0; };
    const auto legalChroma = [](double c) { return c < -0.375 ? -0.375 : c > 0.375 ? 0.375 : 0.0; };
    for (int32_t depth : kDepths)
        for (int32_t layout : {kYFirst, kCFirst}) {
            SCOPED_TRACE("depth " + std::to_string(depth) + " layout " + std::to_string(layout));
            const double tolerance = depth == k8 ? 0.6 / 219 : depth == k214 ? 1e-4 : 1e-6;
            testhost::Host h;
            Scope legalMap(module, h, ycc(18, 4, depth, layout));
            paint(legalMap.input(), [&](size_t p) {
                return Ycc{lumas[p % 5], chroma[p / 2 % 5], chroma[(p / 2 + 2) % 5]};
            });
            ASSERT_EQ(legalMap.render(), 0);
            for (size_t p = 0; p < 72; ++p) {
                const Ycc in = valueAt(legalMap.input(), p), out = valueAt(*legalMap.output, p);
                ASSERT_NEAR(out.y, legal(in.y), tolerance) << p;
                ASSERT_NEAR(out.cb, legalChroma(in.cb), tolerance) << p;
                ASSERT_NEAR(out.cr, legalChroma(in.cr), tolerance) << p;
            }
            EXPECT_EQ(legalMap.renderShared(), bytesOf(*legalMap.output));
            // A flat mid-grey frame takes the Default palette's band from 0.47 to 0.55, but
            // for the green marker of a legal frame, beside where the waveform would be.
            Scope falseColour(module, h, ycc(512, 160, depth, layout), kFalseColour);
            paint(falseColour.input(), [](size_t) { return Ycc{0.5, 0, 0}; });
            ASSERT_EQ(falseColour.render(), 0);
            const auto marker = markerPixels({.width = 512, .height = 160, .waveform = false}, 0.5);
            ASSERT_EQ(marker.size(), 12u);  // two rows of three pairs
            for (size_t p = 0; p < 512 * 160; ++p) {
                if (std::ranges::find(marker, p) != marker.end()) {
                    ASSERT_EQ(codesAt(*falseColour.output, p), colourCodes(depth, Green75)) << p;
                    continue;
                }
                const Ycc out = valueAt(*falseColour.output, p);
                ASSERT_NEAR(out.y, 0.457, tolerance) << p;
                ASSERT_NEAR(out.cb, 0.098, tolerance) << p;
                ASSERT_NEAR(out.cr, -0.401, tolerance) << p;
            }
            EXPECT_EQ(falseColour.renderShared(), bytesOf(*falseColour.output));
        }
}

// Above the panel the picture (or its false colour); around it the same; the rectangle the
// workers own is theirs. 60 pixels a row: groups straddle rows and the rectangle's edges.
TEST_F(ScopeRender, ThePictureAroundThePanel) {
    for (int32_t depth : kDepths)
        for (int32_t layout : {kYFirst, kCFirst})
            for (const Mode& mode : kModes) {
                if (!mode.waveform) continue;
                SCOPED_TRACE(std::string(mode.name) + " depth " + std::to_string(depth) +
                             " layout " + std::to_string(layout));
                const FrameShape shape = ycc(60, 40, depth, layout);
                testhost::Host h;
                Scope scope(module, h, shape, mode);
                paint(scope.input(), [](size_t p) {
                    return Ycc{(p * 7 % 100) / 100.0, (p % 9) / 20.0 - 0.2, (p % 5) / 10.0 - 0.2};
                });
                ASSERT_EQ(scope.render(), 0);
                // Outside the panel: the picture, or the whole frame's false colour.
                Scope whole(module, h, shape, kFalseColour);
                std::memcpy(whole.input().data(), scope.input().data(),
                            scope.input().bytes().size());
                ASSERT_EQ(whole.render(), 0);
                const Frame& expected = mode.falseColour ? *whole.output : scope.input();

                const auto g = scope_model::expectedPanels({.width = 60,
                                                            .height = 40,
                                                            .falseColour = mode.falseColour,
                                                            .resized = mode.resized});
                for (size_t p = 0; p < 2400; ++p) {
                    const size_t pair = p & ~size_t{1}, group = p & ~size_t{7};
                    if (p >= size_t{g.y0} * 60 && scope_model::reserved(g, 60, pair)) continue;
                    // Groups before the rectangle's start keep the black they were given.
                    if (!mode.falseColour && p >= size_t{g.y0} * 60 && group < g.start) continue;
                    ASSERT_EQ(codesAt(*scope.output, p), codesAt(expected, p)) << p;
                }
                EXPECT_EQ(scope.renderShared(), bytesOf(*scope.output));
            }
}

// One finding per row: the text it adds to the warning line and the markers it draws.
TEST_F(ScopeRender, ChecksFireAtTheirThresholds) {
    struct Case {
        double y, cb, cr;
        const char* text;  // null: no warning line
        std::vector<std::pair<double, Colour>> markers;
    };
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const Case cases[] = {
        {0.5, 0.0, 0.0, nullptr, {{0.5, Green75}}},
        {-0.005, 0.0, 0.0, ": 14(-0.005000)=Ymin :", {{0.1, White75}}},
        {-0.02, 0.0, 0.0, ": 11(-0.020000)=Ymin :!!:", {{0.1, White75}, {0.0, Red75}}},
        {1.0, 0.0, 0.0, nullptr, {{0.5, Green75}}},
        {1.005, 0.0, 0.0, ": Ymax=236(1.005000) :", {{0.9, White75}}},
        {1.02, 0.0, 0.0, ": Ymax=239(1.020000) :!!:", {{0.9, White75}, {1.0, Red75}}},
        {0.5, -0.375, 0.375, nullptr, {{0.5, Green75}}},
        {0.5, -0.38, 0.0, ": -85(-0.380000)=Cmin :", {{0.25, Yellow75}}},
        {0.5, 0.0, 0.38, ": Cmax=85(0.380000) :", {{0.75, Yellow75}}},
        {kInf, 0.0, 0.0, ": Ymax=2147483647(inf) :!!:", {{0.9, White75}, {1.0, Red75}}},
        {-kInf, 0.0, 0.0, ": -2147483648(-inf)=Ymin :!!:", {{0.1, White75}, {0.0, Red75}}},
        {nan, 0.0, 0.0, nullptr, {{0.5, Green75}}},  // left out of the extremes
    };
    const scope_model::PanelCase pc{.width = 512, .height = 160, .waveform = false};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text ? c.text : "legal");
        testhost::Host h;
        Scope scope(module, h, ycc(512, 160, kFloat));
        host.log().clear();  // the module logs to the host of its first contact
        scope.context.params().setBool(param::LogToConsole, 1);
        scope.context.params().setBool(param::WaveformOn, 0);
        // One group holds the finding, the rest is legal grey.
        paint(scope.input(), [&](size_t p) {
            return p >= 8 && p < 16 ? Ycc{c.y, c.cb, c.cr} : Ycc{0.5, 0.0, 0.0};
        });
        ASSERT_EQ(scope.render(), 0);
        const auto lines = host.log().lines();
        if (!c.text) {
            EXPECT_TRUE(lines.empty());
        } else {
            ASSERT_EQ(lines.size(), 1u);
            EXPECT_EQ(lines[0].level, 2);
            EXPECT_EQ(lines[0].text,
                      std::string("\nCorvane::QCLog::***WARNING***::709:CbYCrY_NoA:"
                                  "32b:Video::PJ: 0 x 0 (0 x 0 ):buf(512 x 160 x 8sz) :") +
                          c.text + ":frame 3 \n");
        }
        for (const auto& [level, colour] : c.markers)
            for (size_t p : markerPixels(pc, level))
                ASSERT_EQ(codesAt(*scope.output, p), colourCodes(kFloat, colour))
                    << level << " " << p;
    }
}

TEST_F(ScopeRender, OneWarningLinePerOffendingFrameWhileTheLogIsOn) {
    Scope scope(module, host, ycc(16, 2, k8));
    scope.context.setProjectSize(1920, 1080);
    paint(scope.input(), [](size_t) { return Ycc{239.0 / 219, 0, 0}; });  // luma code 255
    auto& p = scope.context.params();
    p.setBool(param::LogToConsole, 1);
    host.log().clear();  // the module's greeting
    for (int frame = 0; frame < 3; ++frame) ASSERT_EQ(scope.render(), 0);
    p.setBool(param::LogToConsole, 0);
    ASSERT_EQ(scope.render(), 0);
    const auto lines = host.log().lines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].text,
              "\nCorvane::QCLog::***WARNING***::709:CbYCrY_NoA:8bit:Video::PJ: 1920 x 1080 (0 x 0 "
              "):buf(16 x 2 x 2sz) :: Ymax=255(1.091324) :!!::frame 3 \n");

    // Codes beyond the name lists, negative ones included, leave their names out.
    FrameShape odd = ycc(16, 2, k8);
    odd.colourSpace = 9, odd.range = -3;
    Scope unnamed(module, host, odd);
    paint(unnamed.input(), [](size_t) { return Ycc{0.5, 0.45, 0}; });  // too much Cb
    unnamed.context.params().setBool(param::LogToConsole, 1);
    ASSERT_EQ(unnamed.render(), 0);
    ASSERT_EQ(host.log().lines().size(), 4u);
    EXPECT_EQ(host.log().lines()[3].text.rfind(
                  "\nCorvane::QCLog::***WARNING***::CbYCrY_NoA:8bit::PJ:", 0),
              0u);
}

// Slider values outside the catalogue's range are held to it, NaN takes the default.
TEST_F(ScopeRender, OutOfRangeSliderValuesActAsTheirBounds) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        GUID id;
        double given, standsFor;
    };
    const Case cases[] = {{param::YPosition, -5, 0},        {param::YPosition, nan, 49},
                          {param::Scale, -50, 25},          {param::Scale, 500, 120},
                          {param::WaveIntensity, 1e6, 200}, {param::ScopeIntensity, -1e6, 0},
                          {param::GammaShift, 1e9, 1000}};
    for (const Case& c : cases) {
        std::vector<uint8_t> results[2];
        for (int i = 0; i < 2; ++i) {
            testhost::Host h;
            Scope scope(module, h, ycc(96, 64, k8), kModes[3]);
            paint(scope.input(), [](size_t p) { return Ycc{p % 96 / 80.0, 0.3, -0.2}; });
            scope.context.params().setDouble(c.id, i == 0 ? c.given : c.standsFor);
            ASSERT_EQ(scope.render(), 0);
            results[i] = bytesOf(*scope.output);
        }
        EXPECT_EQ(results[0], results[1]) << c.given;
    }
}

TEST_F(ScopeRender, TinyFramesAgainstGuardsInEveryDepthAndMode) {
    const std::pair<uint32_t, uint32_t> sizes[] = {{1, 1},  {2, 1},   {7, 1}, {8, 1},
                                                   {16, 2}, {30, 20}, {33, 3}};
    for (Placement placement : {Placement::GuardPage, Placement::Unaligned})
        for (int32_t depth : kDepths)
            for (const auto& [w, h] : sizes)
                for (const Mode& mode : kModes) {
                    testhost::Host host2;
                    Scope scope(module, host2, ycc(w, h, depth, kCFirst, placement), mode);
                    paint(scope.input(), [](size_t p) {
                        return Ycc{p % 3 * 0.6 - 0.1, 0.5, -0.5};
                    });
                    scope.context.params().setBool(param::LogToConsole, 1);
                    host.log().clear();
                    EXPECT_EQ(scope.render(), 0) << w << "x" << h << " " << mode.name;
                    // A frame without a whole group has nothing to report.
                    EXPECT_EQ(host.log().lines().size(), w * h < 8 ? 0u : 1u) << w << "x" << h;
                    EXPECT_TRUE(scope.output->guardsIntact() && scope.input().guardsIntact())
                        << w << "x" << h << " " << depth << " " << mode.name;
                }
}

TEST_F(ScopeRender, AFailureAtAnyHostCallIsReturned) {
    // Logging, with its panels, on the second of two inputs; every parameter falls back.
    expectEveryRenderFailureReturned(
        module, kScope, 2, ycc(64, 40, k8),
        [](Instance& in) {
            auto& p = in.context.params();
            p.setBool(param::WaveformOn, 1);
            p.setBool(param::ResizeWaveform, 1);
            p.setBool(param::LogToConsole, 1);
            in.field.setField(1);
        },
        nullptr, 25);
}

TEST_F(ScopeRender, HostCallsInTheirOrderAndTheLastInputFetchedOnce) {
    struct Case {
        int32_t fieldMode, subMode;
        size_t fieldCalls;
    };
    for (const Case c : {Case{0, 3, 0}, Case{1, 0, 1}, Case{2, 3, 1}, Case{2, 0, 0}, Case{3, 3, 1},
                         Case{3, 1, 0}, Case{4, 3, 0}}) {
        testhost::Host h;
        FrameShape shape = ycc(16, 4, k8);
        shape.fieldMode = c.fieldMode, shape.fieldSubMode = c.subMode;
        Scope scope(module, h, shape, kLegalMap, 3);
        scope.field.setField(2);
        h.journal().clear();
        ASSERT_EQ(scope.render(), 0);
        EXPECT_EQ(h.journal().count("GetFrameField"), c.fieldCalls) << c.fieldMode << c.subMode;
        EXPECT_TRUE(scope.tracks[0]->fetches().empty() && scope.tracks[1]->fetches().empty());
        ASSERT_EQ(scope.tracks[2]->fetches().size(), 1u);
        const auto f = scope.tracks[2]->fetches()[0];
        EXPECT_EQ(f.time, 3);
        EXPECT_EQ(f.field, 2);
        EXPECT_EQ(f.fieldMode, c.fieldMode);
        // The host calls in their order, each parameter read once at the parameter time.
        std::string order;
        for (const auto& call : h.journal().calls()) {
            if (call.op == "GetValueAt") {
                EXPECT_EQ(call.detail.rfind("t=2 ", 0), 0u) << call.detail;
                order += call.object.substr(call.object.find('\'')) + " ";
            } else if ((call.op.rfind("Get", 0) == 0 || call.op == "FetchFrame") &&
                       call.op != "GetParam" && call.op != "GetFieldSubMode" &&
                       call.op != "GetByteCount") {
                order += call.op + " ";
            }
        }
        EXPECT_EQ(order,
                  "GetFrameTime GetField GetParamTime 'Waveform switch' 'Resize Waveform' "
                  "'Enable log to Console' 'False Color switch' 'Y waveform intensity' "
                  "'Vectroscope intensity' 'Y-Position' 'Scale' 'corvane.QCPalette.value' "
                  "'False Color Gamma Shift' GetOutputFrame GetWidth GetHeight GetFieldMode "
                  "GetLayout GetColourSpace GetDepthCode GetLayoutCode GetRangeCode "
                  "GetBytesPerPixel GetProjectHeight GetProjectWidth GetAuxHeight GetAuxWidth " +
                      std::string(c.fieldCalls ? "GetFrameField " : "") +
                      "GetInputCount GetInput FetchFrame GetPixels GetPixels ");
    }
}

TEST_F(ScopeRender, RefusesWhatItCannotReadWithTheOutputUntouched) {
    struct Case {
        const char* what;
        std::function<void(Scope&)> arrange;
        int32_t status;
        size_t fetches;
    };
    const Case cases[] = {
        {"no input", [](Scope& s) { s.context.setInputCount(0); }, status::kNullObject, 0},
        {"a short input",
         [](Scope& s) { s.tracks[0]->setFrame(s.host.makeFrame(ycc(16, 3, k8), "short")); },
         status::kInvalidArgument, 1},
        {"null input pixels", [](Scope& s) { s.input().setPixelsNull(true); }, status::kNullObject,
         1},
        {"null output pixels", [](Scope& s) { s.output->setPixelsNull(true); }, status::kNullObject,
         1},
    };
    for (const Case& c : cases) {
        testhost::Host h;
        Scope scope(module, h, ycc(16, 4, k8));
        c.arrange(scope);
        h.journal().clear();
        EXPECT_EQ(scope.render(), c.status) << c.what;
        EXPECT_TRUE(scope.outputUntouched()) << c.what;
        EXPECT_EQ(h.journal().count("FetchFrame"), c.fetches) << c.what;
    }
    // A depth without a converter, or a pixel size that does not fit the depth.
    for (auto [depth, pixelBytes] : {std::pair{k8, 4u}, {k214, 2u}, {2, 2u}}) {
        testhost::Host h;
        FrameShape shape = ycc(16, 4, depth);
        shape.pixelBytes = pixelBytes;
        Scope scope(module, h, shape, kModes[3]);
        EXPECT_EQ(scope.render(), 0) << depth;
        EXPECT_TRUE(scope.outputUntouched()) << depth;
    }
}

// Target boxes need 64 panel rows; a black picture leaves the 75 % red there alone.
TEST_F(ScopeRender, TargetBoxesFromSixtyFourPanelRows) {
    for (const auto& [w, h, boxes] : {std::tuple{1008u, 252u, false}, {1024u, 256u, true}}) {
        testhost::Host host2;
        Scope scope(module, host2, ycc(w, h, k8), kModes[2]);
        paint(scope.input(), [](size_t) { return Ycc{0, 0, 0}; });
        ASSERT_EQ(scope.render(), 0);
        bool red = false;
        for (size_t p = 0; p + 1 < size_t{w} * h; p += 2)
            red = red || (codesAt(*scope.output, p) == colourCodes(k8, Red75) &&
                          codesAt(*scope.output, p + 1) == colourCodes(k8, Red75));
        EXPECT_EQ(red, boxes) << w << "x" << h;
    }
}

// Both workers, on values far beyond the panels' axes: the ThreadSanitizer build runs this.
TEST_F(ScopeRender, EveryModeAtFullHdWithItsWorkers) {
    for (int32_t depth : {k8, kFloat}) {
        testhost::Host h;
        Scope scope(module, h, ycc(1920, 1080, depth));
        const double extremes[] = {
            -kInf, -3.0, 0.2, 0.7, 2.5, kInf, std::numeric_limits<double>::quiet_NaN()};
        paint(scope.input(), [&](size_t p) {
            return Ycc{extremes[p % 7], extremes[p / 3 % 7], extremes[p / 5 % 7]};
        });
        for (const Mode& mode : kModes) {
            scope.set(mode);
            EXPECT_EQ(scope.render(), 0) << mode.name << " " << depth;
        }
    }
}

}  // namespace
