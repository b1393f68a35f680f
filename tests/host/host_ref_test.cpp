#include "host/host_ref.h"

#include <gtest/gtest.h>

#include "host/guard.h"
#include "host/interfaces.h"

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

TEST(HostRef, AttachAdoptsAndReleasesOnce) {
    Probe p;
    {
        HostRef<Probe> ref;
        ref.attach(&p);
        EXPECT_EQ(p.refs, 1);
        EXPECT_EQ(ref.get(), &p);
    }
    EXPECT_EQ(p.refs, 0);
}

TEST(HostRef, ClearsItselfBeforeRelease) {
    Probe p;
    HostRef<Probe> ref;
    ref.attach(&p);
    p.watched = &ref;
    ref.reset();
    EXPECT_TRUE(p.ownerEmptyAtRelease);
    EXPECT_EQ(p.refs, 0);
}

TEST(HostRef, DetachHandsTheReferenceOn) {
    Probe p;
    Probe* handedOut = nullptr;
    {
        HostRef<Probe> ref;
        ref.attach(&p);
        handedOut = ref.detach();
    }
    EXPECT_EQ(handedOut, &p);
    EXPECT_EQ(p.refs, 1);
}

TEST(HostRef, PutReleasesTheOldObjectBeforeTheSlotIsFilled) {
    Probe first, second;
    HostRef<Probe> ref;
    ref.attach(&first);
    *ref.put() = &second;
    EXPECT_EQ(first.refs, 0);
    EXPECT_EQ(ref.get(), &second);
    ref.reset();
    EXPECT_EQ(second.refs, 0);
}

TEST(HostRef, CopyFromAddsItsOwnReference) {
    Probe p;
    {
        HostRef<Probe> ref;
        ref.copyFrom(&p);
        EXPECT_EQ(p.refs, 2);
    }
    EXPECT_EQ(p.refs, 1);
}

TEST(HostRef, MoveTransfersWithoutTouchingTheCount) {
    Probe p;
    HostRef<Probe> a;
    a.attach(&p);
    HostRef<Probe> b(std::move(a));
    EXPECT_FALSE(a);
    EXPECT_EQ(p.refs, 1);
    HostRef<Probe> c;
    c = std::move(b);
    EXPECT_EQ(p.refs, 1);
    c.reset();
    EXPECT_EQ(p.refs, 0);
}

TEST(HostRef, ReleasedWhenTheGuardedBodyFails) {
    Probe p;
    const int32_t result = guarded([&] {
        HostRef<Probe> ref;
        ref.attach(&p);
        check(status::kNullObject);
    });
    EXPECT_EQ(result, status::kNullObject);
    EXPECT_EQ(p.refs, 0);
}

}  // namespace
