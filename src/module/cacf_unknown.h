// The reference-counted, aggregatable base of every object the module hands to the host.
// Its non-delegating face is PrivateUnknown; every other face forwards to `outer`, which is
// the aggregating object when there is one and PrivateUnknown otherwise.
#pragma once

#include <atomic>
#include <cstdint>

#include "host/interfaces.h"

// Constructed and not yet destroyed module objects; the module may unload only at 0.
uint32_t liveObjectCount();

class CACFUnknown {
public:
    class PrivateUnknown final : public IACFUnknown {
    public:
        explicit PrivateUnknown(CACFUnknown& owner) : owner_(owner) {}
        int32_t QueryInterface(const GUID& iid, void** out) override {
            return owner_.InnerQueryInterface(iid, out);
        }
        uint32_t AddRef() override { return owner_.InnerAddRef(); }
        uint32_t Release() override { return owner_.InnerRelease(); }

    private:
        CACFUnknown& owner_;
    };

    // `outer` is the aggregating object, or null.
    explicit CACFUnknown(IACFUnknown* outer);
    CACFUnknown(const CACFUnknown&) = delete;
    CACFUnknown& operator=(const CACFUnknown&) = delete;
    virtual ~CACFUnknown();

    virtual int32_t InitializeHost(IACFUnknown* host);
    virtual void FinalRelease() {}
    virtual void DestroySelf() { delete this; }
    // Knows only IACFUnknown: the non-delegating face.
    virtual int32_t InnerQueryInterface(const GUID& iid, void** out);
    virtual uint32_t InnerAddRef();
    virtual uint32_t InnerRelease();

    IACFUnknown* nonDelegating() { return &private_; }

protected:
    // Slots 0 to 2 of every face other than PrivateUnknown.
    IACFUnknown& outer() const { return *outer_; }
    // Adds a reference through `face` itself and hands it out.
    template <class Face>
    static int32_t handOut(Face* face, void** out) {
        face->AddRef();
        *out = face;
        return 0;
    }
    // Destroying objects raise the count first, so releases made while tearing down cannot
    // start a second destruction.
    void holdWhileDestroying() { refCount_.fetch_add(1, std::memory_order_relaxed); }

private:
    std::atomic<uint32_t> refCount_{0};
    IACFUnknown* outer_;
    PrivateUnknown private_;
};

// The three IACFUnknown slots of a face, forwarded to the controlling object.
#define CORVANE_FORWARD_UNKNOWN                                    \
    int32_t QueryInterface(const GUID& iid, void** out) override { \
        return outer().QueryInterface(iid, out);                   \
    }                                                              \
    uint32_t AddRef() override { return outer().AddRef(); }        \
    uint32_t Release() override { return outer().Release(); }
