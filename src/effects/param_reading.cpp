#include "effects/param_reading.h"

#include <algorithm>
#include <cmath>

#include "host/guard.h"

bool ParamReader::find(const ParamDef& def, HostRef<IAVXParamAccess>& param) const {
    if (status::failed(context_.GetParam(def.id, iid::IAVXParamAccess, param.putVoid()))) {
        param.reset();
        return false;
    }
    require(param.get());
    return true;
}

void ParamReader::valueAt(IAVXParamAccess& param, const ParamDef& def, void* out,
                          uint32_t bytes) const {
    check(param.GetValueAt(&time_, valueTypeId(def.type), out, bytes));
}

double ParamReader::readBounded(const ParamDef& def) const {
    HostRef<IAVXParamAccess> param;
    if (!find(def, param)) return def.fallback;
    double value = def.fallback;
    valueAt(*param, def, &value, sizeof value);
    return std::isnan(value) ? def.value : std::clamp(value, def.min, def.max);
}
