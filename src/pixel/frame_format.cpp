#include "pixel/frame_format.h"

#include <iterator>

#include "host/guard.h"
#include "host/host_ref.h"
#include "host/interfaces.h"

namespace {

template <class Code, size_t N>
const char* tokenOf(const char* const (&tokens)[N], Code code) {
    const auto index = static_cast<uint32_t>(code);
    return index < N ? tokens[index] : nullptr;
}

constexpr const char* kDepthTokens[] = {
    "%sNONE:", "%s8bit:", "%s10bit:", "%s2_14b:", "%s10_6b:", "%s16b:", "%s32b:", "%sHF:"};
constexpr const char* kLayoutTokens[] = {
    "%sNONE:",   "%sYCbYCr_NoA:", "%sCbYCrY_NoA:",     "%sARGB:",    "%sBGRA:",    "%sRGBA:",
    "%sABGR:",   "%sYCbYCr:",     "%sYCbYCr_A_AtEnd:", "%sRGB_NoA:", "%sBGR_NoA:", "%sYCbCrA:",
    "%sCbYCrA:", "%sMono:"};
constexpr const char* kRangeTokens[] = {"%sNone:", "%sVideo:", "%sFull:", "%sNorm:", "%sCustom:"};
constexpr const char* kColourSpaceTokens[] = {"NONE:", "MONO:", "RGB:", "601:", "709:"};

}  // namespace

const char* depthToken(PixelDepth depth) { return tokenOf(kDepthTokens, depth); }
const char* layoutToken(PixelLayout layout) { return tokenOf(kLayoutTokens, layout); }
const char* rangeToken(ValueRange range) { return tokenOf(kRangeTokens, range); }
const char* colourSpaceToken(ColourSpace space) { return tokenOf(kColourSpaceTokens, space); }

FrameFormat readFrameFormat(IAVXFrameBuffer& frame) {
    FrameFormat f;
    f.width = static_cast<uint32_t>(frame.GetWidth());
    f.height = static_cast<uint32_t>(frame.GetHeight());
    f.fieldMode = frame.GetFieldMode();

    HostRef<IAVXFrameLayout> layout;
    check(frame.GetLayout(layout.put()));
    require(layout.get());
    f.colourSpace = static_cast<ColourSpace>(layout->GetColourSpace());
    f.depth = static_cast<PixelDepth>(layout->GetDepthCode());
    f.layout = static_cast<PixelLayout>(layout->GetLayoutCode());
    f.range = static_cast<ValueRange>(layout->GetRangeCode());
    f.pixelBytes = layout->GetBytesPerPixel(0);

    f.frameBytes = uint64_t{f.pixelBytes} * f.height * f.width;
    return f;
}
