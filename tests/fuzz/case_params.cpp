#include "case_params.h"

#include <array>
#include <climits>
#include <limits>

#include "host/ids.h"
#include "testhost/records.h"

namespace {

using testhost::Value;

constexpr double kInf = std::numeric_limits<double>::infinity();

struct Bounds {
    std::array<double, 3> min{0, 0, 0};
    std::array<double, 3> max{100, 100, 100};
};

Bounds boundsOf(const testhost::ParamRecord* record) {
    Bounds b;
    if (!record) return b;
    for (auto [id, into] :
         {std::pair{&attribute::Min, &b.min}, std::pair{&attribute::Max, &b.max}}) {
        const testhost::Attribute* a = record->attribute(*id);
        if (!a) continue;
        if (a->type == value_type::Double)
            into->fill(a->asDouble());
        else if (a->type == value_type::Triple)
            *into = a->asTriple();
    }
    return b;
}

double decodeDouble(FuzzBytes& in, double min, double max) {
    static constexpr double kSpecial[] = {std::numeric_limits<double>::quiet_NaN(), kInf, -kInf,
                                          1e300, -1e300};
    const uint32_t choice = in.below(12);
    switch (choice) {
        case 0:
            return min;
        case 1:
            return max;
        case 2:
            return min + (max - min) * in.byte() / 255.0;
        case 3:
            return min - 1.0 - in.byte();
        case 4:
            return max + 1.0 + in.byte();
        case 10:
            return in.byte() & 1 ? -0.0 : std::numeric_limits<double>::denorm_min();
        case 11:
            return in.f64();
        default:  // 5 to 9
            return kSpecial[choice - 5];
    }
}

// List values and indices are small; the skip mode and the extremes are not.
int32_t decodeInt(FuzzBytes& in) {
    switch (in.below(8)) {
        case 4:
            return INT_MIN;
        case 5:
            return INT_MAX;
        case 6:
            return 0x7FFFFFFE;
        case 7:
            return in.i32();
        default:
            return static_cast<int32_t>(in.below(32)) - 2;
    }
}

int32_t decodeBool(FuzzBytes& in) {
    static constexpr int32_t kFlags[] = {0, 0, 1, 1, 1, 2, -1, 0x101};
    return in.pick(kFlags);
}

Value decodeValue(FuzzBytes& in, const GUID& type, const Bounds& b) {
    if (type == value_type::Double) return Value::ofDouble(decodeDouble(in, b.min[0], b.max[0]));
    if (type == value_type::Triple) {
        std::array<double, 3> v{};
        for (size_t i = 0; i < 3; ++i) v[i] = decodeDouble(in, b.min[i], b.max[i]);
        return Value::ofTriple(v);
    }
    if (type == value_type::Int) return Value::ofInt(decodeInt(in));
    return Value::ofBool(decodeBool(in));
}

void decodeKeys(FuzzBytes& in, testhost::ParamStore& params, const GUID& id, const GUID& type,
                const Bounds& b) {
    static constexpr double kKeyTimes[] = {0, 1, 2, 3, 5, 10, 49, -1, 1e6};
    for (uint32_t k = 0, n = 1 + in.below(3); k < n; ++k)
        params.setKey(id, in.pick(kKeyTimes), decodeValue(in, type, b));
}

}  // namespace

double decodeTime(FuzzBytes& in) {
    static constexpr double kTimes[] = {0, 1, 2, 0.5, 2.5, 10, 49, -1, 1e6, 1e300, -kInf, kInf};
    const uint8_t b = in.byte();
    if (b < 240) return kTimes[b % std::size(kTimes)];
    return b & 1 ? std::numeric_limits<double>::quiet_NaN() : in.f64();
}

void decodeParams(FuzzBytes& in, const testhost::Records& records, testhost::ParamStore& params) {
    for (const GUID& id : params.ids()) {
        const GUID type = params.param(id).type();
        const Bounds b = boundsOf(records.findParam(id));
        switch (in.below(16)) {
            case 7:  // absent: GetParam fails
                params.remove(id);
                break;
            case 8:
            case 9:
            case 10:
            case 11:
                params.set(id, decodeValue(in, type, b));
                break;
            case 12:
                decodeKeys(in, params, id, type, b);
                break;
            case 13: {
                static constexpr int32_t kStates[] = {0, 1, 2, -1};
                params.setQueryState(id, in.pick(kStates));
                break;
            }
            case 14: {  // the same id holding a value of another type
                static constexpr const GUID* kTypes[] = {&value_type::Bool, &value_type::Int,
                                                         &value_type::Double, &value_type::Triple};
                const GUID& other = *in.pick(kTypes);
                if (other == type) break;
                params.remove(id);
                params.set(id, decodeValue(in, other, {}));
                break;
            }
            case 15:
                params.set(id, decodeValue(in, type, b));
                decodeKeys(in, params, id, type, b);
                break;
            default:  // the default the component registered
                break;
        }
    }
}
