// A component's parameter panel as the module registered it, read back from the test host's
// records: every parameter with its key, label, group path, type, range, default and list
// entries, the control tree, and the rules that find a parameter by the name a person types.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "host/guid.h"
#include "testhost/records.h"
#include "testhost/value.h"

namespace corvane {

enum class ParamType { Bool, Int, Double, Triple, Other };

struct ListEntry {
    std::string label;
    int32_t value = 0;
};

struct PanelParam {
    GUID id{};
    std::string key;                  // may be empty
    std::string label;                // the parameter's own label, else the label of its control
    std::vector<std::string> groups;  // labels of the enclosing groups, outermost first
    ParamType type = ParamType::Other;
    GUID typeId{};
    std::optional<testhost::Value> min, max, defaultValue;
    std::vector<ListEntry> entries;  // choice lists only
    bool groupSwitch = false;        // the on/off of a group, shown by the group itself

    // "Output correction/Saturation"
    std::string path() const;
};

// One control of the tree, for `list`.
struct PanelNode {
    std::string label;
    std::string name;
    std::string kind;  // "group", "check box", "choice list", "slider", ...
    const PanelParam* param = nullptr;
    std::vector<PanelNode> children;  // list entries are not nodes: they are the param's entries
};

class Panel {
public:
    // `records` finds parameter records that no control shows (group switches).
    Panel(const testhost::ComponentRecord& component, const testhost::Records& records);
    Panel(const Panel&) = delete;
    Panel& operator=(const Panel&) = delete;

    const std::vector<PanelParam>& params() const { return params_; }
    const std::vector<PanelNode>& tree() const { return tree_; }

    // By key, by label, by group/label (any trailing part of the group path); exact first,
    // then ignoring case. Raises ToolError naming the candidates when the name is unknown or
    // fits more than one parameter.
    const PanelParam& resolve(const std::string& name) const;
    // Null when nothing fits or the name is ambiguous.
    const PanelParam* find(const std::string& name) const;

private:
    std::vector<const PanelParam*> matches(const std::string& name, bool ignoreCase) const;

    std::vector<PanelParam> params_;
    std::vector<PanelNode> tree_;
};

const char* typeName(ParamType type);

}  // namespace corvane
