// The module log before any class factory was asked for: nothing is held, so printing
// fails and calls nothing. Its own executable, so no other test has filled the slot.
#include <gtest/gtest.h>

#include "blend/corvane_processor.h"
#include "host/guard.h"
#include "module/module_log.h"
#include "testhost/host.h"

namespace {

TEST(ModuleLogUnfilled, PrintingRaisesNullObject) {
    EXPECT_EQ(moduleLog().acquired, 0);
    EXPECT_EQ(guarded([] { logPrint("x %d", 1); }), status::kNullObject);
    EXPECT_EQ(guarded([] { logAlert(u"x"); }), status::kNullObject);
}

TEST(ModuleLogUnfilled, TheSkipModeFailsWithoutALog) {
    testhost::Host host;
    auto& frame = host.makeFrame({.width = 4, .height = 1}, "frame");
    auto& output = host.makeFrame({.width = 4, .height = 1}, "output");
    output.fill(0xEE);
    auto& track = host.makeInput("track", &frame);
    auto& context = host.makeContext("context");
    context.addInput(track);
    auto& outputs = host.makeOutput("outputs", &output);
    BlendSettings s;
    s.mode = 0x7FFFFFFE;
    s.frame = {16, 4, PixelDepth::Bits8, PixelLayout::BGRA, ValueRange::Full, ColourSpace::RGB, 0,
               4,  1};
    EXPECT_EQ(Corvane_Processor::processFrame(&context, &outputs, &s), status::kNullObject);
    for (uint8_t b : output.bytes()) EXPECT_EQ(b, 0xEE);
    EXPECT_TRUE(host.census().clean()) << host.census().report();
}

}  // namespace
