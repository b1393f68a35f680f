// What each plot operation does to the pair it lands on, in each depth and both sample
// orders, against the blends written here in double precision; and the worked brightnesses.
#include "scope/plot.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "samples.h"

namespace {

enum Op { LumaPair, LumaPoint, ColouredPoint, Line, HuePoint, Tick, ColourPoint, Fill };
constexpr Op kOps[] = {LumaPair, LumaPoint, ColouredPoint, Line, HuePoint, Tick, ColourPoint, Fill};

struct Pair {
    double cb, y0, cr, y1;
};

template <class S>
struct Depth {
    static constexpr bool kFloat = std::is_same_v<S, float>;
    static constexpr double kOne = std::is_same_v<S, uint8_t> ? 255 : 16384;
    static double half(double a, double b) {
        return kFloat ? (a + b) * 0.5 : std::floor((a + b) / 2);
    }
    // The screen blend: float 1 - (1 - k)(1 - old); integers one - (one - k) f >> bits, with
    // f = one - old, or at 8-bit relative to black (255 - (old - 16), 255 below 17) and
    // clamped to 16..235.
    static double screen(double old, double k, bool fromBlack) {
        if (kFloat) return 1 - (1 - k) * (1 - old);
        if (kOne == 16384) return 16384 - std::floor((16384 - k) * (16384 - old) / 16384);
        const double f = !fromBlack ? 255 - old : old < 17 ? 255 : 255 - (old - 16);
        return std::clamp(255 - std::floor((255 - k) * f / 256), 16.0, 235.0);
    }
    static double hueLuma() { return kFloat ? 0.7f : kOne == 255 ? 169 : 11468; }
    static Pair colour(ScopeColour c) {
        const auto i = static_cast<size_t>(c);
        const auto& t = kScopeColours;
        const auto at = [&](int k) -> double {  // Y, Cb, Cr
            return kFloat ? t.floats[i][k] : kOne == 255 ? t.bits8[i][k] : t.fixed2_14[i][k];
        };
        return {at(1), at(0), at(2), at(0)};
    }
};

// The pair after `op`, by the rules of the waveform and the vectorscope.
template <class S>
Pair expected(Op op, Pair o, bool second, double k, double cb, double cr) {
    using D = Depth<S>;
    const Pair g = D::colour(ScopeColour::Green75), yel = D::colour(ScopeColour::Yellow75);
    double& pos = second ? o.y1 : o.y0;
    const auto towards = [&](const Pair& c) {
        o.cb = D::half(o.cb, c.cb), o.cr = D::half(o.cr, c.cr);
    };
    // clang-format off
    switch (op) {
        case LumaPair:
            towards(g); o.y0 = D::screen(o.y0, k, false), o.y1 = D::screen(o.y1, k, false);
            break;
        case LumaPoint: towards(g); pos = D::screen(pos, k, false); break;
        case ColouredPoint: o.cb = cb, o.cr = cr, pos = D::screen(pos, k, true); break;
        case Line: towards(yel); o.y0 = D::half(o.y0, yel.y0), o.y1 = D::half(o.y1, yel.y0); break;
        case HuePoint: o.cb = cb, o.cr = cr, pos = D::half(pos, D::hueLuma()); break;
        case Tick: towards(g); pos = D::half(pos, g.y0); break;
        case ColourPoint: o.cb = yel.cb, o.cr = yel.cr, pos = yel.y0; break;
        case Fill: o = yel; break;
    }
    // clang-format on
    return o;
}

template <class S>
void apply(const plot::Plotter<S>& p, Op op, PairHit h, plot::Brightness<S> k, S cb, S cr) {
    // clang-format off
    switch (op) {
        case LumaPair: return p.lumaPair(h, plot::FixedScreen<S>(k, false));
        case LumaPoint: return p.lumaPoint(h, plot::FixedScreen<S>(k, false));
        case ColouredPoint: return p.colouredPoint(h, k, cb, cr);
        case Line: return p.line(h, ScopeColour::Yellow75);
        case HuePoint: return p.huePoint(h, cb, cr);
        case Tick: return p.tick(h);
        case ColourPoint: return p.colourPoint(h, ScopeColour::Yellow75);
        case Fill: return p.fill(h, ScopeColour::Yellow75);
    }
    // clang-format on
}

template <class S>
void checkEveryOperation(Pair old, plot::Brightness<S> k, S cb, S cr) {
    for (PixelLayout layout : {PixelLayout::YCbYCr_NoA, PixelLayout::CbYCrY_NoA}) {
        ScopeCanvas c;
        c.layout = layout;
        const plot::Plotter<S> p(c);
        const auto at = [&](int channel) {
            return ycbcr422::position(channel, layout == PixelLayout::YCbYCr_NoA);
        };
        for (Op op : kOps)
            for (bool second : {false, true}) {
                S stored[4];
                const double in[4] = {old.cb, old.y0, old.cr, old.y1};
                for (int i = 0; i < 4; ++i) stored[at(i)] = static_cast<S>(in[i]);
                apply(p, op, PairHit{reinterpret_cast<uint8_t*>(stored), second}, k, cb, cr);
                const Pair e = expected<S>(op, old, second, k, cb, cr);
                const double want[4] = {e.cb, e.y0, e.cr, e.y1};
                for (int i = 0; i < 4; ++i)
                    EXPECT_NEAR(stored[at(i)], want[i], Depth<S>::kFloat ? 1e-6 : 0)
                        << "op " << op << " sample " << i << " second " << second << " layout "
                        << static_cast<int>(layout);
            }
    }
}

TEST(PlotOperations, EveryOperationInEveryDepthAndOrder) {
    checkEveryOperation<uint8_t>({100, 16, 200, 240}, 66, 20, 230);
    checkEveryOperation<uint8_t>({0, 10, 255, 17}, 126, 128, 128);
    checkEveryOperation<int16_t>({-3000, 500, 7000, 20000}, 8192, -5000, 4000);
    checkEveryOperation<int16_t>({-32768, -32768, 32767, 32767}, 16384, 0, 0);
    checkEveryOperation<float>({-0.2, 0.1, 0.3, 1.2}, 0.4f, -0.45f, 0.25f);
}

TEST(PlotOperations, WorkedBrightnesses) {
    ScopeCanvas c;
    c.layout = PixelLayout::CbYCrY_NoA;
    const plot::Plotter<uint8_t> p(c);
    // Luma 16 under the green trace at level 0.5: k = 66, 255 - (189 x 239 >> 8) = 79.
    EXPECT_EQ(plot::greenBrightness(p, 0.5f), 66);
    uint8_t pair[4] = {128, 16, 128, 16};
    p.lumaPoint(PairHit{pair, false}, plot::FixedScreen<uint8_t>(66, false));
    EXPECT_EQ(pair[1], 79);
    // The vectorscope trace at 0.5: 125.5 rounds to the even 126.
    EXPECT_EQ(plot::chromaBrightness<uint8_t>(0.5f), 126);
    EXPECT_EQ(plot::chromaBrightness<int16_t>(0.5f), 8192);
    EXPECT_EQ(plot::colourBrightness<uint8_t>(1.0f, 0.5f), 117);  // code 235 x 0.5
}

}  // namespace
