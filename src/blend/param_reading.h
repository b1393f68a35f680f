// Reading one parameter value at a time, in the ways the blend readers need.
#pragma once

#include <array>
#include <cstdint>

#include "effects/catalogue.h"
#include "host/host_ref.h"
#include "host/interfaces.h"

template <ParamType T>
struct ParamValue;
template <>
struct ParamValue<ParamType::Bool> {
    using type = int32_t;
};
template <>
struct ParamValue<ParamType::Int> {
    using type = int32_t;
};
template <>
struct ParamValue<ParamType::Double> {
    using type = double;
};
template <>
struct ParamValue<ParamType::Triple> {
    using type = std::array<double, 3>;
};

class ParamReader {
public:
    ParamReader(IAVXEffectContext& context, double time) : context_(context), time_(time) {}

    // The plain read: the fallback when the component has no such parameter, otherwise the
    // value at the reader's time. `held`, if given, keeps the parameter for a write-back.
    template <ParamType T>
    typename ParamValue<T>::type read(const ParamDef& def, typename ParamValue<T>::type fallback,
                                      HostRef<IAVXParamAccess>* held = nullptr) const {
        HostRef<IAVXParamAccess> param;
        if (!find(def, param)) return fallback;
        auto value = fallback;
        valueAt(*param, def, &value, sizeof value);
        if (held) *held = std::move(param);
        return value;
    }

    // Asks the context for the parameter; false when the component has none.
    bool find(const ParamDef& def, HostRef<IAVXParamAccess>& param) const;
    // GetValueAt at the reader's time; raises on a failing status.
    void valueAt(IAVXParamAccess& param, const ParamDef& def, void* out, uint32_t bytes) const;

    const double& time() const { return time_; }

private:
    IAVXEffectContext& context_;
    double time_;
};
