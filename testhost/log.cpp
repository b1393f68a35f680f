#include "testhost/log.h"

#include <cstdio>
#include <optional>
#include <utility>

#include "host/ids.h"
#include "host/status.h"
#include "testhost/journal.h"
#include "testhost/text.h"

namespace testhost {

namespace {

std::optional<std::string> format(const char* text, va_list args) {
    va_list measure;
    va_copy(measure, args);
    const int n = std::vsnprintf(nullptr, 0, text, measure);
    va_end(measure);
    if (n < 0) return std::nullopt;
    std::string out(static_cast<size_t>(n), '\0');
    va_list write;
    va_copy(write, args);
    std::vsnprintf(out.data(), out.size() + 1, text, write);
    va_end(write);
    return out;
}

// Control characters would make a journal detail unreadable.
std::string escaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\n')
            out += "\\n";
        else if (c == '\t')
            out += "\\t";
        else
            out += c;
    }
    return out;
}

}  // namespace

Log::Log(Census& census, Journal& journal, std::string name)
    : Counted(census, journal, "log", std::move(name)) {}

std::vector<LogLine> Log::lines() const {
    std::lock_guard lock(mutex_);
    return lines_;
}

std::vector<LogLine> Log::alerts() const {
    std::lock_guard lock(mutex_);
    return alerts_;
}

std::vector<LogLine> Log::take() {
    std::lock_guard lock(mutex_);
    return std::exchange(lines_, {});
}

void Log::clear() {
    std::lock_guard lock(mutex_);
    lines_.clear();
    alerts_.clear();
}

int32_t Log::QueryInterface(const GUID& iid, void** out) {
    return answer(iid, out, {{iid::IACFHostLog, static_cast<IACFHostLog*>(this)}});
}

int32_t Log::keep(const char* op, std::vector<LogLine>& into, int32_t level,
                  const std::string& text, va_list args) {
    const std::optional<std::string> line = format(text.c_str(), args);
    const Verdict v = journal().enter(
        op, describe(), std::to_string(level) + " " + (line ? escaped(*line) : "(bad format)"),
        Result::Status);
    if (v.failed()) return v.status;
    if (!line) return status::kInvalidArgument;
    std::lock_guard lock(mutex_);
    into.push_back({level, *line});
    return status::kOk;
}

int32_t Log::Print(int32_t level, const char* format, va_list args) {
    if (!format) {
        journal().enter("Print", describe(), std::to_string(level) + " null", Result::Status);
        return status::kInvalidArgument;
    }
    return keep("Print", lines_, level, format, args);
}

int32_t Log::PrintAlert(int32_t level, const char16_t* format, va_list args) {
    if (!format) {
        journal().enter("PrintAlert", describe(), std::to_string(level) + " null", Result::Status);
        return status::kInvalidArgument;
    }
    return keep("PrintAlert", alerts_, level, utf8(format), args);
}

}  // namespace testhost
