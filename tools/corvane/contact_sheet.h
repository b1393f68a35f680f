// The demo's contact sheet: every picture as a labelled tile of one PNG grid, and an index.html
// beside it that shows the grid and each picture at full size with its caption.
#pragma once

#include <string>
#include <vector>

#include "ffmpeg_util.h"

namespace corvane {

class ContactSheet {
public:
    // `picture` is the frame written to `file` (a name inside the demo folder).
    void add(const std::string& file, const std::string& label, const AVFrame& picture);
    // Writes contact-sheet.png and index.html into `directory`; `notes` go at the top of the page.
    // Returns the files written.
    std::vector<std::string> write(const std::string& directory,
                                   const std::vector<std::string>& notes) const;

private:
    struct Tile {
        std::string file, label;
        FramePtr thumbnail;  // RGB24
    };
    std::vector<Tile> tiles_;
};

}  // namespace corvane
