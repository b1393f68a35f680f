// Plain-text pictures of what the module registered on the test host: parameter records and
// panel trees, one line each, so a test can compare a whole catalogue against its expected
// text and a failure shows the line that differs.
#pragma once

#include <map>
#include <string>

#include "host/guid.h"
#include "testhost/records.h"

namespace record_dump {

// Short names for ids a test expects to see, e.g. the parameter ids of the catalogue.
using Names = std::map<std::string, std::string>;  // GUID text -> name

// Short names for the module's ids, so that dumps read "param::Mix".
Names corvaneIdNames();
// `P <id name> 'label' key='..' Type flag=N [attributes]`
std::string param(const testhost::ParamRecord& p, const Names& names);
// The tree under `item`, children indented by two spaces.
std::string layout(const testhost::LayoutRecord& item, const Names& names, int depth = 0);
// Every top-level item of the component, in order.
std::string panel(const testhost::ComponentRecord& component, const Names& names);

}  // namespace record_dump
