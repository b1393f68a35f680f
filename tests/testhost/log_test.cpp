// The log formats with the caller's argument list, 8-bit and UTF-16 formats alike.
#include <gtest/gtest.h>

#include <cstdarg>

#include "host/ids.h"
#include "host/status.h"
#include "testhost/host.h"

namespace {

using testhost::Host;

int32_t print(IACFHostLog* log, const char* format, ...) {
    va_list args;
    va_start(args, format);
    const int32_t s = log->Print(2, format, args);
    va_end(args);
    return s;
}

int32_t alert(IACFHostLog* log, const char16_t* format, ...) {
    va_list args;
    va_start(args, format);
    const int32_t s = log->PrintAlert(2, format, args);
    va_end(args);
    return s;
}

TEST(Log, PrintFormatsWithTheArgumentList) {
    Host host;
    IACFHostLog* log = &host.log();
    ASSERT_EQ(print(log, "%s::%d %.2f%%\n", "Corvane", -7, 12.345), status::kOk);
    // Long enough to need more than any small first buffer.
    const std::string long_(300, 'x');
    ASSERT_EQ(print(log, "[%s]", long_.c_str()), status::kOk);
    const auto lines = host.log().lines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].level, 2);
    EXPECT_EQ(lines[0].text, "Corvane::-7 12.35%\n");
    EXPECT_EQ(lines[1].text, "[" + long_ + "]");
    EXPECT_TRUE(host.log().alerts().empty());
    EXPECT_EQ(host.journal().calls()[0].detail, "2 Corvane::-7 12.35%\\n");
}

TEST(Log, PrintAlertTurnsTheWideFormatIntoUtf8) {
    Host host;
    IACFHostLog* log = &host.log();
    ASSERT_EQ(alert(log, u"\nCorvane::generic::CRITICAL - EFFECT SKIPPED\n"), status::kOk);
    ASSERT_EQ(alert(log, u"caf\u00e9 \U0001F600 %d", 3), status::kOk);
    const auto alerts = host.log().alerts();
    ASSERT_EQ(alerts.size(), 2u);
    EXPECT_EQ(alerts[0].text, "\nCorvane::generic::CRITICAL - EFFECT SKIPPED\n");
    EXPECT_EQ(alerts[1].text, "caf\xC3\xA9 \xF0\x9F\x98\x80 3");
    EXPECT_TRUE(host.log().lines().empty());
}

TEST(Log, RefusedAndInjectedLinesAreNotKept) {
    Host host;
    IACFHostLog* log = &host.log();
    va_list none{};
    EXPECT_EQ(log->Print(2, nullptr, none), status::kInvalidArgument);
    EXPECT_EQ(log->PrintAlert(2, nullptr, none), status::kInvalidArgument);
    host.inject().fail("Print", 2, status::kUnexpected);
    EXPECT_EQ(print(log, "a"), status::kUnexpected);
    EXPECT_EQ(print(log, "b"), status::kOk);
    ASSERT_EQ(host.log().lines().size(), 1u);
    EXPECT_EQ(host.log().lines()[0].text, "b");
}

}  // namespace
