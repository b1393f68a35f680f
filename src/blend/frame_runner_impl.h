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
struct IoOf<DepthPath::Bits8Full> {
    using type = Io8bit<false>;
};
template <>
struct IoOf<DepthPath::Bits8Video> {
    using type = Io8bit<true>;
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

// The loops of one kernel, [fg correction][output correction], for a mix of exactly 1 or any
// other mix. Float samples may be infinite, so their mix is never shortened.
template <class Loop>
using CorrectionTable = std::array<std::array<Loop, 2>, 2>;

template <class Mode, class Io, bool MixOne>
constexpr CorrectionTable<ColourLoop> colourLoopsOf() {
    using pipeline::colourPass;
    constexpr bool shorten = MixOne && Io::kFiniteSamples;
    return {
        {{colourPass<Mode, Io, shorten, false, false>, colourPass<Mode, Io, shorten, false, true>},
         {colourPass<Mode, Io, shorten, true, false>, colourPass<Mode, Io, shorten, true, true>}}};
}

template <class Mode, class Io, bool MixOne>
constexpr CorrectionTable<MatteLoop> matteLoopsOf() {
    using pipeline::mattePass;
    constexpr bool shorten = MixOne && Io::kFiniteSamples;
    return {
        {{mattePass<Mode, Io, shorten, false, false>, mattePass<Mode, Io, shorten, false, true>},
         {mattePass<Mode, Io, shorten, true, false>, mattePass<Mode, Io, shorten, true, true>}}};
}

// [kernel][mix is 1][fg correction][output correction]
template <class Io, size_t... K>
constexpr auto colourLoops(std::index_sequence<K...>) {
    using M = mode::Kernels;
    return std::array<std::array<CorrectionTable<ColourLoop>, 2>, sizeof...(K)>{
        {{{colourLoopsOf<std::tuple_element_t<K, M>, Io, false>(),
           colourLoopsOf<std::tuple_element_t<K, M>, Io, true>()}}...}};
}

template <class Io, size_t... K>
constexpr auto matteLoops(std::index_sequence<K...>) {
    using M = mode::Kernels;
    return std::array<std::array<CorrectionTable<MatteLoop>, 2>, sizeof...(K)>{
        {{{matteLoopsOf<std::tuple_element_t<K, M>, Io, false>(),
           matteLoopsOf<std::tuple_element_t<K, M>, Io, true>()}}...}};
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
        kColour[kernel][flags.mixOne][flags.fgCorrection][flags.outCorrection](job);
        return;
    }
    const uint32_t source = flags.alphaSource < 9 ? flags.alphaSource : 9;
    const pipeline::AlphaStage stage = kStages[source][flags.alphaRange];
    if (flags.showAlpha)
        pipeline::showAlphaPass<Io>(job, stage);
    else
        kMatte[kernel][flags.mixOne][flags.fgCorrection][flags.outCorrection](job, stage);
}
