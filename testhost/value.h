// A typed value as it crosses the boundary: (type id, bytes), plus the text of a String.
// Shared by record attributes, parameter values and parameter keys.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "host/guid.h"
#include "host/ids.h"

namespace testhost {

// Size of a value of `type` as it is passed; 0 for String and for types the host does not
// know.
uint32_t valueBytes(const GUID& type);

struct Value {
    GUID type{};
    std::vector<uint8_t> bytes;
    std::u16string text;  // String values only; `bytes` then holds the UTF-16 units

    // Each throws std::logic_error when the bytes do not have the size of the request, so a
    // test reading the wrong type fails loudly instead of reading garbage.
    double asDouble() const;
    int32_t asInt() const;  // Int and Bool
    std::array<double, 3> asTriple() const;
    GUID asGuid() const;

    static Value ofDouble(double v);
    static Value ofInt(int32_t v);
    static Value ofBool(int32_t v);  // an int: tests may need a Bool holding 2
    static Value ofTriple(const std::array<double, 3>& v);
    static Value ofGuid(const GUID& v);
    static Value ofString(std::u16string v);
    static Value ofBytes(const GUID& type, const void* data, size_t size);

    // "Double 2.5", "Int 7", "Triple (1, 2, 3)", "String 'x'", for details and messages.
    std::string text8() const;
};

bool operator==(const Value& a, const Value& b);

struct Attribute : Value {
    GUID id{};
};

}  // namespace testhost
