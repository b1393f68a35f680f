#include "panel.h"

#include <algorithm>
#include <cctype>

#include "host/ids.h"
#include "testhost/text.h"
#include "tool_error.h"

namespace corvane {

namespace {

ParamType typeOf(const GUID& id) {
    if (id == value_type::Bool) return ParamType::Bool;
    if (id == value_type::Int) return ParamType::Int;
    if (id == value_type::Double) return ParamType::Double;
    if (id == value_type::Triple) return ParamType::Triple;
    return ParamType::Other;
}

std::string kindName(const testhost::LayoutRecord& item) {
    if (!item.kind) return "group";
    const GUID& k = *item.kind;
    if (k == control_kind::CheckBox) return "check box";
    if (k == control_kind::ChoiceList) return "choice list";
    if (k == control_kind::ListEntry) return "list entry";
    if (k == control_kind::Slider || k == control_kind::SliderSecondKind) return "slider";
    return "control";
}

std::optional<testhost::Value> attributeValue(const testhost::ParamRecord& r, const GUID& id) {
    const testhost::Attribute* a = r.attribute(id);
    if (!a) return std::nullopt;
    return static_cast<const testhost::Value&>(*a);
}

std::string lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

bool same(const std::string& a, const std::string& b, bool ignoreCase) {
    return ignoreCase ? lower(a) == lower(b) : a == b;
}

}  // namespace

const char* typeName(ParamType type) {
    switch (type) {
        case ParamType::Bool:
            return "on/off";
        case ParamType::Int:
            return "integer";
        case ParamType::Double:
            return "number";
        case ParamType::Triple:
            return "r,g,b";
        case ParamType::Other:
            break;
    }
    return "other";
}

std::string PanelParam::path() const {
    std::string out;
    for (const auto& g : groups) out += g + "/";
    return out + label;
}

Panel::Panel(const testhost::ComponentRecord& component, const testhost::Records& records) {
    std::vector<std::pair<const testhost::ParamRecord*, std::vector<std::string>>> shown;
    struct Switch {
        GUID id;
        std::string groupLabel;
        std::vector<std::string> groups;
        std::optional<testhost::Value> defaultValue;
    };
    std::vector<Switch> switches;
    std::vector<std::string> groups;

    auto walk = [&](auto& self, const testhost::LayoutRecord& item) -> void {
        if (!item.kind) {
            if (const auto* by = item.attribute(attribute::EnabledBy);
                by && by->bytes.size() == sizeof(GUID)) {
                std::optional<testhost::Value> def;
                if (const auto* v = item.attribute(attribute::Value)) def = *v;
                switches.push_back({by->asGuid(), testhost::utf8(item.label), groups, def});
            }
            groups.push_back(testhost::utf8(item.label));
            for (const auto* c : item.children) self(self, *c);
            groups.pop_back();
            return;
        }
        if (item.param) shown.push_back({item.param, groups});
    };
    for (const auto* item : component.layoutItems) walk(walk, *item);

    auto known = [&](const GUID& id) {
        return std::any_of(params_.begin(), params_.end(),
                           [&](const PanelParam& p) { return p.id == id; });
    };
    auto fill = [](PanelParam& p, const testhost::ParamRecord& r) {
        p.id = r.id;
        p.key = testhost::utf8(r.key);
        p.label = testhost::utf8(r.label);
        if (r.type) p.typeId = *r.type;
        p.type = typeOf(p.typeId);
        p.min = attributeValue(r, attribute::Min);
        p.max = attributeValue(r, attribute::Max);
        p.defaultValue = attributeValue(r, attribute::Value);
    };
    for (const auto& [record, path] : shown) {
        if (known(record->id)) continue;
        PanelParam p;
        fill(p, *record);
        p.groups = path;
        params_.push_back(std::move(p));
    }
    for (const Switch& s : switches) {
        if (known(s.id)) continue;
        PanelParam p;
        if (const testhost::ParamRecord* r = records.findParam(s.id)) {
            fill(p, *r);
        } else {
            p.id = s.id;
            p.label = s.groupLabel;
            p.typeId = value_type::Bool;
            p.type = ParamType::Bool;
        }
        if (!p.defaultValue) p.defaultValue = s.defaultValue;
        if (!p.defaultValue) p.defaultValue = testhost::Value::ofBool(0);
        p.groups = s.groups;
        p.groups.push_back(s.groupLabel);
        p.groupSwitch = true;
        params_.push_back(std::move(p));
    }

    // Entries of each choice list, and the control tree pointing at the final params.
    auto paramOf = [&](const testhost::ParamRecord* r) -> PanelParam* {
        if (!r) return nullptr;
        for (auto& p : params_)
            if (p.id == r->id) return &p;
        return nullptr;
    };
    auto build = [&](auto& self, const testhost::LayoutRecord& item) -> PanelNode {
        PanelNode node{testhost::utf8(item.label),
                       testhost::utf8(item.name),
                       kindName(item),
                       paramOf(item.param),
                       {}};
        if (!item.kind) {
            if (const auto* by = item.attribute(attribute::EnabledBy);
                by && by->bytes.size() == sizeof(GUID))
                for (auto& p : params_)
                    if (p.id == by->asGuid()) node.param = &p;
        }
        for (const auto* c : item.children) {
            if (c->kind && *c->kind == control_kind::ListEntry) {
                PanelParam* p = paramOf(item.param);
                const auto* v = c->attribute(attribute::Value);
                if (p && v && v->bytes.size() == 4 &&
                    std::none_of(p->entries.begin(), p->entries.end(), [&](const ListEntry& e) {
                        return e.label == testhost::utf8(c->label);
                    }))
                    p->entries.push_back({testhost::utf8(c->label), v->asInt()});
                continue;
            }
            node.children.push_back(self(self, *c));
        }
        return node;
    };
    for (const auto* item : component.layoutItems) tree_.push_back(build(build, *item));
}

std::vector<const PanelParam*> Panel::matches(const std::string& name, bool ignoreCase) const {
    std::vector<const PanelParam*> out;
    auto add = [&](const PanelParam& p) {
        if (std::find(out.begin(), out.end(), &p) == out.end()) out.push_back(&p);
    };
    // A key names one parameter, even where two share it (the two "RGB Shift"): then the
    // group path has to say which.
    for (const auto& p : params_)
        if (!p.key.empty() && same(p.key, name, ignoreCase)) add(p);
    if (out.size() == 1) return out;
    out.clear();
    for (const auto& p : params_) {
        if (same(p.label, name, ignoreCase)) add(p);
        // A group's label names its switch.
        if (p.groupSwitch && !p.groups.empty() && same(p.groups.back(), name, ignoreCase)) add(p);
        // Any trailing part of "group/.../label".
        const std::string full = p.path();
        for (size_t at = full.find('/'); at != std::string::npos; at = full.find('/', at + 1))
            if (same(full.substr(at + 1), name, ignoreCase) || same(full, name, ignoreCase)) add(p);
    }
    return out;
}

const PanelParam* Panel::find(const std::string& name) const {
    for (bool ignoreCase : {false, true}) {
        auto found = matches(name, ignoreCase);
        if (found.size() == 1) return found.front();
        if (found.size() > 1) return nullptr;
    }
    return nullptr;
}

const PanelParam& Panel::resolve(const std::string& name) const {
    for (bool ignoreCase : {false, true}) {
        auto found = matches(name, ignoreCase);
        if (found.size() == 1) return *found.front();
        if (found.size() > 1) {
            std::string list;
            for (const auto* p : found) list += (list.empty() ? "\"" : ", \"") + p->path() + "\"";
            throw ToolError("parameter \"" + name + "\" is ambiguous: use one of " + list);
        }
    }
    std::string list;
    for (const auto& p : params_) list += (list.empty() ? "\"" : ", \"") + p.path() + "\"";
    throw ToolError("unknown parameter \"" + name + "\"; " +
                    (list.empty() ? "this effect has no parameters" : "this effect has " + list));
}

}  // namespace corvane
