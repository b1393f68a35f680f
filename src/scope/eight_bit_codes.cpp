#include "scope/eight_bit_codes.h"

#include <new>
#include <vector>

#include "scope/false_colour_map.h"
#include "scope/main_pass.h"
#include "scope/scope_canvas.h"

namespace {

// One probe group through the converter: four pairs in, the stored group out.
struct ProbePair {
    uint8_t cb, y0, cr, y1;
};
template <class Change>
void probe(xmmPixelYCbCr_8bit& c, const PairOrder& at, const ProbePair (&pairs)[4], uint8_t* out,
           Change&& change) {
    alignas(16) uint8_t group[16];
    for (int k = 0; k < 4; ++k) {
        uint8_t* p = group + 4 * k;
        p[at.cb] = pairs[k].cb, p[at.y0] = pairs[k].y0, p[at.cr] = pairs[k].cr,
        p[at.y1] = pairs[k].y1;
    }
    c.load(group);
    change(c);
    c.store(out);
}

}  // namespace

bool LegalMapCodes::build(xmmPixelYCbCr_8bit& c) {
    // What each place of a pair becomes, for every code.
    uint8_t codes[4][256];
    for (int first = 0; first < 256; first += 4) {
        alignas(16) uint8_t group[16], mapped[16];
        for (int j = 0; j < 16; ++j) group[j] = static_cast<uint8_t>(first + j / 4);
        c.load(group);
        main_pass::legalise(c.cb, c.y0, c.cr, c.y1);
        c.store(mapped);
        for (int j = 0; j < 16; ++j) codes[j % 4][first + j / 4] = mapped[j];
    }
    alignas(16) uint8_t low[16], mid[16], high[16], midFrom[16], highFrom[16];
    for (int place = 0; place < 4; ++place) {
        const uint8_t* v = codes[place];
        int starts[3] = {0, 0, 0}, runs = 1;  // where each run of one code begins
        for (int code = 1; code < 256; ++code)
            if (v[code] != v[code - 1]) {
                if (runs == 3) return false;
                starts[runs++] = code;
            }
        for (int r = runs; r < 3; ++r) starts[r] = starts[runs - 1];
        for (int j = place; j < 16; j += 4) {
            low[j] = v[0], mid[j] = v[starts[1]], high[j] = v[starts[2]];
            midFrom[j] = static_cast<uint8_t>(starts[1]);
            highFrom[j] = static_cast<uint8_t>(starts[2]);
        }
    }
    const auto bytes = [](const uint8_t* b) {
        return _mm_load_si128(reinterpret_cast<const __m128i*>(b));
    };
    low_ = bytes(low), mid_ = bytes(mid), high_ = bytes(high);
    midFrom_ = bytes(midFrom), highFrom_ = bytes(highFrom);
    return true;
}

bool FalseColourPairCodes::build(xmmPixelYCbCr_8bit& c) {
    const PairOrder at = pairOrder(static_cast<PixelLayout>(c.layoutCode));
    const auto mapped = [](auto& converter) { mapThroughFalseColour(converter); };

    // Every luma code: the byte it becomes as a first and as a second pixel, and its band.
    // Codes of one band give a pair the same chroma, so bands stand for them below.
    uint8_t firstLuma[256], secondLuma[256];
    uint8_t bandOf[256];
    std::vector<const PaletteRecord*> bands;
    std::vector<uint8_t> sample;  // a luma code of each band
    for (int first = 0; first < 256; first += 4) {
        ProbePair pairs[4];
        for (int k = 0; k < 4; ++k) {
            const auto y = static_cast<uint8_t>(first + k);
            pairs[k] = {128, y, 128, y};
        }
        alignas(16) uint8_t out[16];
        alignas(16) float luma[4];
        probe(c, at, pairs, out, [&](auto& converter) {
            _mm_store_ps(luma, converter.y0.v);
            mapped(converter);
        });
        for (int k = 0; k < 4; ++k) {
            const int code = first + k;
            firstLuma[code] = out[4 * k + at.y0];
            secondLuma[code] = out[4 * k + at.y1];
            const PaletteRecord* band = &c.falseColour.band(FalseColourLookup::indexOf(luma[k]));
            size_t b = 0;
            while (b < bands.size() && bands[b] != band) ++b;
            if (b == bands.size()) bands.push_back(band), sample.push_back(pairs[k].y0);
            bandOf[code] = static_cast<uint8_t>(b);
        }
    }

    // The chroma bytes of a pair by the bands of its two pixels; none where the first
    // pixel's band keeps the pair's chroma.
    const size_t n = bands.size();
    std::vector<uint32_t> chroma(n * n);
    std::vector<bool> keeps(n);
    for (size_t a = 0; a < n; ++a) keeps[a] = bands[a]->mode == BandMode::Unchanged;
    for (size_t i = 0; i < n * n; i += 4) {
        ProbePair pairs[4];
        for (size_t k = 0; k < 4; ++k) {
            const size_t ab = (i + k) % (n * n);
            pairs[k] = {128, sample[ab / n], 128, sample[ab % n]};
        }
        alignas(16) uint8_t out[16];
        probe(c, at, pairs, out, mapped);
        for (size_t k = 0; k < 4 && i + k < n * n; ++k) {
            const uint8_t* p = out + 4 * k;
            chroma[i + k] = keeps[(i + k) / n] ? 0u
                                               : uint32_t{p[at.cb]} << (8 * at.cb) |
                                                     uint32_t{p[at.cr]} << (8 * at.cr);
        }
    }

    // A kept chroma code must come back as it went in, or the pair cannot simply keep it.
    keepsChroma_ = false;
    for (size_t a = 0; a < n; ++a) {
        if (!keeps[a]) continue;
        keepsChroma_ = true;
        for (int first = 0; first < 256; first += 4) {
            ProbePair pairs[4];
            for (int k = 0; k < 4; ++k) {
                const auto v = static_cast<uint8_t>(first + k);
                pairs[k] = {v, sample[a], static_cast<uint8_t>(255 - v), sample[a]};
            }
            alignas(16) uint8_t out[16];
            probe(c, at, pairs, out, mapped);
            for (int k = 0; k < 4; ++k)
                if (out[4 * k + at.cb] != pairs[k].cb || out[4 * k + at.cr] != pairs[k].cr)
                    return false;
        }
        break;
    }

    const uint32_t chromaBytes = 0xFFu << (8 * at.cb) | 0xFFu << (8 * at.cr);
    for (int first = 0; first < 256; ++first) {
        const uint32_t* row = &chroma[bandOf[first] * n];
        const uint32_t y0 = uint32_t{firstLuma[first]} << (8 * at.y0);
        uint32_t* pairs = pairs_ + first * 256;
        for (int second = 0; second < 256; ++second)
            pairs[second] = row[bandOf[second]] | y0 | uint32_t{secondLuma[second]} << (8 * at.y1);
        keptChroma_[first] = keeps[bandOf[first]] ? chromaBytes : 0u;
    }

    alignas(16) int8_t index[16];
    for (int k = 0; k < 8; ++k) {
        index[2 * k] = k < 4 ? static_cast<int8_t>(4 * k + at.y1) : -1;
        index[2 * k + 1] = k < 4 ? static_cast<int8_t>(4 * k + at.y0) : -1;
    }
    pairIndex_ = _mm_load_si128(reinterpret_cast<const __m128i*>(index));
    return true;
}

EightBitCodes buildEightBitCodes(xmmPixelYCbCr_mtx& converter, bool legalMap, bool falseColour) {
    EightBitCodes codes;
    if (converter.depth() != PixelDepth::Bits8) return codes;
    auto& c = static_cast<xmmPixelYCbCr_8bit&>(converter);
    // Without the memory for a table the frame is still mapped, through the floats. The pair
    // table is filled whole by build, so it is not cleared first.
    const auto built = [&c](auto& table) {
        if (table && !table->build(c)) table.reset();
    };
    if (legalMap) codes.legal.reset(new (std::nothrow) LegalMapCodes);
    if (falseColour) codes.falseColour.reset(new (std::nothrow) FalseColourPairCodes);
    built(codes.legal);
    built(codes.falseColour);
    return codes;
}
