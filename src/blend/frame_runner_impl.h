// The tables of instantiated loops behind runFrame, for the pixel I/O of either width;
// included only by the per-depth files.
#pragma once

#include <array>
#include <type_traits>
#include <utility>

#include "blend/alpha_sources.h"
#include "blend/frame_runner.h"
#include "blend/mode_table.h"

namespace frame_runner_detail {

// The pixel I/O of each depth path, from a family of I/O classes of one width.
struct FourLanes {
    template <bool Video>
    using Io8bit = ::Io8bit<Video>;
    using Io2_14 = ::Io2_14;
    template <bool Aligned>
    using IoFloat = ::IoFloat<Aligned>;
};

template <class Family, DepthPath Path>
struct IoOf;
template <class Family>
struct IoOf<Family, DepthPath::Bits8Full> {
    using type = typename Family::template Io8bit<false>;
};
template <class Family>
struct IoOf<Family, DepthPath::Bits8Video> {
    using type = typename Family::template Io8bit<true>;
};
template <class Family>
struct IoOf<Family, DepthPath::Fixed2_14> {
    using type = typename Family::Io2_14;
};
template <class Family>
struct IoOf<Family, DepthPath::FloatAligned> {
    using type = typename Family::template IoFloat<true>;
};
template <class Family>
struct IoOf<Family, DepthPath::FloatUnaligned> {
    using type = typename Family::template IoFloat<false>;
};

// The two passes that differ per kernel, each as the address of one of its loops.
struct ColourPass {
    template <class Mode, class Io, bool MixOne, bool Fg, bool Out>
    static constexpr void (*loop)(const FrameJob<typename Io::Lanes>&) =
        pipeline::colourPass<Mode, Io, MixOne, Fg, Out>;
};
// The matte pass has two, [unpremultiply]; a mode that reads no foreground has nothing to
// divide, so both are the same loop.
struct MattePass {
    template <class V>
    using Loop = void (*)(const FrameJob<V>&, pipeline::AlphaStage<V>);
    template <class Mode, class Io, bool MixOne, bool Fg, bool Out>
    static constexpr std::array<Loop<typename Io::Lanes>, 2> loop = {
        pipeline::mattePass<Mode, Io, MixOne, Fg, Out, false>,
        pipeline::mattePass<Mode, Io, MixOne, Fg, Out, mode::inputsOf<Mode>().foreground>};
};

// The loops of one kernel, [mix is 1][fg correction][output correction], each entry what the
// pass gives. Float samples may be infinite, so their mix is never shortened: the flag is
// not set for them, and their second half repeats the first instead of holding loops no frame
// calls.
template <class Pass, class Mode, class Io>
constexpr auto loopsOf() {
    using Loop = std::remove_const_t<decltype(Pass::template loop<Mode, Io, false, false, false>)>;
    using Table = std::array<std::array<std::array<Loop, 2>, 2>, 2>;
    constexpr bool shorten = Io::kFiniteSamples;
    return Table{{{{{Pass::template loop<Mode, Io, false, false, false>,
                     Pass::template loop<Mode, Io, false, false, true>},
                    {Pass::template loop<Mode, Io, false, true, false>,
                     Pass::template loop<Mode, Io, false, true, true>}}},
                  {{{Pass::template loop<Mode, Io, shorten, false, false>,
                     Pass::template loop<Mode, Io, shorten, false, true>},
                    {Pass::template loop<Mode, Io, shorten, true, false>,
                     Pass::template loop<Mode, Io, shorten, true, true>}}}}};
}

// [kernel][mix is 1][fg correction][output correction]
template <class Pass, class Io, size_t... K>
constexpr auto loopTable(std::index_sequence<K...>) {
    return std::array{loopsOf<Pass, std::tuple_element_t<K, mode::Kernels>, Io>()...};
}

// The stages of one source, indexed by their AlphaOptions bits.
template <class Io, uint32_t Source, unsigned... O>
constexpr auto stagesOf(std::integer_sequence<unsigned, O...>) {
    return std::array<pipeline::AlphaStage<typename Io::Lanes>, sizeof...(O)>{
        pipeline::alphaStage<Io, Source, O>...};
}

// [alphaStageOf(source)][AlphaOptions bits]
template <class Io, uint32_t... S>
constexpr auto alphaStages(std::integer_sequence<uint32_t, S...>) {
    constexpr auto options = std::make_integer_sequence<unsigned, pipeline::AlphaOptions::kCount>();
    return std::array{stagesOf<Io, S>(options)...};
}

// Runs the loop of `kernel` for the pass the flags name.
template <class Io>
void runLoops(int kernel, const FrameJob<typename Io::Lanes>& job, const PassFlags& flags) {
    constexpr auto kernels = std::make_index_sequence<mode::kKernelCount>();
    static constexpr auto kColour = loopTable<ColourPass, Io>(kernels);
    static constexpr auto kMatte = loopTable<MattePass, Io>(kernels);
    static constexpr auto kStages =
        alphaStages<Io>(std::make_integer_sequence<uint32_t, kAlphaSourceCount + 1>());

    if (!flags.matteOn) {
        kColour[kernel][flags.mixOne][flags.fgCorrection][flags.outCorrection](job);
        return;
    }
    using Options = pipeline::AlphaOptions;
    const unsigned common =
        (flags.alphaRange ? Options::kRange : 0u) | (flags.alphaTurned ? Options::kTurned : 0u);
    if (flags.showAlpha) {
        // Nothing reads the foreground here.
        pipeline::showAlphaPass<Io>(job, kStages[flags.alphaStage][common]);
        return;
    }
    const unsigned options = common | (flags.unpremultiply ? Options::kUnpremultiply : 0u);
    kMatte[kernel][flags.mixOne][flags.fgCorrection][flags.outCorrection][flags.unpremultiply](
        job, kStages[flags.alphaStage][options]);
}

}  // namespace frame_runner_detail

template <DepthPath Path>
void runFrame(int kernel, const FrameJob<F4>& job, const PassFlags& flags) {
    using namespace frame_runner_detail;
    runLoops<typename IoOf<FourLanes, Path>::type>(kernel, job, flags);
}
