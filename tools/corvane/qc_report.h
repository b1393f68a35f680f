// The scope's warning lines turned into rows: which frame, the luma and chroma extremes with
// their 8-bit codes, and which checks fired; and the summary of a clip.
#pragma once

#include <cstdint>
#include <functional>
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
    void writeCsv(const std::string& path,
                  const std::function<std::string(int64_t)>& timecode) const;
    void writeJson(const std::string& path, int64_t checked,
                   const std::function<std::string(int64_t)>& timecode) const;
    void printSummary(std::ostream& out, int64_t checked) const;

private:
    std::map<int64_t, QcFinding> findings_;
};

}  // namespace corvane
