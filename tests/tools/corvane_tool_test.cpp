// corvane run as a person runs it, on pictures and clips made here with FFmpeg's libraries.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <nlohmann/json.hpp>
#include <regex>
#include <sstream>

extern "C" {
#include <libavutil/imgutils.h>
}

#include "media_in.h"
#include "media_out.h"

namespace {

namespace fs = std::filesystem;
using corvane::FramePtr;

struct Outcome {
    int status = -1;
    std::string out, err;
};

class Tool : public ::testing::Test {
protected:
    fs::path dir = fs::temp_directory_path() /
                   ("corvane-tool-" + std::to_string(getpid()) + "-" +
                    ::testing::UnitTest::GetInstance()->current_test_info()->name());
    void SetUp() override { fs::create_directories(dir); }
    void TearDown() override { fs::remove_all(dir); }

    std::string at(const std::string& name) const { return (dir / name).string(); }

    Outcome run(const std::string& args) const {
        const std::string out = at("stdout.txt"), err = at("stderr.txt");
        // In the test's folder, so that the arguments name its files as they are.
        const int s = std::system(
            ("cd " + dir.string() + " && " + CORVANE_TOOL + " " + args + " >" + out + " 2>" + err)
                .c_str());
        auto slurp = [](const std::string& p) {
            std::ifstream in(p);
            std::stringstream ss;
            ss << in.rdbuf();
            return ss.str();
        };
        return {WIFEXITED(s) ? WEXITSTATUS(s) : -1, slurp(out), slurp(err)};
    }

    // A clip or picture of `frames` frames in `format`, each filled by `fill(frame, index)`.
    void make(const std::string& name, AVPixelFormat format, int w, int h, int frames,
              const std::function<void(AVFrame&, int)>& fill, const std::string& codec = {},
              bool interlaced = false) const {
        corvane::OutputSettings s;
        s.path = at(name);
        s.codec = codec;
        s.width = w;
        s.height = h;
        s.sourceFormat = format;
        s.preferred = format;
        s.interlaced = interlaced;
        corvane::MediaWriter writer(s, frames);
        ASSERT_EQ(writer.pixelFormat(), format) << name;
        for (int i = 0; i < frames; ++i) {
            FramePtr f = corvane::allocFrame(format, w, h);
            fill(*f, i);
            writer.write(*f);
        }
        writer.finish();
    }

    // Every frame of a file, decoded.
    std::vector<FramePtr> read(const std::string& name) const {
        auto source = corvane::openMedia(at(name), 1);
        std::vector<FramePtr> frames;
        const int64_t n = source->info().still ? 1 : 1 << 20;
        for (int64_t i = 0; i < n; ++i) {
            FramePtr f = source->next();
            if (!f) break;
            frames.push_back(std::move(f));
        }
        return frames;
    }
};

// Normal at mix 0 without the clamp: the background, through the working format.
const std::string kNormal =
    " --set 'Blend Mode=Normal' --set 'Blend as Percent=0' --set 'Clamp to Legal=off' -q";

// Sample (plane, index, y) of an 8-bit or 16-bit frame, and written.
int sample(const AVFrame& f, int plane, int index, int y, bool wide) {
    const uint8_t* row = f.data[plane] + static_cast<ptrdiff_t>(y) * f.linesize[plane];
    return wide ? reinterpret_cast<const uint16_t*>(row)[index] : row[index];
}
void setSample(AVFrame& f, int plane, int index, int y, bool wide, int v) {
    uint8_t* row = f.data[plane] + static_cast<ptrdiff_t>(y) * f.linesize[plane];
    if (wide)
        reinterpret_cast<uint16_t*>(row)[index] = static_cast<uint16_t>(v);
    else
        row[index] = static_cast<uint8_t>(v);
}

void fillPattern(AVFrame& f, int seed, bool wide, int maxCode) {
    for (int p = 0; p < 4 && f.data[p]; ++p)
        for (int y = 0; y < f.height; ++y)
            for (int x = 0; x < f.linesize[p] / (wide ? 2 : 1); ++x)
                setSample(f, p, x, y, wide, (x * 7 + y * 13 + p * 101 + seed * 31) % (maxCode + 1));
}

// Frame i of a clip filled with the pattern of seed first + i.
std::function<void(AVFrame&, int)> pattern(bool wide, int maxCode, int first = 0) {
    return [=](AVFrame& f, int i) { fillPattern(f, first + i, wide, maxCode); };
}

// Largest difference between the visible samples of two frames of one format.
int maxDifference(const AVFrame& a, const AVFrame& b) {
    const auto format = static_cast<AVPixelFormat>(a.format);
    const bool wide = av_pix_fmt_desc_get(format)->comp[0].depth > 8;
    int worst = 0;
    for (int p = 0; p < 4 && a.data[p]; ++p) {
        const int bytes = av_image_get_linesize(format, a.width, p);
        const int rows =
            p ? AV_CEIL_RSHIFT(a.height, av_pix_fmt_desc_get(format)->log2_chroma_h) : a.height;
        for (int y = 0; y < rows; ++y)
            for (int x = 0; x < bytes / (wide ? 2 : 1); ++x)
                worst =
                    std::max(worst, std::abs(sample(a, p, x, y, wide) - sample(b, p, x, y, wide)));
    }
    return worst;
}

// Normal at mix 0 and the field swap hand back what went in.
TEST_F(Tool, WhatGoesInComesBack) {
    struct Case {
        const char* in;
        AVPixelFormat format;
        int width, height, frames;
        const char* codec;
        std::string command;
        const char* out;
        int maxCode, tolerance;
    };
    make("fg.png", AV_PIX_FMT_RGB24, 66, 34, 1, pattern(false, 255, 2));
    const Case cases[] = {
        // The 8-bit background, bit for bit.
        {"bg.png", AV_PIX_FMT_RGB24, 66, 34, 1, "", "generic -i bg.png -i fg.png" + kNormal,
         "out.png", 255, 0},
        // One step of 2.14 is four 16-bit codes; rounding both ways keeps within half of it.
        {"in.tif", AV_PIX_FMT_RGB48, 30, 10, 1, "", "generic -i in.tif" + kNormal, "out.tif", 65535,
         2},
        // A 10-bit clip of progressive frames, through 2.14.
        {"in.mov", AV_PIX_FMT_YUV422P10, 64, 6, 3, "v210", "fieldswap -i in.mov --codec v210 -q",
         "out.mov", 1023, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        const bool wide = c.format != AV_PIX_FMT_RGB24;
        make(c.in, c.format, c.width, c.height, c.frames, pattern(wide, c.maxCode, 1), c.codec);
        const Outcome r = run("render " + c.command + " -o " + c.out);
        ASSERT_EQ(r.status, 0) << r.err;
        const auto in = read(c.in), out = read(c.out);
        ASSERT_EQ(out.size(), in.size());
        for (size_t i = 0; i < in.size(); ++i)
            EXPECT_LE(maxDifference(*in[i], *out[i]), c.tolerance) << i;
    }
}

// Interlaced, the swap delivers each field from the other: line pairs trade places.
TEST_F(Tool, TheFieldSwapTradesTheLinesOfAnInterlacedClip) {
    make("fields.mov", AV_PIX_FMT_YUV422P10, 64, 6, 1, pattern(true, 1023), "v210", true);
    ASSERT_EQ(run("render fieldswap -i fields.mov -o swapped.mov --codec v210 -q").status, 0);
    const auto a = read("fields.mov"), b = read("swapped.mov");
    ASSERT_EQ(b.size(), 1u);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 64; ++x)
            ASSERT_EQ(sample(*b[0], 0, x, y, true), sample(*a[0], 0, x, y ^ 1, true))
                << x << "," << y;
}

TEST_F(Tool, TenBitYCbCrMeetsRgbThroughRec709WithCoSitedChroma) {
    // Luma and chroma of every pair differ, so a lane or siting slip shows; all within gamut.
    // 40 pixels: whole blocks of eight pixels and of eight pairs, and the pixels after them.
    constexpr int kWidth = 40;
    auto y = [](int x) { return 150 + 14 * x; };
    auto cb = [](int i) { return 470 + 6 * i; };
    auto cr = [](int i) { return 560 - 9 * i; };
    make(
        "in.mkv", AV_PIX_FMT_YUV422P10, kWidth, 2, 1,
        [&](AVFrame& f, int) {
            for (int r = 0; r < 2; ++r)
                for (int x = 0; x < kWidth; ++x) {
                    setSample(f, 0, x, r, true, y(x));
                    setSample(f, 1, x / 2, r, true, cb(x / 2));
                    setSample(f, 2, x / 2, r, true, cr(x / 2));
                }
        },
        "ffv1");
    ASSERT_EQ(run("render generic -i in.mkv -o rgb.tif" + kNormal).status, 0);
    const auto rgb = read("rgb.tif");
    ASSERT_EQ(rgb[0]->format, AV_PIX_FMT_RGB48);
    for (int x = 0; x < kWidth; ++x) {
        // An odd pixel takes the mean of its pair's chroma and the next pair's (or its own).
        const int i = x / 2, j = x % 2 ? std::min(i + 1, kWidth / 2 - 1) : i;
        const double l = (y(x) - 64) / 876.0, b = ((cb(i) + cb(j)) / 2.0 - 512) / 896.0,
                     r = ((cr(i) + cr(j)) / 2.0 - 512) / 896.0;
        const double expected[3] = {l + 1.5748 * r, l - 0.187324 * b - 0.468124 * r,
                                    l + 1.8556 * b};
        for (int c = 0; c < 3; ++c)
            EXPECT_NEAR(sample(*rgb[0], 0, 3 * x + c, 1, true), expected[c] * 65535, 3)
                << x << "," << c;
    }
    // And back to 10-bit 4:2:2: the chroma filter gives a smooth ramp back within a code.
    ASSERT_EQ(run("render generic -i in.mkv -o back.mkv" + kNormal).status, 0);
    EXPECT_LE(maxDifference(*read("in.mkv")[0], *read("back.mkv")[0]), 1);
}

TEST_F(Tool, RgbMeetsTenBitYCbCrWithChromaFilteredAroundEachPair) {
    // Neighbours far apart, so a filter tap on the wrong pixel moves chroma by many codes.
    constexpr int kWidth = 40;
    auto value = [](int x, int c) { return (x * 7919 + c * 104729) % 65536; };
    // Eight rows: FFmpeg's v210 reads a picture of two rows back as black.
    make("in.tif", AV_PIX_FMT_RGB48, kWidth, 8, 1, [&](AVFrame& f, int) {
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < kWidth; ++x)
                for (int c = 0; c < 3; ++c) setSample(f, 0, 3 * x + c, y, true, value(x, c));
    });
    ASSERT_EQ(run("render generic -i in.tif -o out.mov --codec v210" + kNormal).status, 0);
    const auto out = read("out.mov");
    ASSERT_EQ(out[0]->format, AV_PIX_FMT_YUV422P10);
    auto rgb = [&](int x, int c) { return value(x, c) / 65535.0; };
    auto luma = [](double r, double g, double b) { return 0.2126 * r + 0.7152 * g + 0.0722 * b; };
    for (int x = 0; x < kWidth; ++x) {
        EXPECT_NEAR(sample(*out[0], 0, x, 7, true),
                    64 + 876 * luma(rgb(x, 0), rgb(x, 1), rgb(x, 2)), 1)
            << x;
        if (x % 2) continue;
        // [1 2 1] around the pair's first pixel; the first pixel stands in for its left one.
        double f[3];
        for (int c = 0; c < 3; ++c)
            f[c] = (rgb(std::max(x - 1, 0), c) + 2 * rgb(x, c) + rgb(x + 1, c)) / 4;
        const double l = luma(f[0], f[1], f[2]);
        EXPECT_NEAR(sample(*out[0], 1, x / 2, 7, true), 512 + 896 * (f[2] - l) / 1.8556, 1) << x;
        EXPECT_NEAR(sample(*out[0], 2, x / 2, 7, true), 512 + 896 * (f[0] - l) / 1.5748, 1) << x;
    }
}

TEST_F(Tool, ChannelsKeepTheirPlacesInEveryLayoutAndDepth) {
    // A red shift of 0.2 moves red only: a swapped channel shows up as another one moving.
    make("fg.png", AV_PIX_FMT_RGB24, 8, 4, 1, [](AVFrame& f, int) {
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 8; ++x) {
                uint8_t* p = f.data[0] + y * f.linesize[0] + 3 * x;
                p[0] = 40, p[1] = 120, p[2] = 200;
            }
    });
    for (const char* format :
         {"--layout bgra", "--layout rgba", "--layout argb", "--depth 2.14", "--depth float",
          "--layout argb --depth 2.14", "--layout rgba --depth float"}) {
        SCOPED_TRACE(format);
        const Outcome r = run(std::string("render generic -i fg.png -o out.png ") + format +
                              " --set 'Blend Mode=Normal' --set 'Enable FG Correction=on'"
                              " --set 'FG PreCorrection/RGB Shift=0.2,0,0' -q");
        ASSERT_EQ(r.status, 0) << r.err;
        const auto out = read("out.png");
        const uint8_t* p = out[0]->data[0];
        const bool wide = out[0]->format != AV_PIX_FMT_RGB24;
        auto c = [&](int i) {
            return wide ? ((p[2 * i] << 8 | p[2 * i + 1]) + 128) / 257 : p[i];
        };  // big-endian 16-bit
        EXPECT_NEAR(c(0), 91, 1);
        EXPECT_NEAR(c(1), 120, 1);
        EXPECT_NEAR(c(2), 200, 1);
    }
}

TEST_F(Tool, KeysOverTimeAreInterpolatedByTheHost) {
    make("black.png", AV_PIX_FMT_RGB24, 8, 2, 1, pattern(false, 0));
    make(
        "white.mkv", AV_PIX_FMT_BGR0, 8, 2, 5,
        [](AVFrame& f, int) {
            for (int y = 0; y < 2; ++y) std::memset(f.data[0] + y * f.linesize[0], 255, 32);
        },
        "ffv1");
    ASSERT_EQ(run("render generic -i black.png -i white.mkv -o ramp.mkv --set 'Blend Mode=Normal'"
                  " --set corvane.blend.mixvalue=0@0,100@4 -q")
                  .status,
              0);
    const auto out = read("ramp.mkv");
    ASSERT_EQ(out.size(), 5u);
    for (int i = 0; i < 5; ++i) EXPECT_NEAR(out[i]->data[0][0], 255.0 * i / 4, 1.0) << i;
}

TEST_F(Tool, FourThreadsGiveWhatOneGives) {
    make("a.mkv", AV_PIX_FMT_BGR0, 32, 8, 9, pattern(false, 255), "ffv1");
    make("b.mkv", AV_PIX_FMT_BGR0, 32, 8, 9, pattern(false, 255, 50), "ffv1");
    const std::string common =
        "render generic -i a.mkv -i b.mkv"
        " --set 'Blend Mode=Vivid Light' --set 'Blend as Percent=0@0,100@8' -q -o ";
    ASSERT_EQ(run(common + "one.mkv --threads 1").status, 0);
    ASSERT_EQ(run(common + "four.mkv --threads 4").status, 0);
    const auto one = read("one.mkv"), four = read("four.mkv");
    ASSERT_EQ(one.size(), 9u);
    ASSERT_EQ(four.size(), 9u);
    for (size_t i = 0; i < 9; ++i) EXPECT_EQ(maxDifference(*one[i], *four[i]), 0) << i;
}

TEST_F(Tool, EveryErrorIsOneLineAndExitStatusTwoAndLeavesNoFile) {
    make("a.png", AV_PIX_FMT_RGB24, 8, 4, 1, pattern(false, 255, 1));
    make("small.png", AV_PIX_FMT_RGB24, 4, 4, 1, pattern(false, 255, 1));
    make("clip.mkv", AV_PIX_FMT_YUV422P, 8, 4, 2, pattern(false, 200), "ffv1");
    std::ofstream(at("junk.png")) << "not a picture";
    // A clip whose second half is garbage: decoding fails while earlier frames render.
    make("broken.mov", AV_PIX_FMT_YUV422P10, 64, 32, 6, pattern(true, 1023), "prores_ks");
    {
        std::fstream clip(at("broken.mov"), std::ios::in | std::ios::out | std::ios::binary);
        clip.seekp(static_cast<std::streamoff>(fs::file_size(at("broken.mov")) / 2));
        clip << std::string(2000, '\xff');
    }
    const std::string o = " -o out.png";
    struct Case {
        std::string args, message;
    } cases[] = {
        {"render generic -i missing.png" + o, "missing.png: no such file"},
        {"render generic -i junk.png" + o, "junk.png: cannot"},
        {"render generic -i broken.mov -o out.mov --threads 2", "broken.mov: cannot decode"},
        {"render generic -i a.png -o out.xyz", "unsupported output format \".xyz\""},
        {"render generic -i a.png -o nodir/out.png", "nodir/out.png: cannot write: no directory"},
        {"render generic -i a.png -o ./a.png", "./a.png is also an input"},
        {"qc clip.mkv --csv clip.mkv", "clip.mkv is also an input"},
        {"render generic -i a.png -i small.png" + o, "size mismatch: small.png is 4x4"},
        {"render generic -i a.png" + o + " --set Sharpness=3",
         "unknown parameter \"Sharpness\"; this effect has \"Bypass\""},
        {"render generic -i a.png" + o + " --set Saturation=50",
         "\"Saturation\" is ambiguous: use one of \"FG PreCorrection/Saturation\", \"Output "
         "correction/Saturation\""},
        {"render generic -i a.png" + o + " --set 'Blend as Percent=500'",
         "Blend as Percent must be between 0 and 100, got 500"},
        {"render generic -i a.png" + o + " --set 'Blend Mode=Sparkle'",
         "Blend Mode must be one of \"Normal\""},
        {"render sparkle -i a.png" + o, "unknown effect \"sparkle\""},
        {"render generic -i a.png" + o + " --module a.png", "cannot load the module"},
        {"render generic -i a.png" + o + " --module " CORVANE_REFUSING_MODULE,
         "registering the plug-in: 0x80000003 invalid argument"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args);
        const Outcome r = run(c.args);
        EXPECT_EQ(r.status, 2);
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    }
    for (const auto& entry : fs::directory_iterator(dir)) {
        const std::string name = entry.path().filename().string();
        EXPECT_TRUE(name.rfind("out", 0) != 0 && name.rfind(".corvane", 0) != 0) << name;
    }
}

TEST_F(Tool, ListShowsEveryComponentAndItsPanel) {
    const Outcome r = run("list --json");
    ASSERT_EQ(r.status, 0) << r.err;
    const auto doc = nlohmann::json::parse(r.out);
    ASSERT_EQ(doc["components"].size(), 5u);
    const auto& generic = doc["components"][0];
    EXPECT_EQ(generic["name"], "Corvane generic");
    const auto& params = generic["parameters"];
    const auto mode = std::find_if(params.begin(), params.end(),
                                   [](const auto& p) { return p["label"] == "Blend Mode"; });
    ASSERT_NE(mode, params.end());
    EXPECT_EQ((*mode)["key"], "corvane.modelist.value");
    EXPECT_EQ((*mode)["entries"].size(), 25u);
    EXPECT_EQ((*mode)["entries"][11]["label"], "Overlay");
    EXPECT_EQ((*mode)["entries"][11]["value"], 7);
}

TEST_F(Tool, DemoWritesEveryFileItPromises) {
    const Outcome r = run("demo demo --threads 1");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("demo/index.html"), std::string::npos) << r.out;
    std::ifstream html(at("demo/index.html"));
    std::stringstream page;
    page << html.rdbuf();
    const std::string text = page.str();
    const std::regex image("src=\"([^\"]+)\"");
    size_t pictures = 0;
    for (std::sregex_iterator it(text.begin(), text.end(), image), end; it != end; ++it, ++pictures)
        EXPECT_TRUE(fs::is_regular_file(dir / "demo" / (*it)[1].str())) << (*it)[1].str();
    EXPECT_GT(pictures, 40u);
}

// Legal 10-bit 4:2:2, but luma above white over a group in frame 2 and Cb far out in frame 4.
void qcFrame(AVFrame& f, int i) {
    for (int p = 0; p < 3; ++p)
        for (int y = 0; y < f.height; ++y)
            for (int x = 0; x < (p ? f.width / 2 : f.width); ++x)
                setSample(f, p, x, y, true, p ? 512 : 64 + (x * 800) / f.width);
    if (i == 2) std::fill_n(reinterpret_cast<uint16_t*>(f.data[0]), 16, 1010);
    if (i == 4) std::fill_n(reinterpret_cast<uint16_t*>(f.data[1]), 8, 960);
}

TEST_F(Tool, QcReportsExactlyTheIllegalFrames) {
    const auto lines = [&](const std::string& name) {
        std::ifstream in(at(name));
        std::vector<std::string> all;
        for (std::string line; std::getline(in, line);) all.push_back(line);
        return all;
    };
    make("clip.mov", AV_PIX_FMT_YUV422P10, 64, 16, 6, qcFrame, "v210");
    const Outcome r = run("qc clip.mov --csv qc.csv --json qc.json");
    EXPECT_EQ(r.status, 1) << r.err;
    const auto rows = lines("qc.csv");
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[1].substr(0, 2), "2,");
    EXPECT_NE(rows[1].find("high-luma"), std::string::npos);
    EXPECT_EQ(rows[2].substr(0, 2), "4,");
    EXPECT_NE(rows[2].find("high-chroma"), std::string::npos);
    EXPECT_NE(r.out.find("frames out of range: 2"), std::string::npos);
    // The same rows for scripts, each extreme under its own name.
    std::ifstream json(at("qc.json"));
    const auto doc = nlohmann::json::parse(json);
    EXPECT_EQ(doc["frames_checked"], 6);
    ASSERT_EQ(doc["rows"].size(), 2u);
    const auto& luma = doc["rows"][0];
    const auto& chroma = doc["rows"][1];
    EXPECT_EQ(luma["frame"], 2);
    EXPECT_TRUE(luma["ymax"].is_object() && luma["cmax"].is_null()) << luma;
    EXPECT_EQ(chroma["frame"], 4);
    EXPECT_TRUE(chroma["cmax"].is_object() && chroma["ymax"].is_null()) << chroma;
    EXPECT_EQ(chroma["checks"], "high-chroma");

    // A report it cannot write stops it before the first frame.
    const Outcome bad = run("qc clip.mov --csv nodir/qc.csv");
    EXPECT_EQ(bad.status, 2) << bad.err;
    EXPECT_EQ(bad.out.find("WARNING"), std::string::npos) << bad.out;

    // Its first two frames alone: exit status 0, and the header only.
    make("legal.mov", AV_PIX_FMT_YUV422P10, 64, 16, 2, qcFrame, "v210");
    EXPECT_EQ(run("qc legal.mov --csv legal.csv").status, 0);
    EXPECT_EQ(lines("legal.csv").size(), 1u);
}

}  // namespace
