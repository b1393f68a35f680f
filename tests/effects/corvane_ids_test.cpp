#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <set>

#include "pinned_ids.h"

namespace {

TEST(CorvaneIds, EveryIdKeepsItsValue) {
    for (const auto& pin : pinned::kIds) {
        const auto literal = parseGuid(pin.text);
        ASSERT_TRUE(literal) << pin.name;
        EXPECT_EQ(pin.id, *literal) << pin.name << " changed";
    }
}

// Distinct, except the one control id that three check boxes share by design.
TEST(CorvaneIds, AllDistinct) {
    std::set<std::array<uint8_t, 16>> seen;
    for (const auto& pin : pinned::kIds) {
        std::array<uint8_t, 16> bytes;
        std::memcpy(bytes.data(), &pin.id, 16);
        EXPECT_TRUE(seen.insert(bytes).second) << pin.name << " repeats an id";
    }
    EXPECT_EQ(seen.size(), std::size(pinned::kIds));
}

}  // namespace
