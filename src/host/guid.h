// GUID: the 16-byte identity of every interface, class, parameter and record the host and
// the module exchange. Written in source in its usual text form and parsed at compile time.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

struct GUID {
    uint32_t Data1;
    uint16_t Data2;
    uint16_t Data3;
    uint8_t Data4[8];
};
static_assert(sizeof(GUID) == 16, "a GUID crosses the host boundary as 16 bytes");

// Field by field, in the order the host compares identities: the first 32 bits, the two
// 16-bit fields, then the last 8 bytes.
constexpr bool operator==(const GUID& a, const GUID& b) {
    if (a.Data1 != b.Data1 || a.Data2 != b.Data2 || a.Data3 != b.Data3) return false;
    for (int i = 0; i < 8; ++i)
        if (a.Data4[i] != b.Data4[i]) return false;
    return true;
}

namespace guid_detail {

constexpr int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Reads `count` hex digits at `pos`; nullopt if any is not a hex digit.
constexpr std::optional<uint32_t> hexField(std::string_view text, size_t pos, size_t count) {
    uint32_t value = 0;
    for (size_t i = 0; i < count; ++i) {
        const int d = hexDigit(text[pos + i]);
        if (d < 0) return std::nullopt;
        value = value * 16 + static_cast<uint32_t>(d);
    }
    return value;
}

// Not constexpr on purpose: reaching it while evaluating `makeGuid` stops the compilation.
inline void malformedGuidText() {}

}  // namespace guid_detail

// Parses "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}"; nullopt for any other text.
constexpr std::optional<GUID> parseGuid(std::string_view text) {
    using guid_detail::hexField;
    if (text.size() != 38 || text[0] != '{' || text[37] != '}' || text[9] != '-' ||
        text[14] != '-' || text[19] != '-' || text[24] != '-')
        return std::nullopt;
    const auto d1 = hexField(text, 1, 8);
    const auto d2 = hexField(text, 10, 4);
    const auto d3 = hexField(text, 15, 4);
    if (!d1 || !d2 || !d3) return std::nullopt;
    GUID g{*d1, static_cast<uint16_t>(*d2), static_cast<uint16_t>(*d3), {}};
    constexpr size_t bytePos[8] = {20, 22, 25, 27, 29, 31, 33, 35};
    for (int i = 0; i < 8; ++i) {
        const auto b = hexField(text, bytePos[i], 2);
        if (!b) return std::nullopt;
        g.Data4[i] = static_cast<uint8_t>(*b);
    }
    return g;
}

// A GUID from its text form, checked while compiling: a malformed text is a compile error.
consteval GUID makeGuid(std::string_view text) {
    const auto g = parseGuid(text);
    if (!g) guid_detail::malformedGuidText();
    return *g;
}
