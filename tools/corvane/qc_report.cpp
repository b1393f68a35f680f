#include "qc_report.h"

#include <cstdio>
#include <fstream>
#include <nlohmann/json.hpp>
#include <regex>

#include "output_path.h"
#include "tool_error.h"

namespace corvane {

namespace {

const std::string kMarker = "Corvane::QCLog::***WARNING***::";

std::optional<Extreme> find(const std::string& text, const std::regex& re, bool* bang) {
    std::smatch m;
    if (!std::regex_search(text, m, re)) return std::nullopt;
    if (bang) *bang = m[3].matched;
    return Extreme{std::stoi(m[1].str()), std::stod(m[2].str())};
}

nlohmann::json extremeJson(const std::optional<Extreme>& e) {
    if (!e) return nullptr;
    return {{"code", e->code}, {"value", e->value}};
}

}  // namespace

std::string QcFinding::checks() const {
    std::string out;
    auto add = [&](bool on, const char* name) {
        if (on) out += (out.empty() ? "" : "|") + std::string(name);
    };
    add(ymin.has_value(), "low-luma");
    add(veryLow, "very-low-luma");
    add(ymax.has_value(), "high-luma");
    add(veryHigh, "very-high-luma");
    add(cmin.has_value(), "low-chroma");
    add(cmax.has_value(), "high-chroma");
    return out;
}

void QcFinding::merge(const QcFinding& o) {
    auto lower = [](std::optional<Extreme>& a, const std::optional<Extreme>& b) {
        if (b && (!a || b->value < a->value)) a = b;
    };
    auto higher = [](std::optional<Extreme>& a, const std::optional<Extreme>& b) {
        if (b && (!a || b->value > a->value)) a = b;
    };
    lower(ymin, o.ymin);
    higher(ymax, o.ymax);
    lower(cmin, o.cmin);
    higher(cmax, o.cmax);
    veryLow |= o.veryLow;
    veryHigh |= o.veryHigh;
}

std::optional<QcFinding> parseWarning(const std::string& line) {
    if (line.find(kMarker) == std::string::npos) return std::nullopt;
    static const std::string number = R"(([-+0-9.eEinfa]+))";
    static const std::regex yminRe(R"(: (-?\d+)\()" + number + R"(\)=Ymin :(!!:)?)");
    static const std::regex ymaxRe(R"(: Ymax=(-?\d+)\()" + number + R"(\) :(!!:)?)");
    static const std::regex cminRe(R"(: (-?\d+)\()" + number + R"(\)=Cmin :)");
    static const std::regex cmaxRe(R"(: Cmax=(-?\d+)\()" + number + R"(\) :)");
    static const std::regex frameRe(R"(:frame (-?\d+))");
    std::smatch m;
    if (!std::regex_search(line, m, frameRe)) return std::nullopt;
    QcFinding f;
    f.frame = std::stoll(m[1].str());
    f.ymin = find(line, yminRe, &f.veryLow);
    f.ymax = find(line, ymaxRe, &f.veryHigh);
    f.cmin = find(line, cminRe, nullptr);
    f.cmax = find(line, cmaxRe, nullptr);
    return f;
}

void QcReport::add(const QcFinding& f) {
    auto [at, fresh] = findings_.emplace(f.frame, f);
    if (!fresh) at->second.merge(f);
}

void QcReport::writeCsv(std::ostream& out,
                        const std::function<std::string(int64_t)>& timecode) const {
    out << "frame,timecode,ymin_code,ymin,ymax_code,ymax,cmin_code,cmin,cmax_code,cmax,checks\n";
    auto cell = [&](const std::optional<Extreme>& e) {
        if (e)
            out << e->code << ',' << e->value;
        else
            out << ',';
    };
    for (const auto& [frame, f] : findings_) {
        out << frame << ',' << timecode(frame) << ',';
        cell(f.ymin), out << ',';
        cell(f.ymax), out << ',';
        cell(f.cmin), out << ',';
        cell(f.cmax), out << ',' << f.checks() << '\n';
    }
}

void QcReport::writeJson(std::ostream& out, int64_t checked,
                         const std::function<std::string(int64_t)>& timecode) const {
    nlohmann::json rows = nlohmann::json::array();
    for (const auto& [frame, f] : findings_)
        rows.push_back({{"frame", frame},
                        {"timecode", timecode(frame)},
                        {"ymin", extremeJson(f.ymin)},
                        {"ymax", extremeJson(f.ymax)},
                        {"cmin", extremeJson(f.cmin)},
                        {"cmax", extremeJson(f.cmax)},
                        {"checks", f.checks()}});
    nlohmann::json doc{
        {"frames_checked", checked}, {"frames_out_of_range", findings_.size()}, {"rows", rows}};
    out << doc.dump(2) << '\n';
}

void QcReport::printSummary(std::ostream& out, int64_t checked) const {
    out << "frames checked: " << checked << "\n";
    out << "frames out of range: " << findings_.size() << "\n";
    if (findings_.empty()) return;
    QcFinding worst;
    for (const auto& [frame, f] : findings_) worst.merge(f);
    auto show = [&](const char* name, const std::optional<Extreme>& e) {
        if (e) out << "worst " << name << ": " << e->value << " (code " << e->code << ")\n";
    };
    show("Ymin", worst.ymin);
    show("Ymax", worst.ymax);
    show("Cmin", worst.cmin);
    show("Cmax", worst.cmax);
    out << "first offending frame: " << findings_.begin()->first << "\n";
    out << "last offending frame: " << findings_.rbegin()->first << "\n";
}

ReportFile::ReportFile(const std::string& path)
    : path_(path), temporary_(temporaryPathFor(path, false)), out_(temporary_) {
    if (!out_) throw ToolError(path + ": cannot write");
}

ReportFile::~ReportFile() {
    if (committed_) return;
    out_.close();
    std::remove(temporary_.c_str());
}

void ReportFile::commit() {
    out_.close();
    if (!out_) throw ToolError(path_ + ": cannot write");
    if (std::rename(temporary_.c_str(), path_.c_str()) != 0)
        throw ToolError(path_ + ": cannot put the finished file in place");
    committed_ = true;
}

}  // namespace corvane
