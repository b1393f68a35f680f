// At 8-bit every sample is one of 256 codes, so what the legal map and false colour write can
// be worked out once per frame and then looked up in the integer domain, without the float
// round trip per group. Both tables are filled by sending probe groups through the render's
// own converter and mapping, so they hold the very bytes that path writes; a table whose
// probes do not fit its compact form reports so, and the pass keeps the float walk.
//
// The legal map writes each byte from its own code and its place in the pair; false colour
// writes a pair from its two luma codes, except that a pair whose first pixel's band leaves
// it unchanged keeps its chroma bytes.
#pragma once

#include <smmintrin.h>

#include <cstdint>
#include <cstring>
#include <memory>

#include "pixel/f4.h"
#include "pixel/ycbcr_converter.h"

// Per place in a pair, three codes split at two thresholds: `low` below `midFrom`, `mid`
// from there, `high` from `highFrom` on.
class LegalMapCodes {
public:
    // False when a place's bytes do not fall into three runs of codes.
    bool build(xmmPixelYCbCr_8bit& converter);

    // `bytes` (a multiple of 16) of a group, mapped.
    CORVANE_BOTH_WIDTHS void map(const uint8_t* in, uint8_t* out, int bytes) const {
        for (int i = 0; i < bytes; i += 16) {
            const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i));
            // x >= t exactly where max(x, t) is x.
            const __m128i atMid = _mm_cmpeq_epi8(_mm_max_epu8(x, midFrom_), x);
            const __m128i atHigh = _mm_cmpeq_epi8(_mm_max_epu8(x, highFrom_), x);
            const __m128i code = _mm_blendv_epi8(_mm_blendv_epi8(low_, mid_, atMid), high_, atHigh);
            _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), code);
        }
    }

private:
    __m128i low_, mid_, high_, midFrom_, highFrom_;  // byte j for place j % 4 of a pair
};

// The stored pair for every two luma codes: 65536 pairs of four bytes, built per frame.
class FalseColourPairCodes {
public:
    // False when a kept chroma code would not come back as it went in.
    bool build(xmmPixelYCbCr_8bit& converter);

    // Whether some first pixel's band leaves its pair's chroma as it is.
    CORVANE_BOTH_WIDTHS bool keepsChroma() const { return keepsChroma_; }

    // `bytes` (a multiple of 16) of a group, mapped. `KeepsChroma` must be keepsChroma().
    template <bool KeepsChroma>
    CORVANE_BOTH_WIDTHS void map(const uint8_t* in, uint8_t* out, int bytes) const {
        for (int i = 0; i < bytes; i += 16) {
            const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i));
            // Through memory, as the false-colour rows are read: word k is pair k's index.
            alignas(16) uint16_t index[8];
            _mm_store_si128(reinterpret_cast<__m128i*>(index), _mm_shuffle_epi8(x, pairIndex_));
#if defined(__GNUC__)
            __asm__("" : "+m"(index));
#endif
            for (int k = 0; k < 4; ++k) {
                uint32_t pair = pairs_[index[k]];
                if constexpr (KeepsChroma) {
                    uint32_t stored;
                    std::memcpy(&stored, in + i + 4 * k, 4);
                    pair |= stored & keptChroma_[index[k] >> 8];
                }
                std::memcpy(out + i + 4 * k, &pair, 4);
            }
        }
    }

private:
    uint32_t pairs_[256 * 256];  // by first luma * 256 + second luma; not cleared, all built
    uint32_t keptChroma_[256];   // by first luma: the chroma bytes its pair keeps
    __m128i pairIndex_;          // the two luma codes of pair k into word k
    bool keepsChroma_ = false;
};

// The tables of a frame whose pass maps 8-bit codes; a null one keeps the float walk.
struct EightBitCodes {
    std::unique_ptr<LegalMapCodes> legal;
    std::unique_ptr<FalseColourPairCodes> falseColour;
};

// The table the pass needs (the legal map's or false colour's), built through `converter`,
// whose false-colour lookup must be built; none for a converter of another depth.
EightBitCodes buildEightBitCodes(xmmPixelYCbCr_mtx& converter, bool legalMap, bool falseColour);
