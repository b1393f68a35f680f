// The module log before any class factory was asked for: nothing is held, so printing
// fails and calls nothing. Its own executable, so no other test has filled the slot.
#include <gtest/gtest.h>

#include "host/guard.h"
#include "host/status.h"
#include "module/module_log.h"

namespace {

TEST(ModuleLogUnfilled, PrintingRaisesNullObject) {
    EXPECT_EQ(moduleLog().acquired, 0);
    EXPECT_EQ(guarded([] { logPrint("x %d", 1); }), status::kNullObject);
    EXPECT_EQ(guarded([] { logAlert(u"x"); }), status::kNullObject);
}

}  // namespace
