#include "host/guard.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

using status::kNullObject;
using status::kUnexpected;

TEST(Guard, TurnsWhatTheBodyRaisesIntoOneStatus) {
    struct Case {
        const char* what;
        int32_t (*body)();
        int32_t expected;
    };
    const Case cases[] = {
        {"success passes through", [] { return check(7); }, 7},
        {"failing host status", [] { return check(static_cast<int32_t>(0x80001234u)); },
         static_cast<int32_t>(0x80001234u)},
        {"null object", [] { return require<int>(nullptr) ? 0 : 1; }, kNullObject},
        {"foreign exception", []() -> int32_t { throw std::runtime_error("x"); }, kUnexpected},
        {"allocation failure", []() -> int32_t { throw std::bad_alloc(); }, kUnexpected},
        {"non-standard throw", []() -> int32_t { throw 42; }, kUnexpected},
    };
    for (const auto& c : cases) EXPECT_EQ(guarded(c.body), c.expected) << c.what;
}

}  // namespace
