// The module file loaded and registered on a test host the way the editor does it: the plug-in
// record, the five component records, and effect instances made through the class factories.
#pragma once

#include <string>
#include <vector>

#include "host/host_ref.h"
#include "testhost/host.h"
#include "testhost/module_file.h"

namespace corvane {

class ModuleSession {
public:
    // Loads and registers the module at `path`; raises ToolError when any step fails.
    explicit ModuleSession(const std::string& path);
    ~ModuleSession();
    ModuleSession(const ModuleSession&) = delete;
    ModuleSession& operator=(const ModuleSession&) = delete;

    // The module path given on the command line, else $CORVANE_MODULE, else the module built
    // beside this program.
    static std::string resolvePath(const std::string& option);

    testhost::Host& host() { return host_; }
    const std::string& path() const { return path_; }
    const testhost::PluginRecord& plugin() const { return *plugin_; }
    const std::vector<testhost::ComponentRecord*>& components() const { return components_; }
    // "Version 1 beta 7, built ..." from the banner the module prints at first contact.
    const std::string& moduleVersion() const { return version_; }

    // By display name ("Corvane generic"), short name (generic, alpha, matte, fieldswap, scope)
    // or registration index; raises ToolError listing the effects otherwise.
    const testhost::ComponentRecord& component(const std::string& name) const;
    static std::string shortName(const testhost::ComponentRecord& component);

    // A new instance of the component, with the module's status in the error when it fails.
    HostRef<IAVXEffect> createEffect(const testhost::ComponentRecord& component);

private:
    // Declared first so that it goes last: the module is unloaded before its host.
    testhost::Host host_;
    std::string path_;
    testhost::ModuleFile file_;
    const testhost::PluginRecord* plugin_ = nullptr;
    std::vector<testhost::ComponentRecord*> components_;
    std::string version_;
};

}  // namespace corvane
