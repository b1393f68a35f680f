// The time and field of one render call, as the render's fourth and sixth arguments.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>

#include "host/interfaces.h"
#include "testhost/object.h"

namespace testhost {

class RenderTime final : public IAVXRenderTime, public Counted {
public:
    RenderTime(Census& census, Journal& journal, std::string name, int32_t frameTime);

    void setFrameTime(int32_t t) { frameTime_.store(t); }

    int32_t QueryInterface(const GUID& iid, void** out) override;
    TESTHOST_COUNTING
    int32_t GetFrameTime() override;

private:
    std::atomic<int32_t> frameTime_;
};

class RenderField final : public IAVXRenderField, public Counted {
public:
    RenderField(Census& census, Journal& journal, std::string name, double paramTime,
                int32_t field);

    void setParamTime(double t) { paramTime_.store(t); }
    void setField(int32_t f) { field_.store(f); }

    int32_t QueryInterface(const GUID& iid, void** out) override;
    TESTHOST_COUNTING
    double GetParamTime() override;
    int32_t GetField() override;

private:
    std::atomic<double> paramTime_;
    std::atomic<int32_t> field_;
};

}  // namespace testhost
