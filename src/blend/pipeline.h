// The per-pixel pipeline every blend kernel runs, written once: load, (alpha,) correct,
// blend, mix, correct, clamp, store. A kernel is this template instantiated with one blend
// formula; the pass, the sample depth, the correction switches and a mix of exactly 1 are
// template arguments chosen once per frame, so the loops below hold no branch on any of
// them. The clamp to the legal bounds is part of every store (pixel_io.h). The lane type V
// comes with the pixel I/O (Io::Lanes): four pixels a group, or eight on the AVX2 path.
#pragma once

#include <cstddef>
#include <cstdint>

#include "blend/alpha.h"
#include "blend/blend_modes.h"
#include "blend/correction.h"
#include "blend/pixel_io.h"

// Everything one frame's pass needs, built once per frame.
template <class V>
struct FrameJob {
    const uint8_t* background;
    const uint8_t* foreground;
    const uint8_t* matte;  // null unless the matte pass or the show-alpha pass runs
    uint8_t* output;
    size_t groups;              // whole groups of V::kLanes pixels
    FormatConstants<V> format;  // with the legal bounds
    ModeValues<V> mode;
    V mix, oneMinusMix;
    CorrectionConstants<V> fg, out;
    AlphaConstants<V> alpha;
};

namespace pipeline {

// Every loop below is flattened: everything it calls is inlined into it. A depth's
// translation unit holds some two hundred of these loops, and past GCC's unit-growth limit
// load, store, the formula and the correction otherwise stay calls, each passing a Group
// through memory and reloading the frame constants: several times slower per pixel.

// The alpha of a matte group is computed for a run of groups at a time, into a buffer that
// stays in the first-level cache, so the loop that blends does not depend on the source.
// A run is 256 pixels at every lane width: the buffers and the lines of the frames the run
// reads then fit in the first-level cache together. Runs of 2048 pixels, as sixteen lanes
// had with 128 groups, made the 2.14 correction and matte passes a tenth to a fifth slower.
template <class V>
inline constexpr size_t kChunkGroups = 256 / V::kLanes;

// Groups in the chunk that starts at group `first`: a whole chunk, or the rest of the frame.
template <class V>
size_t chunkLength(const FrameJob<V>& job, size_t first) {
    return job.groups - first < kChunkGroups<V> ? job.groups - first : kChunkGroups<V>;
}

template <class V>
struct AlphaChunk {
    V raw[kChunkGroups<V>];              // the source value x
    V foregroundScale[kChunkGroups<V>];  // 1 / x where x > 0, else 1; when unpremultiplying
    V alpha[kChunkGroups<V>];            // the final alpha, before the output clamp
};

template <class V>
using AlphaStage = void (*)(const FrameJob<V>& job, size_t first, size_t count,
                            AlphaChunk<V>& chunk);

// The bytes of one group of `Io`.
template <class Io>
inline constexpr size_t kGroupBytes = size_t{Io::kPixelBytes} * Io::Lanes::kLanes;

// How far ahead of its loads and stores a loop asks for the lines of a frame. The loops walk
// each frame once, front to back; past the caches the processor's own prefetch alone leaves
// them waiting on memory (UHD frames took up to 1.7 times as long without this). A prefetch
// past the end of a frame reads nothing, writes nothing and cannot fault; its address is
// formed as an integer, since a pointer may not point there.
inline constexpr size_t kPrefetchBytes = 2048;

// Asks for the lines of the group kPrefetchBytes past `p`, with the hint that they will be
// written when `Write` is 1.
template <class Io, int Write>
void prefetchAhead(const uint8_t* p) {
    const uintptr_t ahead = reinterpret_cast<uintptr_t>(p) + kPrefetchBytes;
    for (size_t line = 0; line < kGroupBytes<Io>; line += 64)
        __builtin_prefetch(reinterpret_cast<const void*>(ahead + line), Write);
}

// The group at `p`, after asking for the one kPrefetchBytes ahead.
template <class Io, class V = typename Io::Lanes>
Group<V> loadStreaming(const uint8_t* p, const FormatConstants<V>& k) {
    prefetchAhead<Io, 0>(p);
    return Io::load(p, k);
}

// Whether the stores of `Io` bypass the caches (the aligned float frames).
template <class Io>
inline constexpr bool kStoresBypassCaches = requires {
    requires Io::kStreamingStores;
};

// Stores the group `c` at `p`, after asking for the one kPrefetchBytes ahead: a store to a
// line that is not in the cache waits for the line and holds up the stores behind it. Stores
// that bypass the caches need no line.
template <class Io, class V>
void storeStreaming(uint8_t* p, const Group<V>& c, const FormatConstants<V>& k) {
    if constexpr (!kStoresBypassCaches<Io>) prefetchAhead<Io, 1>(p);
    Io::store(p, c, k);
}

// What an alpha stage does besides reading its source, as the bits of a template argument:
// the keying window, unpremultiplying, and rotating or inverting the alpha.
struct AlphaOptions {
    static constexpr unsigned kRange = 1, kUnpremultiply = 2, kTurned = 4, kCount = 8;
};

// The keying window over a chunk whose rotated values are in chunk.alpha.
template <bool Below, bool Above, bool Turned, class V>
[[gnu::flatten]] void windowChunk(const FrameJob<V>& job, size_t count, AlphaChunk<V>& chunk) {
    for (size_t i = 0; i < count; ++i)
        chunk.alpha[i] = alpha::inverted<Turned>(
            alpha::window<Below, Above>(chunk.alpha[i], job.alpha), job.alpha);
}

// Unpremultiplying divides the colours of a lane with x > 0 by x; the other lanes keep
// theirs, and c * 1 is c, bit for bit, whatever c is.
template <class Io, class V>
V foregroundScale(V x) {
    return select(x > V::zero(), Io::Reciprocal::of(x), V::all(1.0f));
}

template <class Io, uint32_t Source, unsigned Options, class V = typename Io::Lanes>
[[gnu::flatten]] void alphaStage(const FrameJob<V>& job, size_t first, size_t count,
                                 AlphaChunk<V>& chunk) {
    constexpr bool Range = (Options & AlphaOptions::kRange) != 0;
    constexpr bool Unpremultiply = (Options & AlphaOptions::kUnpremultiply) != 0;
    constexpr bool Turned = (Options & AlphaOptions::kTurned) != 0;
    // Separate loops rather than one: each chain is short enough for the reorder window to
    // overlap several groups.
    const uint8_t* m = job.matte + first * kGroupBytes<Io>;
    for (size_t i = 0; i < count; ++i, m += kGroupBytes<Io>) {
        const Group<V> g = loadStreaming<Io>(m, job.format);
        chunk.raw[i] = alpha::source<Source>(g.r, g.g, g.b, g.a);
        if constexpr (Unpremultiply) chunk.foregroundScale[i] = foregroundScale<Io>(chunk.raw[i]);
    }
    if constexpr (!Range) {
        for (size_t i = 0; i < count; ++i) {
            chunk.alpha[i] =
                alpha::inverted<Turned>(alpha::rotated<Turned>(chunk.raw[i], job.alpha), job.alpha);
        }
    } else {
        // Which halves of the window the chunk needs, decided once for its run of groups.
        V below = V::zero(), above = V::zero();
        for (size_t i = 0; i < count; ++i) {
            const V y = alpha::rotated<Turned>(chunk.raw[i], job.alpha);
            below = below | (y <= job.alpha.low);
            above = above | (y >= job.alpha.high);
            chunk.alpha[i] = y;
        }
        using WindowLoop = void (*)(const FrameJob<V>&, size_t, AlphaChunk<V>&);
        static constexpr WindowLoop kWindow[2][2] = {
            {windowChunk<false, false, Turned, V>, windowChunk<false, true, Turned, V>},
            {windowChunk<true, false, Turned, V>, windowChunk<true, true, Turned, V>}};
        kWindow[anyLane(below)][anyLane(above)](job, count, chunk);
    }
}

// Blend and mix of one colour channel. With a mix of exactly 1 on a finite background,
// s * 1 + 0 * b is s, bit for bit, and a mode that ignores b then does not load it.
// The formula divides by the reciprocal of the depth.
template <class Mode, class Io, bool MixOne, class V>
V mixChannel(V a, V b, const FrameJob<V>& job) {
    const ModeConstants<V, typename Io::Reciprocal> k{job.mode};
    if constexpr (MixOne)
        return Mode::f(a, b, k);
    else
        return Mode::f(a, b, k) * job.mix + job.oneMinusMix * b;
}

// Blend and mix of the colours, before the output correction and the clamp.
template <class Mode, class Io, bool MixOne, class V>
Group<V> mixGroup(const Group<V>& fg, const Group<V>& bg, const FrameJob<V>& job) {
    return {mixChannel<Mode, Io, MixOne>(fg.r, bg.r, job),
            mixChannel<Mode, Io, MixOne>(fg.g, bg.g, job),
            mixChannel<Mode, Io, MixOne>(fg.b, bg.b, job), V::zero()};
}

template <class Mode, class Io, bool MixOne, bool FgCorrection, bool OutCorrection, class V>
Group<V> blendGroup(Group<V> fg, const Group<V>& bg, const FrameJob<V>& job) {
    if constexpr (FgCorrection) correct(fg.r, fg.g, fg.b, job.fg);
    Group<V> out = mixGroup<Mode, Io, MixOne>(fg, bg, job);
    if constexpr (OutCorrection) correct(out.r, out.g, out.b, job.out);
    return out;
}

// The group at `offset` of an input frame, or nothing where the loop never reads that input.
template <class Io, bool Reads, class V>
Group<V> loadInput(const uint8_t* frame, size_t offset, const FormatConstants<V>& k) {
    if constexpr (Reads)
        return loadStreaming<Io>(frame + offset, k);
    else
        return Group<V>{};
}

// The inputs a loop loads: those the formula reads, and the background wherever the mix
// reads it, which is at every mix but exactly 1.
template <class Mode, bool MixOne>
constexpr mode::Inputs loadedInputs() {
    mode::Inputs inputs = mode::inputsOf<Mode>();
    inputs.background = inputs.background || !MixOne;
    return inputs;
}

// The colours of a run of groups between the stages of a correction pass.
template <class V>
struct ColourChunk {
    V r[kChunkGroups<V>], g[kChunkGroups<V>], b[kChunkGroups<V>];
};

// The plain and the correction passes: no matte, the output alpha is 0.
//
// With a correction on, the pass runs in stages over a chunk that stays in the first-level
// cache: foreground correction; blend and mix; output correction, clamp and store. Fused,
// each group is one dependency chain of about a hundred cycles, too long for the reorder
// window to overlap enough groups: the loop retired two thirds as many instructions per
// cycle as the plain pass. Staged, a frame takes a quarter less time. The operations and
// their order are those of blendGroup, so the results are the same.
template <class Mode, class Io, bool MixOne, bool FgCorrection, bool OutCorrection,
          class V = typename Io::Lanes>
[[gnu::flatten]] void colourPass(const FrameJob<V>& shared) {
    // A copy the stores cannot alias, so its constants stay in registers across the loop.
    const FrameJob<V> job = shared;
    constexpr size_t step = kGroupBytes<Io>;
    constexpr mode::Inputs reads = loadedInputs<Mode, MixOne>();
    constexpr bool fgStage = FgCorrection && reads.foreground;
    if constexpr (!fgStage && !OutCorrection) {
        for (size_t i = 0, offset = 0; i < job.groups; ++i, offset += step) {
            const Group<V> bg = loadInput<Io, reads.background>(job.background, offset, job.format);
            const Group<V> fg = loadInput<Io, reads.foreground>(job.foreground, offset, job.format);
            storeStreaming<Io>(job.output + offset,
                               blendGroup<Mode, Io, MixOne, false, false>(fg, bg, job), job.format);
        }
    } else {
        ColourChunk<V> chunk;
        for (size_t first = 0; first < job.groups; first += kChunkGroups<V>) {
            const size_t count = chunkLength(job, first);
            const size_t base = first * step;
            if constexpr (fgStage)
                for (size_t i = 0; i < count; ++i) {
                    Group<V> fg = loadStreaming<Io>(job.foreground + base + i * step, job.format);
                    correct(fg.r, fg.g, fg.b, job.fg);
                    chunk.r[i] = fg.r;
                    chunk.g[i] = fg.g;
                    chunk.b[i] = fg.b;
                }
            for (size_t i = 0; i < count; ++i) {
                const size_t offset = base + i * step;
                const Group<V> bg =
                    loadInput<Io, reads.background>(job.background, offset, job.format);
                Group<V> fg;
                if constexpr (fgStage)
                    fg = {chunk.r[i], chunk.g[i], chunk.b[i], V::zero()};
                else
                    fg = loadInput<Io, reads.foreground>(job.foreground, offset, job.format);
                const Group<V> out = mixGroup<Mode, Io, MixOne>(fg, bg, job);
                if constexpr (OutCorrection) {
                    chunk.r[i] = out.r;
                    chunk.g[i] = out.g;
                    chunk.b[i] = out.b;
                } else {
                    storeStreaming<Io>(job.output + offset, out, job.format);
                }
            }
            if constexpr (OutCorrection)
                for (size_t i = 0; i < count; ++i) {
                    Group<V> out{chunk.r[i], chunk.g[i], chunk.b[i], V::zero()};
                    correct(out.r, out.g, out.b, job.out);
                    storeStreaming<Io>(job.output + base + i * step, out, job.format);
                }
        }
    }
    Io::finish();
}

// Walks the frame a chunk of groups at a time: the alpha of each chunk first, then
// `group(i, offset, chunk)` for every group of it.
template <class Io, class PerGroup, class V>
void forEachAlphaChunk(const FrameJob<V>& job, AlphaStage<V> stage, PerGroup&& group) {
    constexpr size_t step = kGroupBytes<Io>;
    AlphaChunk<V> chunk;
    for (size_t first = 0; first < job.groups; first += kChunkGroups<V>) {
        const size_t count = chunkLength(job, first);
        stage(job, first, count, chunk);
        size_t offset = first * step;
        for (size_t i = 0; i < count; ++i, offset += step) group(i, offset, chunk);
    }
    Io::finish();
}

// The matte pass: the alpha of the matte becomes the output alpha; it takes no part in the
// colour arithmetic except by unpremultiplying the foreground, with the scale its stage made.
template <class Mode, class Io, bool MixOne, bool FgCorrection, bool OutCorrection,
          bool Unpremultiply, class V = typename Io::Lanes>
[[gnu::flatten]] void mattePass(const FrameJob<V>& shared, AlphaStage<V> stage) {
    const FrameJob<V> job = shared;  // not aliased by the stores
    constexpr mode::Inputs reads = loadedInputs<Mode, MixOne>();
    forEachAlphaChunk<Io>(job, stage, [&](size_t i, size_t offset, const AlphaChunk<V>& chunk) {
        const Group<V> bg = loadInput<Io, reads.background>(job.background, offset, job.format);
        Group<V> fg = loadInput<Io, reads.foreground>(job.foreground, offset, job.format);
        if constexpr (reads.foreground && Unpremultiply) {
            const V scale = chunk.foregroundScale[i];
            fg.r = fg.r * scale;
            fg.g = fg.g * scale;
            fg.b = fg.b * scale;
        }
        Group<V> out = blendGroup < Mode, Io, MixOne, FgCorrection && reads.foreground,
                 OutCorrection > (fg, bg, job);
        out.a = chunk.alpha[i];
        storeStreaming<Io>(job.output + offset, out, job.format);
    });
}

// The show-alpha pass: the alpha as grey, the same for every blend mode. The store clamps
// the colours to [lo, hi] and the alpha to [0, 1].
template <class Io, class V = typename Io::Lanes>
[[gnu::flatten]] void showAlphaPass(const FrameJob<V>& shared, AlphaStage<V> stage) {
    const FrameJob<V> job = shared;  // not aliased by the stores
    forEachAlphaChunk<Io>(job, stage, [&](size_t i, size_t offset, const AlphaChunk<V>& chunk) {
        const V a = chunk.alpha[i];
        storeStreaming<Io>(job.output + offset, {a, a, a, a}, job.format);
    });
}

}  // namespace pipeline
