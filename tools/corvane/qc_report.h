// The scope's warning lines turned into rows: which frame, the luma and chroma extremes with
// their 8-bit codes, and which checks fired; and the summary of a clip.
#pragma once

#include <cstdint>
#include <functional>
#include <fstream>
#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace corvane {

struct Extreme {
    int code = 0;
    double value = 0;
};

struct QcFinding {
    int64_t frame = 0;
    std::optional<Extreme> ymin, ymax, cmin, cmax;
    bool veryLow = false, veryHigh = false;

    // "low-luma|very-low-luma|high-chroma"
    std::string checks() const;
    // Folds another line of the same frame (the other field) into this one.
    void merge(const QcFinding& other);
};

// Null for a line that is not the scope's warning.
std::optional<QcFinding> parseWarning(const std::string& line);

class QcReport {
public:
    void add(const QcFinding& finding);
    const std::map<int64_t, QcFinding>& findings() const { return findings_; }

    // `timecode` names a frame for the rows.
    void writeCsv(std::ostream& out, const std::function<std::string(int64_t)>& timecode) const;
    void writeJson(std::ostream& out, int64_t checked,
                   const std::function<std::string(int64_t)>& timecode) const;
    void printSummary(std::ostream& out, int64_t checked) const;

private:
    std::map<int64_t, QcFinding> findings_;
};

// A report file, opened before the clip is read so that a path it cannot write fails at once
// rather than after the whole clip. Written under a temporary name, put in place by commit(),
// and removed if it never is.
class ReportFile {
public:
    explicit ReportFile(const std::string& path);
    ~ReportFile();
    ReportFile(const ReportFile&) = delete;
    ReportFile& operator=(const ReportFile&) = delete;

    std::ostream& stream() { return out_; }
    // Raises ToolError when a write or the rename failed.
    void commit();

private:
    std::string path_, temporary_;
    std::ofstream out_;
    bool committed_ = false;
};

}  // namespace corvane
