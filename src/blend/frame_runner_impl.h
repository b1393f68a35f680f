// The tables of instantiated loops behind runFrame; included only by the per-depth files.
#pragma once

#include <array>
#include <utility>

#include "blend/frame_runner.h"
#include "blend/mode_list.h"

namespace frame_runner_detail {

template <DepthPath Path>
struct IoOf;
template <>
struct IoOf<DepthPath::Bits8> {
    using type = Io8bit;
};
template <>
struct IoOf<DepthPath::Fixed2_14> {
    using type = Io2_14;
};
template <>
struct IoOf<DepthPath::FloatAligned> {
    using type = IoFloat<true>;
};
template <>
struct IoOf<DepthPath::FloatUnaligned> {
    using type = IoFloat<false>;
};

using ColourLoop = void (*)(const FrameJob&);
using MatteLoop = void (*)(const FrameJob&, pipeline::AlphaStage);

// [kernel][fg correction][output correction]
template <class Io, size_t... K>
constexpr auto colourLoops(std::index_sequence<K...>) {
    using pipeline::colourPass;
    using M = mode::Kernels;
    return std::array<std::array<std::array<ColourLoop, 2>, 2>, sizeof...(K)>{
        {{{{colourPass<std::tuple_element_t<K, M>, Io, false, false>,
            colourPass<std::tuple_element_t<K, M>, Io, false, true>},
           {colourPass<std::tuple_element_t<K, M>, Io, true, false>,
            colourPass<std::tuple_element_t<K, M>, Io, true, true>}}}...}};
}

template <class Io, size_t... K>
constexpr auto matteLoops(std::index_sequence<K...>) {
    using pipeline::mattePass;
    using M = mode::Kernels;
    return std::array<std::array<std::array<MatteLoop, 2>, 2>, sizeof...(K)>{
        {{{{mattePass<std::tuple_element_t<K, M>, Io, false, false>,
            mattePass<std::tuple_element_t<K, M>, Io, false, true>},
           {mattePass<std::tuple_element_t<K, M>, Io, true, false>,
            mattePass<std::tuple_element_t<K, M>, Io, true, true>}}}...}};
}

// [source 0..8, 9 = any other code][alpha range]
template <class Io, uint32_t... S>
constexpr auto alphaStages(std::integer_sequence<uint32_t, S...>) {
    using pipeline::alphaStage;
    return std::array<std::array<pipeline::AlphaStage, 2>, sizeof...(S)>{
        {{{alphaStage<Io, S, false>, alphaStage<Io, S, true>}}...}};
}

}  // namespace frame_runner_detail

template <DepthPath Path>
void runFrame(int kernel, const FrameJob& job, const PassFlags& flags) {
    using namespace frame_runner_detail;
    using Io = typename IoOf<Path>::type;
    static constexpr auto kColour = colourLoops<Io>(std::make_index_sequence<mode::kKernelCount>());
    static constexpr auto kMatte = matteLoops<Io>(std::make_index_sequence<mode::kKernelCount>());
    static constexpr auto kStages = alphaStages<Io>(std::make_integer_sequence<uint32_t, 10>());

    if (!flags.matteOn) {
        kColour[kernel][flags.fgCorrection][flags.outCorrection](job);
        return;
    }
    const uint32_t source = flags.alphaSource < 9 ? flags.alphaSource : 9;
    const pipeline::AlphaStage stage = kStages[source][flags.alphaRange];
    if (flags.showAlpha)
        pipeline::showAlphaPass<Io>(job, stage);
    else
        kMatte[kernel][flags.fgCorrection][flags.outCorrection](job, stage);
}
