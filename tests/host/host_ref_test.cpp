#include "host/host_ref.h"

#include <gtest/gtest.h>

#include "host/interfaces.h"
#include "host/status.h"

namespace {

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
