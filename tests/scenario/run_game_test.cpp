// Tests of the scenario runner's own reading of the trace: the checks of every scenario
// stand on it.
#include <gtest/gtest.h>

#include "support/run_game.h"

namespace {

TEST(TraceReader, KeepsNestedValuesWhole) {
    gamerun::TraceRecord r;
    ASSERT_TRUE(gamerun::ParseTraceLine(R"({"pass":3,"s":{"a,b":1},"l1":{"h":[[1,2]]},"m":null,"n":"x\"}"})", r));
    EXPECT_EQ(3, r.Int("pass"));
    EXPECT_EQ(R"({"a,b":1})", r.Raw("s"));
    EXPECT_EQ(R"({"h":[[1,2]]})", r.Raw("l1"));
    EXPECT_EQ("null", r.Raw("m"));
    EXPECT_EQ(R"("x\"}")", r.Raw("n"));
    EXPECT_FALSE(gamerun::ParseTraceLine(R"({"pass":3,)", r));
}

}  // namespace
