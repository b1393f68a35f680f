#include "record_dump.h"

#include <cstdio>

#include "host/ids.h"
#include "pinned_ids.h"
#include "testhost/text.h"

namespace record_dump {

using testhost::utf8;

namespace {

// The module's ids by their short names, the host's own as the test host names them.
std::string name(const GUID& id, const Names& names) {
    if (const auto it = names.find(testhost::guidText(id)); it != names.end()) return it->second;
    if (id == control_kind::CheckBox) return "checkbox";
    if (id == control_kind::ChoiceList) return "list";
    if (id == control_kind::ListEntry) return "entry";
    if (id == control_kind::Slider) return "slider";
    if (id == control_kind::SliderSecondKind) return "slider2";
    return testhost::idName(id);
}

std::string number(double v) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%g", v);
    return buffer;
}

std::string valueText(const testhost::Attribute& a, const Names& names) {
    if (a.type == value_type::Double) return number(a.asDouble());
    if (a.type == value_type::Int || a.type == value_type::Bool) return std::to_string(a.asInt());
    if (a.type == value_type::Triple) {
        const auto t = a.asTriple();
        std::string out(1, '(');  // appended: prepending to a temporary trips -Wrestrict
        out += number(t[0]) + "," + number(t[1]) + "," + number(t[2]) + ")";
        return out;
    }
    if (a.type == value_type::Guid) return name(a.asGuid(), names);
    if (a.type == value_type::String) return testhost::quoted(a.text);
    return "?";
}

std::string attributes(const std::vector<testhost::Attribute>& list, const Names& names) {
    std::string out;
    for (const auto& a : list) {
        out += ' ';
        out += name(a.id, names) + ":" + name(a.type, names) + "=" + valueText(a, names);
    }
    return out;
}

}  // namespace

Names corvaneIdNames() {
    Names names;
    for (const auto& pin : pinned::kIds)
        names[testhost::guidText(pin.id)] = pinned::shortName(pin.name);
    return names;
}

std::string param(const testhost::ParamRecord& p, const Names& names) {
    return "P " + name(p.id, names) + " '" + utf8(p.label) + "' key='" + utf8(p.key) + "' " +
           (p.type ? name(*p.type, names) : "no-type") + " flag=" + std::to_string(p.flag) +
           (p.a5 || p.a6 || p.a7 ? " extra!" : "") + attributes(p.attributes, names);
}

std::string layout(const testhost::LayoutRecord& item, const Names& names, int depth) {
    std::string out(static_cast<size_t>(depth) * 2, ' ');
    out += (item.kind ? name(*item.kind, names) : "group") + " " + name(item.id, names) + " '" +
           utf8(item.label) + "' name='" + utf8(item.name) + "'";
    if (item.param) out += " shows " + name(item.param->id, names);
    out += attributes(item.attributes, names) + "\n";
    for (const auto* child : item.children) out += layout(*child, names, depth + 1);
    return out;
}

std::string panel(const testhost::ComponentRecord& component, const Names& names) {
    std::string out;
    for (const auto* item : component.layoutItems) out += layout(*item, names);
    return out;
}

}  // namespace record_dump
