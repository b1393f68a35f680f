// A parameter catalogue as data: each parameter and each panel control is one table entry,
// and one walker (catalogue_definition.h) turns the tables into host records. Readers of
// parameter values name their parameters through the same entries.
#pragma once

#include <cstdint>
#include <span>

#include "host/guid.h"
#include "host/ids.h"

enum class ParamType : uint8_t { Bool, Int, Double, Triple };

constexpr const GUID& valueTypeId(ParamType type) {
    switch (type) {
        case ParamType::Bool:
            return value_type::Bool;
        case ParamType::Int:
            return value_type::Int;
        case ParamType::Double:
            return value_type::Double;
        case ParamType::Triple:
            return value_type::Triple;
    }
    return value_type::Int;
}

// Shared: found again by id when another component already described it. Own: created and
// described anew by every component that defines it.
enum class DefineWay : uint8_t { Shared, Own };

struct ParamDef {
    const GUID& id;
    const char16_t* key;
    const char16_t* label;
    ParamType type;
    DefineWay way;
    int32_t flag;            // passed to DescribeParam
    double value;            // the default; a Triple repeats it in its three components
    double min = 0.0;        // Double and Triple only
    double max = 0.0;        // Double and Triple only
    int32_t sliderFlag = 0;  // Double only
};

enum class ControlKind : uint8_t {
    CheckBox,
    ChoiceList,
    ListEntry,
    Slider,
    SliderSecondKind,
    Group
};

inline constexpr int32_t kNoGroupFlag = -1;

struct ControlDef {
    const GUID& id;
    const char16_t* label;
    const char16_t* name;
    ControlKind kind;
    const ParamDef* param = nullptr;   // the parameter it shows, if any
    int32_t entryValue = 0;            // list entries: the value they stand for
    const GUID* enabledBy = nullptr;   // id of the switch that enables it, if any
    int32_t groupFlag = kNoGroupFlag;  // groups that carry the flag
    std::span<const ControlDef> children = {};
};

struct ParamGroupDef {
    std::span<const ParamDef* const> params;  // defined in this order
    std::span<const ControlDef> panel;        // top-level controls, added in this order
};
