#include "module_session.h"

#include <cstdlib>
#include <utility>

#include "host/ids.h"
#include "testhost/text.h"
#include "tool_error.h"

namespace corvane {

namespace {

using RegisterPluginFn = int32_t (*)(IACFUnknown*, IACFPluginRecord**);
using RegisterComponentFn = int32_t (*)(IACFUnknown*, uint32_t, IAVXComponentRecord**);
using GetClassFactoryFn = int32_t (*)(IACFUnknown*, const GUID&, const GUID&, void**);

constexpr uint32_t kComponentCount = 5;

template <class Fn>
Fn exported(testhost::ModuleFile& file, const char* name) {
    Fn fn = file.symbol<Fn>(name);
    if (!fn) throw ToolError(file.path() + " is not a Corvane module: " + file.error());
    return fn;
}

// The short names people type, by display name.
constexpr std::pair<const char*, const char*> kShortNames[] = {
    {"generic", "Corvane generic"},      {"alpha", "Corvane Alpha advanced"},
    {"matte", "Corvane Matte key"},      {"scope", "Corvane REC.709 Oscilloscope"},
    {"fieldswap", "Corvane Field Swap"},
};

}  // namespace

std::string ModuleSession::shortName(const testhost::ComponentRecord& component) {
    const std::string display = testhost::utf8(component.displayName);
    for (const auto& [shortName, name] : kShortNames)
        if (display == name) return shortName;
    return {};
}

const testhost::ComponentRecord& ModuleSession::component(const std::string& name) const {
    for (const auto* c : components_)
        if (testhost::utf8(c->displayName) == name || shortName(*c) == name) return *c;
    if (!name.empty() && name.find_first_not_of("0123456789") == std::string::npos &&
        name.size() < 4 && std::stoul(name) < components_.size())
        return *components_[std::stoul(name)];
    std::string list;
    for (size_t i = 0; i < components_.size(); ++i)
        list += (i ? ", " : "") + std::to_string(i) + " \"" +
                testhost::utf8(components_[i]->displayName) + "\" (" + shortName(*components_[i]) +
                ")";
    throw ToolError("unknown effect \"" + name + "\"; the effects are " + list);
}

std::string ModuleSession::resolvePath(const std::string& option) {
    if (!option.empty()) return option;
    if (const char* env = std::getenv("CORVANE_MODULE"); env && *env) return env;
    return CORVANE_DEFAULT_MODULE;
}

ModuleSession::ModuleSession(const std::string& path) : path_(path), file_(path) {
    if (!file_.isOpen()) throw ToolError("cannot load the module " + path + ": " + file_.error());
    auto registerPlugin = exported<RegisterPluginFn>(file_, "ACFRegisterPlugin");
    auto registerComponent = exported<RegisterComponentFn>(file_, "ACFRegisterComponent");
    exported<GetClassFactoryFn>(file_, "ACFGetClassFactory");

    {
        HostRef<IACFPluginRecord> record;
        checkModule(registerPlugin(host_.unknown(), record.put()), "registering the plug-in");
    }
    plugin_ = host_.records().plugins().back();
    for (uint32_t i = 0; i < kComponentCount; ++i) {
        HostRef<IAVXComponentRecord> record;
        checkModule(registerComponent(host_.unknown(), i, record.put()),
                    "registering component " + std::to_string(i));
        components_.push_back(host_.records().components().back());
    }
}

ModuleSession::~ModuleSession() { file_.close(); }

HostRef<IAVXEffect> ModuleSession::createEffect(const testhost::ComponentRecord& component) {
    const std::string name = testhost::utf8(component.displayName);
    auto getClassFactory = exported<GetClassFactoryFn>(file_, "ACFGetClassFactory");
    HostRef<IACFClassFactory> factory;
    checkModule(getClassFactory(host_.unknown(), component.classId, iid::IACFClassFactory,
                                factory.putVoid()),
                "no class factory for " + name);
    if (!factory) throw ToolError("no class factory for " + name + ": the module handed none");
    HostRef<IAVXEffect> effect;
    checkModule(
        factory->CreateInstance(host_.unknown(), nullptr, iid::IAVXEffect, effect.putVoid()),
        "cannot create " + name);
    if (!effect) throw ToolError("cannot create " + name + ": the module handed no instance");
    if (version_.empty()) {
        for (const auto& line : host_.log().lines()) {
            const auto at = line.text.find("Version ");
            if (at == std::string::npos) continue;
            const auto end = line.text.find("//", at);
            version_ = line.text.substr(at, end == std::string::npos ? end : end - at);
            while (!version_.empty() && version_.back() == ' ') version_.pop_back();
        }
    }
    return effect;
}

}  // namespace corvane
