#include "effects/catalogue_definition.h"

#include <array>
#include <stdexcept>
#include <utility>
#include <vector>

#include "host/guard.h"
#include "host/host_ref.h"
#include "host/ids.h"
#include "host/interfaces.h"

namespace {

using ParamRecords = std::vector<std::pair<const ParamDef*, HostRef<IAVXParamRecord>>>;

const GUID* controlKindId(ControlKind kind) {
    switch (kind) {
        case ControlKind::CheckBox:
            return &control_kind::CheckBox;
        case ControlKind::ChoiceList:
            return &control_kind::ChoiceList;
        case ControlKind::ListEntry:
            return &control_kind::ListEntry;
        case ControlKind::Slider:
            return &control_kind::Slider;
        case ControlKind::SliderSecondKind:
            return &control_kind::SliderSecondKind;
        case ControlKind::Group:
            return nullptr;
    }
    return nullptr;
}

template <class Record>
void setInt(Record& record, const GUID& attributeId, const GUID& type, int32_t value) {
    check(record.SetAttribute(attributeId, type, &value, sizeof value));
}

// A Double or Triple attribute: a Triple carries `value` in all three components.
void setNumber(IAVXParamRecord& record, const GUID& attributeId, ParamType type, double value) {
    if (type == ParamType::Triple) {
        const std::array<double, 3> triple{value, value, value};
        check(record.SetAttribute(attributeId, value_type::Triple, triple.data(),
                                  value_type::kTripleBytes));
    } else {
        check(
            record.SetAttribute(attributeId, value_type::Double, &value, value_type::kDoubleBytes));
    }
}

void setParamAttributes(IAVXParamRecord& record, const ParamDef& def) {
    switch (def.type) {
        case ParamType::Bool:
        case ParamType::Int:
            setInt(record, attribute::Value, valueTypeId(def.type),
                   static_cast<int32_t>(def.value));
            break;
        case ParamType::Double:
            setNumber(record, attribute::Min, def.type, def.min);
            setNumber(record, attribute::Max, def.type, def.max);
            setNumber(record, attribute::Value, def.type, def.value);
            setInt(record, attribute::SliderFlag, value_type::Bool, def.sliderFlag);
            break;
        case ParamType::Triple:
            setNumber(record, attribute::Value, def.type, def.value);
            setNumber(record, attribute::Min, def.type, def.min);
            setNumber(record, attribute::Max, def.type, def.max);
            break;
    }
}

HostRef<IAVXParamRecord> defineParam(IACFHostFactory& factory, const ParamDef& def) {
    HostRef<IAVXParamRecord> record;
    const bool found =
        def.way == DefineWay::Shared &&
        !status::failed(factory.FindObject(def.id, iid::IAVXParamRecord, record.putVoid()));
    if (found) {
        require(record.get());
    } else {
        check(factory.CreateObject(record_class::ParamRecord, nullptr, iid::IAVXParamRecord,
                                   record.putVoid()));
        require(record.get());
        const int32_t flag = def.way == DefineWay::Shared ? def.flag : 0;
        check(record->DescribeParam(def.id, def.label, def.key, &valueTypeId(def.type), flag, 0, 0,
                                    0));
    }
    setParamAttributes(*record, def);
    return record;
}

// The record of the parameter a control shows; null for a control that shows none.
IAVXParamRecord* recordOf(const ParamRecords& params, const ParamDef* def) {
    if (!def) return nullptr;
    for (const auto& [d, record] : params)
        if (d == def) return record.get();
    throw std::logic_error("a control shows a parameter that is not defined yet");
}

// Makes and describes one control with its attributes, without its children.
HostRef<IAVXLayoutRecord> makeControl(IACFHostFactory& factory, const ParamRecords& params,
                                      const ControlDef& def) {
    HostRef<IAVXLayoutRecord> record;
    check(factory.CreateObject(record_class::LayoutRecord, nullptr, iid::IAVXLayoutRecord,
                               record.putVoid()));
    require(record.get());
    check(record->DescribeLayout(def.id, def.label, def.name, controlKindId(def.kind),
                                 recordOf(params, def.param)));
    if (def.kind == ControlKind::ListEntry)
        setInt(*record, attribute::Value, value_type::Int, def.entryValue);
    if (def.enabledBy)
        check(record->SetAttribute(attribute::EnabledBy, value_type::Guid, def.enabledBy,
                                   value_type::kGuidBytes));
    if (def.groupFlag != kNoGroupFlag)
        setInt(*record, attribute::GroupFlag, value_type::Bool, def.groupFlag);
    if (def.switchDefault != kNoSwitchDefault)
        setInt(*record, attribute::Value, value_type::Bool, def.switchDefault);
    return record;
}

// A control and its whole tree, each child added as soon as it is built.
HostRef<IAVXLayoutRecord> defineControl(IACFHostFactory& factory, const ParamRecords& params,
                                        const ControlDef& def) {
    HostRef<IAVXLayoutRecord> record = makeControl(factory, params, def);
    for (const ControlDef& child : def.children) {
        HostRef<IAVXLayoutRecord> childRecord = defineControl(factory, params, child);
        check(record->AddChild(childRecord.get()));
    }
    return record;
}

// The controls a step-built panel has made and not yet handed on.
class MadeControls {
public:
    void keep(const ControlDef& def, HostRef<IAVXLayoutRecord> record) {
        made_.emplace_back(&def, std::move(record));
    }
    IAVXLayoutRecord& operator[](const ControlDef& def) const {
        for (const auto& [d, record] : made_)
            if (d == &def) return *record;
        throw std::logic_error("a step names a control that is not made yet");
    }
    // Once added, a record is released.
    void release(const ControlDef& def) {
        std::erase_if(made_, [&](const auto& entry) { return entry.first == &def; });
    }

private:
    std::vector<std::pair<const ControlDef*, HostRef<IAVXLayoutRecord>>> made_;
};

}  // namespace

void defineParamGroup(IACFHostFactory& factory, IAVXComponentRecord& component,
                      const ParamGroupDef& group) {
    ParamRecords params;
    params.reserve(group.params.size());
    for (const ParamDef* def : group.params) params.emplace_back(def, defineParam(factory, *def));

    std::vector<HostRef<IAVXLayoutRecord>> topLevel;
    topLevel.reserve(group.panel.size());
    for (const ControlDef& control : group.panel)
        topLevel.push_back(defineControl(factory, params, control));
    for (auto& item : topLevel) {
        check(component.AddLayoutItem(item.get()));
        item.reset();
    }
}

void buildPanel(IACFHostFactory& factory, IAVXComponentRecord& component,
                std::span<const BuildStep> steps) {
    ParamRecords params;
    MadeControls made;
    for (const BuildStep& step : steps) {
        switch (step.op) {
            case BuildStep::Param:
                params.emplace_back(step.param, defineParam(factory, *step.param));
                break;
            case BuildStep::Control:
                made.keep(*step.control, makeControl(factory, params, *step.control));
                break;
            case BuildStep::Entries:
                for (const ControlDef& entry : step.control->children)
                    made.keep(entry, makeControl(factory, params, entry));
                break;
            case BuildStep::AddChildren:
                for (const ControlDef& entry : step.control->children) {
                    check(made[*step.control].AddChild(&made[entry]));
                    made.release(entry);
                }
                break;
            case BuildStep::AddChild:
                check(made[*step.parent].AddChild(&made[*step.control]));
                made.release(*step.control);
                break;
            case BuildStep::AddToComponent:
                check(component.AddLayoutItem(&made[*step.control]));
                made.release(*step.control);
                break;
        }
    }
}
