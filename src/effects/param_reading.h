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

// The value a reader takes for `def` when the host cannot find it.
template <ParamType T>
typename ParamValue<T>::type fallbackOf(const ParamDef& def) {
    if constexpr (T == ParamType::Triple)
        return {def.fallback, def.fallback, def.fallback};
    else
        return static_cast<typename ParamValue<T>::type>(def.fallback);
}

class ParamReader {
public:
    ParamReader(IAVXEffectContext& context, double time) : context_(context), time_(time) {}

    // The plain read: the parameter's fallback when the component has no such parameter,
    // otherwise the value at the reader's time. `held`, if given, keeps the parameter for a
    // write-back.
    template <ParamType T>
    typename ParamValue<T>::type read(const ParamDef& def,
                                      HostRef<IAVXParamAccess>* held = nullptr) const {
        auto value = fallbackOf<T>(def);
        HostRef<IAVXParamAccess> param;
        if (!find(def, param)) return value;
        valueAt(*param, def, &value, sizeof value);
        if (held) *held = std::move(param);
        return value;
    }

    // A Double the host holds, kept within the parameter's range, NaN its default; the
    // fallback when the component has no such parameter, as it stands.
    double readBounded(const ParamDef& def) const;

    // Asks the context for the parameter; false when the component has none.
    bool find(const ParamDef& def, HostRef<IAVXParamAccess>& param) const;
    // GetValueAt at the reader's time; raises on a failing status.
    void valueAt(IAVXParamAccess& param, const ParamDef& def, void* out, uint32_t bytes) const;

    const double& time() const { return time_; }

private:
    IAVXEffectContext& context_;
    double time_;
};
