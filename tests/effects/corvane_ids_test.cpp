#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <set>

#include "pinned_ids.h"

namespace {

// Each id keeps its literal, and no two are alike (the one control id that three check boxes
// share by design is pinned once).
TEST(CorvaneIds, EveryIdKeepsItsValue) {
    std::set<std::array<uint8_t, 16>> seen;
    for (const auto& pin : pinned::kIds) {
        const auto literal = parseGuid(pin.text);
        ASSERT_TRUE(literal) << pin.name;
        EXPECT_EQ(pin.id, *literal) << pin.name << " changed";
        std::array<uint8_t, 16> bytes;
        std::memcpy(bytes.data(), &pin.id, 16);
        EXPECT_TRUE(seen.insert(bytes).second) << pin.name << " repeats an id";
    }
}

}  // namespace
