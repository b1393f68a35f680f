// corvane list: the plug-in record and every component with its pins, formats and panel.
#include <cstdio>
#include <iostream>
#include <nlohmann/json.hpp>

#include "commands/commands.h"
#include "module_session.h"
#include "panel.h"
#include "param_values.h"
#include "testhost/text.h"

namespace corvane {

namespace {

nlohmann::json valueJson(const PanelParam& p, const std::optional<testhost::Value>& v) {
    if (!v) return nullptr;
    switch (p.type) {
        case ParamType::Bool:
            return v->asInt() == 1;
        case ParamType::Int:
            return v->asInt();
        case ParamType::Double:
            return v->asDouble();
        case ParamType::Triple:
            return v->asTriple();
        case ParamType::Other:
            break;
    }
    return v->text8();
}

nlohmann::json paramJson(const PanelParam& p) {
    nlohmann::json j{{"key", p.key},
                     {"label", p.label},
                     {"path", p.path()},
                     {"type", typeName(p.type)},
                     {"default", valueJson(p, p.defaultValue)},
                     {"min", valueJson(p, p.min)},
                     {"max", valueJson(p, p.max)},
                     {"group_switch", p.groupSwitch}};
    nlohmann::json entries = nlohmann::json::array();
    for (const auto& e : p.entries) entries.push_back({{"label", e.label}, {"value", e.value}});
    j["entries"] = entries;
    return j;
}

nlohmann::json nodeJson(const PanelNode& n) {
    nlohmann::json j{{"label", n.label}, {"name", n.name}, {"kind", n.kind}};
    if (n.param) j["parameter"] = n.param->path();
    nlohmann::json children = nlohmann::json::array();
    for (const auto& c : n.children) children.push_back(nodeJson(c));
    j["children"] = children;
    return j;
}

std::string pins(const std::vector<testhost::Pin>& list) {
    std::string out;
    for (const auto& p : list) out += (out.empty() ? "" : ", ") + testhost::utf8(p.name);
    return out;
}

std::string formats(const testhost::ComponentRecord& c) {
    std::string out;
    for (const auto& f : c.formats)
        out += (out.empty() ? "" : ", ") + std::string(layoutName(static_cast<int32_t>(f.layout))) +
               " " + depthName(static_cast<int32_t>(f.depth));
    return out;
}

void printParam(const PanelParam& p, const std::string& indent) {
    std::cout << indent << "  " << (p.key.empty() ? "(no key)" : p.key) << "  " << typeName(p.type);
    if (p.min && p.max) std::cout << ", " << valueText(p, *p.min) << " to " << valueText(p, *p.max);
    if (p.defaultValue) std::cout << ", default " << valueText(p, *p.defaultValue);
    std::cout << "\n";
    if (!p.entries.empty()) {
        std::cout << indent << "  entries:";
        for (const auto& e : p.entries) std::cout << " \"" << e.label << "\"=" << e.value;
        std::cout << "\n";
    }
}

void printNode(const PanelNode& n, const std::string& indent) {
    std::cout << indent << "\"" << n.label << "\" (" << n.kind << ")";
    if (n.kind == "group" && n.param) std::cout << ", switched by \"" << n.param->label << "\"";
    std::cout << "\n";
    if (n.param) printParam(*n.param, indent);
    for (const auto& c : n.children) printNode(c, indent + "    ");
}

}  // namespace

int listCommand(const ListOptions& o) {
    ModuleSession session(ModuleSession::resolvePath(o.common.module));
    const auto& plugin = session.plugin();
    std::string description;
    if (const auto* a = plugin.attribute(attribute::PluginDescription))
        description = testhost::utf8(a->text);
    if (o.json) {
        nlohmann::json doc{{"module", session.path()},
                           {"plugin",
                            {{"name", testhost::utf8(plugin.moduleName)},
                             {"vendor", testhost::utf8(plugin.vendorName)},
                             {"description", description}}}};
        nlohmann::json components = nlohmann::json::array();
        for (size_t i = 0; i < session.components().size(); ++i) {
            const auto& c = *session.components()[i];
            Panel panel(c, session.host().records());
            nlohmann::json params = nlohmann::json::array(), tree = nlohmann::json::array(),
                           fmts = nlohmann::json::array();
            for (const auto& p : panel.params()) params.push_back(paramJson(p));
            for (const auto& n : panel.tree()) tree.push_back(nodeJson(n));
            for (const auto& f : c.formats)
                fmts.push_back({{"layout", layoutName(static_cast<int32_t>(f.layout))},
                                {"depth", depthName(static_cast<int32_t>(f.depth))}});
            nlohmann::json in = nlohmann::json::array(), out = nlohmann::json::array();
            for (const auto& p : c.inputPins) in.push_back(testhost::utf8(p.name));
            for (const auto& p : c.outputPins) out.push_back(testhost::utf8(p.name));
            components.push_back({{"index", i},
                                  {"name", testhost::utf8(c.displayName)},
                                  {"short_name", ModuleSession::shortName(c)},
                                  {"inputs", in},
                                  {"outputs", out},
                                  {"formats", fmts},
                                  {"parameters", params},
                                  {"panel", tree}});
        }
        doc["components"] = components;
        std::cout << doc.dump(2) << "\n";
        return 0;
    }
    std::cout << testhost::utf8(plugin.moduleName) << " by " << testhost::utf8(plugin.vendorName)
              << ": " << description << "\n";
    for (size_t i = 0; i < session.components().size(); ++i) {
        const auto& c = *session.components()[i];
        std::cout << "\n"
                  << i << "  " << testhost::utf8(c.displayName) << " ("
                  << ModuleSession::shortName(c) << ")\n";
        std::cout << "   inputs: " << pins(c.inputPins) << "; output: " << pins(c.outputPins)
                  << "\n";
        std::cout << "   formats: " << formats(c) << "\n";
        Panel panel(c, session.host().records());
        if (panel.tree().empty()) std::cout << "   no parameters\n";
        for (const auto& n : panel.tree()) printNode(n, "   ");
    }
    return 0;
}

}  // namespace corvane
