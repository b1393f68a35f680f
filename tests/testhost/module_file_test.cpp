#include "testhost/module_file.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

using testhost::ModuleFile;

TEST(ModuleFile, OpensAFileAndFindsItsSymbols) {
    ModuleFile file(TESTHOST_FIXTURE_MODULE);
    ASSERT_TRUE(file.isOpen()) << file.error();
    auto answer = file.symbol<int (*)(int)>("fixture_answer");
    ASSERT_NE(answer, nullptr) << file.error();
    EXPECT_EQ(answer(20), 41);
    EXPECT_EQ(file.rawSymbol("no_such_symbol"), nullptr);
    EXPECT_FALSE(file.error().empty());
}

TEST(ModuleFile, AMissingFileSaysWhy) {
    ModuleFile file("/nonexistent/AVX2Corvane.avx");
    EXPECT_FALSE(file);
    EXPECT_NE(file.error().find("AVX2Corvane.avx"), std::string::npos);
    EXPECT_EQ(file.rawSymbol("fixture_answer"), nullptr);
}

TEST(ModuleFile, MovingHandsOverTheOneHandle) {
    ModuleFile a(TESTHOST_FIXTURE_MODULE);
    ModuleFile b(std::move(a));
    EXPECT_FALSE(a.isOpen());
    ASSERT_TRUE(b.isOpen());
    ModuleFile c;
    c = std::move(b);
    EXPECT_FALSE(b.isOpen());
    EXPECT_NE(c.rawSymbol("fixture_answer"), nullptr);
    c.close();
    EXPECT_FALSE(c.isOpen());
}

}  // namespace
