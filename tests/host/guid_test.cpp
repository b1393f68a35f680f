#include "host/guid.h"

#include <gtest/gtest.h>

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

}  // namespace
