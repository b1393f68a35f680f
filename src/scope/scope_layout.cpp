#include "scope/scope_layout.h"

#include <algorithm>

#include "scope/false_colour_palette.h"

namespace {

// A length in pixels from a float: truncated, and never past `limit`. NaN, infinities and
// negative lengths never reach the conversion.
uint32_t pixelsOf(float v, uint64_t limit) {
    if (!(v > 0.0f)) return 0;
    if (v >= static_cast<float>(limit)) return static_cast<uint32_t>(limit);
    return static_cast<uint32_t>(v);
}

PanelGeometry geometryOf(const ScopeSettings& settings, float w, float h, float aspect,
                         uint32_t width, uint32_t height) {
    const float s = static_cast<float>(settings.scale / 100.0);
    const float y = static_cast<float>(settings.yPosition / 100.0);
    // The resized panel never reaches past the bottom edge.
    const float yPos = y + 0.475f * s <= 1.0f ? y : 1.0f - 0.475f * s;
    const bool resized = settings.resizeWaveform;

    float x0 = 0.05f * w, y0 = 0.7f * h, panelHeight = 0.25f * h, waveWidth = 0.25f * w,
          scopeWidth = aspect * 0.25f * w;
    if (settings.waveformOn && resized) {
        y0 = yPos * h;
        panelHeight = 0.475f * s * h;
        waveWidth = 0.475f * s * w;
        scopeWidth = aspect * 0.475f * w * s;
    } else if (settings.waveformOn && settings.falseColourOn) {
        x0 = 0.02f * w;
        y0 = 0.03f * h;
        panelHeight = 0.944f * h;
        waveWidth = 0.025f * w;
        scopeWidth = aspect * 0.025f * w;
    }

    PanelGeometry g;
    g.x0 = pixelsOf(x0, width);
    g.y0 = pixelsOf(y0, height);
    g.height = pixelsOf(panelHeight, height - g.y0);
    g.waveWidth = pixelsOf(waveWidth, width - g.x0);
    // Beside the waveform, unless false colour takes the waveform's place or there is none.
    const bool besideWaveform = settings.waveformOn && !settings.falseColourOn;
    const uint64_t scopeLeft = besideWaveform ? uint64_t{g.waveWidth} + 2ull * g.x0 : g.x0;
    g.scopeLeft = static_cast<uint32_t>(std::min<uint64_t>(scopeLeft, width));
    g.scopeWidth = pixelsOf(scopeWidth, width - g.scopeLeft);
    return g;
}

ScopeCanvas canvasOf(const FrameFormat& frame, uint8_t* pixels, uint32_t left, uint32_t top,
                     uint32_t panelWidth, uint32_t panelHeight) {
    ScopeCanvas c;
    c.depth = frame.depth;
    c.range = frame.range;
    c.layout = frame.layout;
    c.pixels = pixels;
    c.frameBytes = frame.frameBytes;
    c.framePixels = frame.pixelBytes != 0 ? frame.frameBytes / frame.pixelBytes : 0;
    c.width = frame.width;
    c.height = frame.height;
    c.pixelBytes = frame.pixelBytes;
    c.left = left;
    c.top = top;
    c.topLeft = uint64_t{top} * frame.width + left;
    c.bottomLeft = c.topLeft + uint64_t{panelHeight} * frame.width;
    c.panelWidth = panelWidth;
    c.panelHeight = panelHeight;
    return c;
}

// Rows from the panel's top to the row below it, columns as given, within the frame.
PixelArea areaOf(const FrameFormat& frame, const PanelGeometry& g, uint64_t firstColumn,
                 uint64_t lastColumn) {
    PixelArea a;
    if (frame.width == 0 || frame.height == 0 || g.height == 0) return a;
    a.firstRow = g.y0;
    a.lastRow = std::min<int64_t>(int64_t{g.y0} + g.height, int64_t{frame.height} - 1);
    a.firstColumn = static_cast<int64_t>(firstColumn);
    a.lastColumn = std::min<int64_t>(static_cast<int64_t>(lastColumn), int64_t{frame.width} - 1);
    return a;
}

}  // namespace

ScopeLevels scopeLevels(const ScopeSettings& settings) {
    return {gammaFromShift(settings.gammaShift),
            static_cast<float>(settings.waveIntensity / 100.0) * 0.5f,
            static_cast<float>(settings.scopeIntensity / 100.0) * 0.5f};
}

ScopeLayout layoutScope(const ScopeSettings& settings, const FrameFormat& frame,
                        int32_t projectWidth, int32_t projectHeight, uint8_t* pixels) {
    const float w = static_cast<float>(frame.width), h = static_cast<float>(frame.height);
    // Without a usable project size the frame's own proportions stand in.
    const float aspect = projectWidth > 0 && projectHeight > 0
                             ? static_cast<float>(projectHeight) / static_cast<float>(projectWidth)
                         : frame.width > 0 ? h / w
                                           : 0.0f;
    ScopeLayout l;
    const PanelGeometry g = l.geometry =
        geometryOf(settings, w, h, aspect, frame.width, frame.height);

    l.waveform = canvasOf(frame, pixels, g.x0, g.y0, g.waveWidth, g.height);
    l.waveform.xMin = 0.0f;
    l.waveform.xMax = w;
    l.waveform.yMin = -0.1f;
    l.waveform.yMax = 1.1f;
    l.waveform.xScale = frame.width > 0 ? static_cast<float>(g.waveWidth) / w : 0.0f;
    l.waveform.yScale = 0.833333313f * static_cast<float>(g.height);  // height / 1.2

    l.vectorscope = canvasOf(frame, pixels, g.scopeLeft, g.y0, g.scopeWidth, g.height);
    l.vectorscope.xMin = l.vectorscope.yMin = -0.57f;
    l.vectorscope.xMax = l.vectorscope.yMax = 0.57f;
    l.vectorscope.xScale = 0.877192974f * static_cast<float>(g.scopeWidth);  // width / 1.14
    l.vectorscope.yScale = 0.877192974f * static_cast<float>(g.height);

    if (settings.falseColourOn && settings.waveformOn && frame.frameBytes != 0) {
        const ScopeLevels levels = scopeLevels(settings);
        l.waveform.palette = settings.palette;
        l.waveform.gamma = levels.gamma;
    }

    // The workers own the panels with their margins: the waveform from half the margin, the
    // vectorscope beside it unless false colour takes its place.
    const bool besideWaveform = !(settings.falseColourOn && settings.waveformOn);
    const uint64_t extra = uint64_t{g.waveWidth} + g.x0 + (besideWaveform ? g.scopeWidth : 0);
    l.reserved.start = uint64_t{g.y0} * frame.width + g.x0 / 2;
    l.reserved.end = l.waveform.bottomLeft + extra;
    l.reserved.columnLimit = g.x0 + extra;

    const uint64_t waveformLast =
        besideWaveform && g.scopeLeft > 0 ? g.scopeLeft - 1ull : l.reserved.columnLimit;
    l.waveform.area = areaOf(frame, g, g.x0 / 2, waveformLast);
    l.vectorscope.area = areaOf(frame, g, g.scopeLeft, l.reserved.columnLimit);
    return l;
}
