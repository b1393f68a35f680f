#include "blend/param_reading.h"

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
