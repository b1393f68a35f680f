// The host-side helpers: GUID texts and equality, the guard that turns what a body raises
// into one status, and the reference holder's release order.
#include <gtest/gtest.h>

#include <stdexcept>

#include "host/guard.h"
#include "host/guid.h"
#include "host/host_ref.h"
#include "host/interfaces.h"
#include "host/status.h"

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

using status::kNullObject;
using status::kUnexpected;

TEST(Guard, TurnsWhatTheBodyRaisesIntoOneStatus) {
    struct Case {
        const char* what;
        int32_t (*body)();
        int32_t expected;
    };
    const Case cases[] = {
        {"success passes through", [] { return check(7); }, 7},
        {"failing host status", [] { return check(static_cast<int32_t>(0x80001234u)); },
         static_cast<int32_t>(0x80001234u)},
        {"null object", [] { return require<int>(nullptr) ? 0 : 1; }, kNullObject},
        {"foreign exception", []() -> int32_t { throw std::runtime_error("x"); }, kUnexpected},
        {"allocation failure", []() -> int32_t { throw std::bad_alloc(); }, kUnexpected},
        {"non-standard throw", []() -> int32_t { throw 42; }, kUnexpected},
    };
    for (const auto& c : cases) EXPECT_EQ(guarded(c.body), c.expected) << c.what;
}

// A host object that counts its references and, at each Release, notes whether the owner
// that released it had already let go of it.
struct Probe : IACFUnknown {
    int refs = 1;
    HostRef<Probe>* watched = nullptr;
    bool ownerEmptyAtRelease = false;

    int32_t QueryInterface(const GUID&, void** out) override {
        *out = nullptr;
        return status::kNoInterface;
    }
    uint32_t AddRef() override { return static_cast<uint32_t>(++refs); }
    uint32_t Release() override {
        if (watched) ownerEmptyAtRelease = !*watched;
        return static_cast<uint32_t>(--refs);
    }
};

TEST(HostRef, ReleasesWhatItHoldsOnceAndEmptiesItselfFirst) {
    Probe first, second;
    {
        HostRef<Probe> ref;
        ref.attach(&first);
        EXPECT_EQ(first.refs, 1);
        first.watched = &ref;
        *ref.put() = &second;  // put releases the old object before the slot is filled
        EXPECT_EQ(first.refs, 0);
        EXPECT_TRUE(first.ownerEmptyAtRelease);
        EXPECT_EQ(ref.get(), &second);
    }
    EXPECT_EQ(second.refs, 0);
}

}  // namespace
