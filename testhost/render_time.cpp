#include "testhost/render_time.h"

#include "host/ids.h"
#include "testhost/journal.h"

namespace testhost {

RenderTime::RenderTime(Census& census, Journal& journal, std::string name, int32_t frameTime)
    : Counted(census, journal, "render time", std::move(name)), frameTime_(frameTime) {}

int32_t RenderTime::QueryInterface(const GUID& iid, void** out) {
    return answer(iid, out, {{iid::IACFUnknown, static_cast<IAVXRenderTime*>(this)}});
}

int32_t RenderTime::GetFrameTime() {
    journal().enter("GetFrameTime", describe(), "", Result::Value);
    return frameTime_.load();
}

RenderField::RenderField(Census& census, Journal& journal, std::string name, double paramTime,
                         int32_t field)
    : Counted(census, journal, "render field", std::move(name)),
      paramTime_(paramTime),
      field_(field) {}

int32_t RenderField::QueryInterface(const GUID& iid, void** out) {
    return answer(iid, out, {{iid::IACFUnknown, static_cast<IAVXRenderField*>(this)}});
}

double RenderField::GetParamTime() {
    journal().enter("GetParamTime", describe(), "", Result::Value);
    return paramTime_.load();
}

int32_t RenderField::GetField() {
    journal().enter("GetField", describe(), "", Result::Value);
    return field_.load();
}

}  // namespace testhost
