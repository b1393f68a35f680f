// A parameter catalogue as data: each parameter and each panel control is one table entry,
// and one walker (catalogue_definition.h) turns the tables into host records. Readers of
// parameter values name their parameters through the same entries.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <utility>

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
    double fallback;         // what a reader takes when the host cannot find the parameter
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
inline constexpr int32_t kNoSwitchDefault = -1;

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
    int32_t switchDefault = kNoSwitchDefault;  // groups that give their switch's default
};

// A group whose parameters are all defined first, then its controls, each tree built from the
// top down, then added to the component in order.
struct ParamGroupDef {
    std::span<const ParamDef* const> params;  // defined in this order
    std::span<const ControlDef> panel;        // top-level controls, added in this order
};

// A panel whose records are made interleaved with its controls: the steps in the order the
// host sees them.
struct BuildStep {
    enum Op : uint8_t {
        Param,           // define `param`
        Control,         // make and describe `control`, with its attributes
        Entries,         // make each of `control`'s children (list entries)
        AddChildren,     // add each of `control`'s children to it, in order
        AddChild,        // add `control` to `parent`
        AddToComponent,  // add `control` to the component
    } op;
    const ParamDef* param = nullptr;
    const ControlDef* control = nullptr;
    const ControlDef* parent = nullptr;
};

// A choice list's entries made from a table whose entries carry a value, a label, a key and
// the id of the entry (the blend modes, the alpha sources, the palettes), in table order.
template <class Entry, size_t N, size_t... I>
constexpr std::array<ControlDef, N> listEntriesOf(const Entry (&table)[N],
                                                  std::index_sequence<I...>) {
    return {ControlDef{table[I].id, table[I].label, table[I].key, ControlKind::ListEntry, nullptr,
                       static_cast<int32_t>(table[I].value)}...};
}
template <class Entry, size_t N>
constexpr std::array<ControlDef, N> listEntries(const Entry (&table)[N]) {
    return listEntriesOf(table, std::make_index_sequence<N>());
}

// Every value first .. first + N - 1 appears exactly once in `table`, which holds nothing
// else.
template <class Entry, size_t N>
constexpr bool eachValueOnce(const Entry (&table)[N], int64_t first) {
    for (int64_t v = first; v < first + static_cast<int64_t>(N); ++v) {
        int count = 0;
        for (const Entry& e : table) count += static_cast<int64_t>(e.value) == v ? 1 : 0;
        if (count != 1) return false;
    }
    return true;
}
