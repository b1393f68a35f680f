// The effect context of one instance: its inputs, its parameters and the few numbers a
// render asks for. The input count is settable apart from the list so a test can make the
// host lie about it.
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "host/interfaces.h"
#include "testhost/object.h"
#include "testhost/params.h"

namespace testhost {

class InputTrack;

class EffectContext final : public IAVXEffectContext, public Counted {
public:
    EffectContext(Census& census, Journal& journal, std::string name);

    ParamStore& params() { return params_; }

    void addInput(InputTrack& input);
    void setInputs(std::vector<InputTrack*> inputs);
    // What GetInputCount reports; nullopt reports the number of inputs.
    void setInputCount(std::optional<int32_t> count);
    void setFrameCount(int32_t n) { frameCount_.store(n); }
    void setUsageKind(int32_t kind) { usageKind_.store(kind); }
    void setProjectSize(int32_t width, int32_t height);
    void setAuxSize(int32_t width, int32_t height);

    int32_t QueryInterface(const GUID& iid, void** out) override;
    TESTHOST_COUNTING
    TESTHOST_RESERVED(3)
    int32_t GetAuxWidth() override;
    int32_t GetAuxHeight() override;
    int32_t GetProjectWidth() override;
    int32_t GetProjectHeight() override;
    TESTHOST_RESERVED(8)
    int32_t GetFrameCount() override;
    TESTHOST_RESERVED(10)
    int32_t GetInputCount() override;
    // An index outside the list or another track kind: 0x80000003; an iid other than
    // IAVXInputTrack: 0x80000004.
    int32_t GetInput(int32_t index, const GUID& trackKind, const GUID& iid, void** out) override;
    TESTHOST_RESERVED(13)
    TESTHOST_RESERVED(14)
    TESTHOST_RESERVED(15)
    TESTHOST_RESERVED(16)
    TESTHOST_RESERVED(17)
    // The parameter's IAVXParamAccess or IAVXParamKeys face; a missing parameter or another
    // iid: 0x80000004.
    int32_t GetParam(const GUID& paramId, const GUID& iid, void** out) override;
    TESTHOST_RESERVED(19)
    TESTHOST_RESERVED(20)
    TESTHOST_RESERVED(21)
    int32_t GetUsageKind() override;

private:
    int32_t value(const char* op, int32_t v);

    ParamStore params_;
    mutable std::mutex mutex_;
    std::vector<InputTrack*> inputs_;
    std::optional<int32_t> inputCount_;
    std::atomic<int32_t> frameCount_{1};
    std::atomic<int32_t> usageKind_{0};
    std::atomic<int32_t> projectWidth_{0}, projectHeight_{0};
    std::atomic<int32_t> auxWidth_{0}, auxHeight_{0};
};

}  // namespace testhost
