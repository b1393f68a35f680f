// `--set NAME=VALUE`: a value typed by a person turned into the value the parameter stores,
// checked against its range or its list, either constant or as keys over time
// ("0@0,100@49": value 0 at frame 0, 100 at frame 49, interpolated by the host).
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "panel.h"
#include "testhost/params.h"

namespace corvane {

struct ParamSetting {
    const PanelParam* param = nullptr;
    testhost::Value value;                                 // when not animated
    std::vector<std::pair<double, testhost::Value>> keys;  // (frame, value), when animated
};

// One value for the parameter; raises ToolError with the range or the entries.
testhost::Value parseValue(const PanelParam& param, const std::string& text);
// "NAME=VALUE" or "NAME=V@F,V@F" (triples: "r,g,b@F;r,g,b@F").
ParamSetting parseSetting(const Panel& panel, const std::string& assignment);
void applySetting(const ParamSetting& setting, testhost::ParamStore& store);

// A value as a person reads it back: "Overlay", "on", "12.5", "1,2,3".
std::string valueText(const PanelParam& param, const testhost::Value& value);

}  // namespace corvane
