#include "contact_sheet.h"

#include <algorithm>
#include <cstring>
#include <fstream>

#include "bitmap_font.h"
#include "media_out.h"
#include "tool_error.h"

namespace corvane {

namespace {

constexpr int kTileWidth = 240, kTileHeight = 135, kLabelHeight = 14, kGap = 8, kColumns = 6;

std::string escaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '&')
            out += "&amp;";
        else if (c == '<')
            out += "&lt;";
        else if (c == '>')
            out += "&gt;";
        else if (c == '"')
            out += "&quot;";
        else
            out += c;
    }
    return out;
}

}  // namespace

void ContactSheet::add(const std::string& file, const std::string& label, const AVFrame& picture) {
    SwsPtr sws(sws_getContext(picture.width, picture.height,
                              static_cast<AVPixelFormat>(picture.format), kTileWidth, kTileHeight,
                              AV_PIX_FMT_RGB24, SWS_AREA, nullptr, nullptr, nullptr));
    if (!sws) throw ToolError("cannot make a thumbnail of " + file);
    const int* bt709 = sws_getCoefficients(SWS_CS_ITU709);
    sws_setColorspaceDetails(sws.get(), bt709, picture.color_range == AVCOL_RANGE_JPEG, bt709, 1, 0,
                             1 << 16, 1 << 16);
    FramePtr thumb = allocFrame(AV_PIX_FMT_RGB24, kTileWidth, kTileHeight);
    sws_scale(sws.get(), picture.data, picture.linesize, 0, picture.height, thumb->data,
              thumb->linesize);
    tiles_.push_back({file, label, std::move(thumb)});
}

std::vector<std::string> ContactSheet::write(const std::string& directory,
                                             const std::vector<std::string>& notes) const {
    const int rows = std::max<int>(1, (static_cast<int>(tiles_.size()) + kColumns - 1) / kColumns);
    const int width = kGap + kColumns * (kTileWidth + kGap);
    const int height = kGap + rows * (kTileHeight + kLabelHeight + kGap);
    FramePtr sheet = allocFrame(AV_PIX_FMT_RGB24, width, height);
    for (int y = 0; y < height; ++y)
        std::memset(sheet->data[0] + y * sheet->linesize[0], 40, width * 3);
    const uint8_t white[3] = {235, 235, 235};
    for (size_t i = 0; i < tiles_.size(); ++i) {
        const int x0 = kGap + static_cast<int>(i % kColumns) * (kTileWidth + kGap);
        const int y0 = kGap + static_cast<int>(i / kColumns) * (kTileHeight + kLabelHeight + kGap);
        const AVFrame& t = *tiles_[i].thumbnail;
        for (int y = 0; y < kTileHeight; ++y)
            std::memcpy(sheet->data[0] + (y0 + y) * sheet->linesize[0] + x0 * 3,
                        t.data[0] + y * t.linesize[0], kTileWidth * 3);
        std::string label = tiles_[i].label;
        if (label.size() > kTileWidth / kGlyphWidth) label.resize(kTileWidth / kGlyphWidth);
        drawText(sheet->data[0], sheet->linesize[0], width, height, x0, y0 + kTileHeight + 4, label,
                 white);
    }
    const std::string sheetPath = directory + "/contact-sheet.png";
    OutputSettings out;
    out.path = sheetPath;
    out.width = width;
    out.height = height;
    out.sourceFormat = AV_PIX_FMT_RGB24;
    MediaWriter writer(out, 1);
    writer.write(*sheet);
    writer.finish();

    const std::string indexPath = directory + "/index.html";
    const std::string partial = indexPath + ".part";
    {
        std::ofstream html(partial);
        html << "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>Corvane demo</title>\n"
                "<style>body{background:#282828;color:#ddd;font-family:sans-serif}"
                "figure{display:inline-block;margin:6px}figcaption{font-size:small}</style>"
                "</head><body>\n<h1>Corvane: every effect on built-in pictures</h1>\n";
        for (const auto& n : notes) html << "<p>" << escaped(n) << "</p>\n";
        html << "<p><img src=\"contact-sheet.png\" alt=\"contact sheet\"></p>\n";
        for (const auto& t : tiles_)
            html << "<figure><img src=\"" << escaped(t.file) << "\" alt=\"" << escaped(t.label)
                 << "\"><figcaption>" << escaped(t.label) << "</figcaption></figure>\n";
        html << "</body></html>\n";
        if (!html) throw ToolError(indexPath + ": cannot write");
    }
    if (std::rename(partial.c_str(), indexPath.c_str()) != 0)
        throw ToolError(indexPath + ": cannot put the finished file in place");
    return {sheetPath, indexPath};
}

}  // namespace corvane
