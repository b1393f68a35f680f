#include "host/guid.h"

#include <gtest/gtest.h>

#include "host/ids.h"

namespace {

constexpr GUID kSample = makeGuid("{01234567-89AB-CDEF-0123-456789abcdef}");
static_assert(kSample.Data1 == 0x01234567u && kSample.Data2 == 0x89AB && kSample.Data3 == 0xCDEF);
static_assert(kSample.Data4[0] == 0x01 && kSample.Data4[1] == 0x23 && kSample.Data4[2] == 0x45 &&
              kSample.Data4[7] == 0xEF);

// Malformed texts are refused while compiling; makeGuid turns the refusal into a compile error.
static_assert(!parseGuid("01234567-89AB-CDEF-0123-456789ABCDEF"));     // no braces
static_assert(!parseGuid("{01234567-89AB-CDEF-0123-456789ABCDE}"));    // one digit short
static_assert(!parseGuid("{01234567-89AB-CDEF-0123-456789ABCDEF0}"));  // one digit long
static_assert(!parseGuid("{01234567-89AB-CDEF+0123-456789ABCDEF}"));   // wrong separator
static_assert(!parseGuid("{0123456G-89AB-CDEF-0123-456789ABCDEF}"));   // not hex
static_assert(!parseGuid("{01234567-89AB-CDEF-0123-456789ABCDEG}"));   // not hex at the end

TEST(Guid, EqualityComparesEveryField) {
    GUID g = kSample;
    EXPECT_EQ(g, kSample);
    for (int field = 0; field < 11; ++field) {
        GUID changed = kSample;
        if (field == 0) changed.Data1 ^= 0x80000000u;
        if (field == 1) changed.Data2 ^= 1;
        if (field == 2) changed.Data3 ^= 0x8000;
        if (field >= 3) changed.Data4[field - 3] ^= 0x10;
        EXPECT_FALSE(changed == kSample) << "field " << field;
    }
}

TEST(Guid, HostIdsKeepTheirUsualByteLayout) {
    // The in-memory order the host compares: Data1 little-endian, then Data2, Data3, Data4.
    const GUID& unknown = iid::IACFUnknown;
    EXPECT_EQ(unknown.Data1, 0u);
    EXPECT_EQ(unknown.Data4[0], 0xC0);
    EXPECT_EQ(unknown.Data4[7], 0x46);
    EXPECT_EQ(iid::IAVXFrameBuffer.Data1, 0x9D942896u);
    EXPECT_EQ(iid::IAVXFrameBuffer.Data2, 0xAB0A);
    EXPECT_EQ(iid::IAVXFrameBuffer.Data3, 0x430A);
    EXPECT_EQ(iid::IAVXFrameBuffer.Data4[0], 0x9F);
    EXPECT_EQ(iid::IAVXFrameBuffer.Data4[1], 0xB0);
}

}  // namespace
