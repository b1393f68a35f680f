// The host's console log: formats every line as the host's printf does and keeps it.
#pragma once

#include <cstdarg>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "host/interfaces.h"
#include "testhost/object.h"

namespace testhost {

struct LogLine {
    int32_t level = 0;
    std::string text;  // UTF-8
};

class Log final : public IACFHostLog, public Counted {
public:
    Log(Census& census, Journal& journal, std::string name);

    std::vector<LogLine> lines() const;   // from Print
    std::vector<LogLine> alerts() const;  // from PrintAlert
    void clear();
    // The lines from Print so far, handed over and forgotten at once, so a caller that
    // drains the log while renders run loses none.
    std::vector<LogLine> take();

    int32_t QueryInterface(const GUID& iid, void** out) override;
    TESTHOST_COUNTING
    TESTHOST_RESERVED(3)
    TESTHOST_RESERVED(4)
    TESTHOST_RESERVED(5)
    TESTHOST_RESERVED(6)
    // A null format, or one vsnprintf rejects: 0x80000003.
    int32_t Print(int32_t level, const char* format, va_list args) override;
    // The UTF-16 format is turned into UTF-8 and then formatted like Print's.
    int32_t PrintAlert(int32_t level, const char16_t* format, va_list args) override;

private:
    int32_t keep(const char* op, std::vector<LogLine>& into, int32_t level,
                 const std::string& format, va_list args);

    mutable std::mutex mutex_;
    std::vector<LogLine> lines_;
    std::vector<LogLine> alerts_;
};

}  // namespace testhost
