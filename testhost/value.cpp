#include "testhost/value.h"

#include <cstdio>
#include <cstring>
#include <stdexcept>

#include "host/ids.h"
#include "testhost/text.h"

namespace testhost {

uint32_t valueBytes(const GUID& type) {
    if (type == value_type::Bool) return value_type::kBoolBytes;
    if (type == value_type::Int) return value_type::kIntBytes;
    if (type == value_type::Double) return value_type::kDoubleBytes;
    if (type == value_type::Guid) return value_type::kGuidBytes;
    if (type == value_type::Triple) return value_type::kTripleBytes;
    return 0;
}

namespace {

template <class T>
T read(const Value& v, const char* what) {
    if (v.bytes.size() != sizeof(T))
        throw std::logic_error(std::string("value read as ") + what + " holds " +
                               std::to_string(v.bytes.size()) + " bytes (" + v.text8() + ")");
    T out;
    std::memcpy(&out, v.bytes.data(), sizeof(T));
    return out;
}

template <class T>
Value make(const GUID& type, const T& v) {
    return Value::ofBytes(type, &v, sizeof v);
}

}  // namespace

double Value::asDouble() const { return read<double>(*this, "Double"); }
int32_t Value::asInt() const { return read<int32_t>(*this, "Int"); }
std::array<double, 3> Value::asTriple() const {
    return read<std::array<double, 3>>(*this, "Triple");
}
GUID Value::asGuid() const { return read<GUID>(*this, "Guid"); }

Value Value::ofDouble(double v) { return make(value_type::Double, v); }
Value Value::ofInt(int32_t v) { return make(value_type::Int, v); }
Value Value::ofBool(int32_t v) { return make(value_type::Bool, v); }
Value Value::ofTriple(const std::array<double, 3>& v) { return make(value_type::Triple, v); }
Value Value::ofGuid(const GUID& v) { return make(value_type::Guid, v); }

Value Value::ofString(std::u16string v) {
    Value out = ofBytes(value_type::String, v.data(), v.size() * sizeof(char16_t));
    out.text = std::move(v);
    return out;
}

Value Value::ofBytes(const GUID& type, const void* data, size_t size) {
    Value out;
    out.type = type;
    const auto* p = static_cast<const uint8_t*>(data);
    out.bytes.assign(p, p + size);
    return out;
}

std::string Value::text8() const {
    const std::string name = idName(type);
    auto number = [](double d) {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%.17g", d);
        return std::string(buffer);
    };
    if (type == value_type::String) return name + " " + quoted(text);
    if (type == value_type::Double && bytes.size() == 8) return name + " " + number(asDouble());
    if ((type == value_type::Int || type == value_type::Bool) && bytes.size() == 4)
        return name + " " + std::to_string(asInt());
    if (type == value_type::Guid && bytes.size() == 16) return name + " " + guidText(asGuid());
    if (type == value_type::Triple && bytes.size() == 24) {
        const auto t = asTriple();
        return name + " (" + number(t[0]) + ", " + number(t[1]) + ", " + number(t[2]) + ")";
    }
    return name + " [" + std::to_string(bytes.size()) + " bytes]";
}

bool operator==(const Value& a, const Value& b) {
    return a.type == b.type && a.bytes == b.bytes && a.text == b.text;
}

}  // namespace testhost
