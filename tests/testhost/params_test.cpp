// Parameter values at a time, as the readers get them: keys interpolate (Double) or step
// (other types) and hold their ends; a read of the wrong type or size is refused unwritten.
#include <gtest/gtest.h>

#include <cstring>

#include "testhost/host.h"

namespace {

using testhost::Value;

constexpr GUID kMix = makeGuid("{00000001-0000-0000-0000-000000000000}");
constexpr GUID kMode = makeGuid("{00000002-0000-0000-0000-000000000000}");

TEST(Params, KeysInterpolateOrStepAndHoldTheirEnds) {
    testhost::Host host;
    testhost::ParamStore& store = host.makeContext("fx").params();
    // Out of order on purpose: the store keeps keys sorted by time.
    store.setKey(kMix, 40, Value::ofDouble(50));
    store.setKey(kMix, 10, Value::ofDouble(0));
    store.setKey(kMix, 20, Value::ofDouble(100));
    store.setKey(kMode, 0, Value::ofInt(1));
    store.setKey(kMode, 10, Value::ofInt(5));
    struct Case {
        double t, mix;
        int32_t mode;
    };
    const Case cases[] = {{-1e9, 0, 1}, {9.999, 0, 1}, {10, 0, 5},  {12.5, 25, 5},
                          {20, 100, 5}, {30, 75, 5},   {40, 50, 5}, {1e9, 50, 5}};
    for (const Case& c : cases) {
        double mix = -1;
        int32_t mode = -1;
        ASSERT_EQ(store.param(kMix).GetValueAt(&c.t, value_type::Double, &mix, 8), status::kOk);
        ASSERT_EQ(store.param(kMode).GetValueAt(&c.t, value_type::Int, &mode, 4), status::kOk);
        EXPECT_DOUBLE_EQ(mix, c.mix) << "t=" << c.t;
        EXPECT_EQ(mode, c.mode) << "t=" << c.t;
    }
}

TEST(Params, ReadsOfTheWrongTypeOrSizeAreRefusedUnwritten) {
    testhost::Host host;
    testhost::ParamStore& store = host.makeContext("fx").params();
    store.setDouble(kMix, 42.0);
    const double t = 0;
    struct Case {
        const double* time;
        GUID type;
        uint32_t bytes;
    };
    const Case cases[] = {{&t, value_type::Int, 8},
                          {&t, value_type::Double, 4},
                          {&t, value_type::Double, 16},
                          {nullptr, value_type::Double, 8}};
    for (const Case& c : cases) {
        uint8_t out[16];
        std::memset(out, 0xCD, sizeof out);
        EXPECT_EQ(store.param(kMix).GetValueAt(c.time, c.type, out, c.bytes),
                  status::kInvalidArgument);
        for (uint8_t b : out) ASSERT_EQ(b, 0xCD);
    }
}

}  // namespace
