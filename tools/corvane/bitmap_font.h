// A 5 x 7 pixel font for the labels of the contact sheet: FFmpeg's libraries draw no text.
// Lower case is drawn as upper case; characters it lacks are drawn as blanks.
#pragma once

#include <cstdint>
#include <string>

namespace corvane {

inline constexpr int kGlyphWidth = 6;  // 5 columns and a gap
inline constexpr int kGlyphHeight = 8;

// Draws `text` into an RGB24 picture at (x, y) in `colour`, clipped to the picture.
void drawText(uint8_t* rgb, int stride, int width, int height, int x, int y,
              const std::string& text, const uint8_t colour[3]);

}  // namespace corvane
