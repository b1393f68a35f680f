#include "param_values.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "tool_error.h"

namespace corvane {

namespace {

std::string number(double v) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%g", v);
    return buffer;
}

std::string trimmed(const std::string& s) {
    size_t a = 0, b = s.size();
    while (a < b && std::isspace(static_cast<unsigned char>(s[a]))) ++a;
    while (b > a && std::isspace(static_cast<unsigned char>(s[b - 1]))) --b;
    return s.substr(a, b - a);
}

std::string lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

bool parseNumber(const std::string& text, double& out) {
    const std::string t = trimmed(text);
    if (t.empty()) return false;
    char* end = nullptr;
    out = std::strtod(t.c_str(), &end);
    return end == t.c_str() + t.size() && std::isfinite(out);
}

std::vector<std::string> split(const std::string& text, const std::string& separators) {
    std::vector<std::string> out(1);
    for (char c : text) {
        if (separators.find(c) != std::string::npos)
            out.emplace_back();
        else
            out.back() += c;
    }
    return out;
}

void checkRange(const PanelParam& p, const char* part, double v, double lo, double hi) {
    if (v >= lo && v <= hi) return;
    throw ToolError(p.label + part + " must be between " + number(lo) + " and " + number(hi) +
                    ", got " + number(v));
}

}  // namespace

testhost::Value parseValue(const PanelParam& p, const std::string& raw) {
    const std::string text = trimmed(raw);
    switch (p.type) {
        case ParamType::Bool: {
            const std::string t = lower(text);
            if (t == "on" || t == "1" || t == "true" || t == "yes")
                return testhost::Value::ofBool(1);
            if (t == "off" || t == "0" || t == "false" || t == "no")
                return testhost::Value::ofBool(0);
            throw ToolError(p.label + " is on or off, got \"" + text + "\"");
        }
        case ParamType::Int: {
            for (bool ignoreCase : {false, true})
                for (const auto& e : p.entries)
                    if (ignoreCase ? lower(e.label) == lower(text) : e.label == text)
                        return testhost::Value::ofInt(e.value);
            double v = 0;
            const bool numeric =
                parseNumber(text, v) && v == std::floor(v) && std::fabs(v) <= 2147483647.0;
            if (numeric && p.entries.empty())
                return testhost::Value::ofInt(static_cast<int32_t>(v));
            if (numeric)
                for (const auto& e : p.entries)
                    if (e.value == v) return testhost::Value::ofInt(e.value);
            if (p.entries.empty())
                throw ToolError(p.label + " is a whole number, got \"" + text + "\"");
            std::string list;
            for (const auto& e : p.entries) list += (list.empty() ? "\"" : ", \"") + e.label + "\"";
            throw ToolError(p.label + " must be one of " + list + ", got \"" + text + "\"");
        }
        case ParamType::Double: {
            double v = 0;
            if (!parseNumber(text, v))
                throw ToolError(p.label + " is a number, got \"" + text + "\"");
            if (p.min && p.max) checkRange(p, "", v, p.min->asDouble(), p.max->asDouble());
            return testhost::Value::ofDouble(v);
        }
        case ParamType::Triple: {
            const auto parts = split(text, ",");
            std::array<double, 3> v{};
            if (parts.size() != 3 || !parseNumber(parts[0], v[0]) || !parseNumber(parts[1], v[1]) ||
                !parseNumber(parts[2], v[2]))
                throw ToolError(p.label + " is three numbers r,g,b, got \"" + text + "\"");
            if (p.min && p.max) {
                const auto lo = p.min->asTriple(), hi = p.max->asTriple();
                const char* names[3] = {" red", " green", " blue"};
                for (int i = 0; i < 3; ++i) checkRange(p, names[i], v[i], lo[i], hi[i]);
            }
            return testhost::Value::ofTriple(v);
        }
        case ParamType::Other:
            break;
    }
    throw ToolError(p.label + " cannot be set from the command line");
}

ParamSetting parseSetting(const Panel& panel, const std::string& assignment) {
    const auto eq = assignment.find('=');
    if (eq == std::string::npos || eq == 0)
        throw ToolError("--set takes NAME=VALUE, got \"" + assignment + "\"");
    ParamSetting s;
    s.param = &panel.resolve(trimmed(assignment.substr(0, eq)));
    const std::string value = assignment.substr(eq + 1);
    if (value.find('@') == std::string::npos) {
        s.value = parseValue(*s.param, value);
        return s;
    }
    const std::string separators = s.param->type == ParamType::Triple ? ";" : ",;";
    for (const auto& key : split(value, separators)) {
        const auto at = key.rfind('@');
        double frame = 0;
        if (at == std::string::npos || !parseNumber(key.substr(at + 1), frame) || frame < 0)
            throw ToolError("a key is VALUE@FRAME with a frame of 0 or more, got \"" +
                            trimmed(key) + "\" in " + s.param->label);
        s.keys.emplace_back(frame, parseValue(*s.param, key.substr(0, at)));
    }
    return s;
}

void applySetting(const ParamSetting& s, testhost::ParamStore& store) {
    if (s.keys.empty()) {
        store.set(s.param->id, s.value);
        return;
    }
    for (const auto& [frame, value] : s.keys) store.setKey(s.param->id, frame, value);
}

std::string valueText(const PanelParam& p, const testhost::Value& v) {
    switch (p.type) {
        case ParamType::Bool:
            return v.asInt() == 1 ? "on" : "off";
        case ParamType::Int:
            for (const auto& e : p.entries)
                if (e.value == v.asInt()) return e.label;
            return std::to_string(v.asInt());
        case ParamType::Double:
            return number(v.asDouble());
        case ParamType::Triple: {
            const auto t = v.asTriple();
            return number(t[0]) + "," + number(t[1]) + "," + number(t[2]);
        }
        case ParamType::Other:
            break;
    }
    return v.text8();
}

}  // namespace corvane
