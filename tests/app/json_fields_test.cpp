// Checks the trace's JSON writer: commas and nesting, escaped strings, and float digits.
#include <gtest/gtest.h>

#include <cstdlib>
#include <limits>
#include <string>

#include "app/json_fields.h"
#include "support/run_game.h"

namespace {

TEST(JsonFields, CommasGoOnlyBetweenMembersAtEveryLevel) {
    EXPECT_EQ("{}", JsonObject().Text());
    EXPECT_EQ("[]", JsonArray().Text());

    JsonArray pairs;
    pairs.Array(JsonArray().Number(1).Number(2)).Array(JsonArray()).Array(JsonArray().Number(3));
    JsonObject inner;
    inner.Bool("on", true).Bool("off", false);
    JsonObject record;
    record.Int("pass", -3).Object("empty", JsonObject()).Object("inner", inner).Array("pairs", pairs);
    record.String("music", nullptr);
    EXPECT_EQ(R"({"pass":-3,"empty":{},"inner":{"on":true,"off":false},"pairs":[[1,2],[],[3]],"music":null})",
              record.Text());
    EXPECT_EQ(record.Text(), "{" + record.Members() + "}");
}

TEST(JsonFields, FileNamesWithQuotesBackslashesAndControlCharactersStayValid) {
    // Sound file names are keys of the "sounds" object; the music's file name is a value.
    JsonObject sounds;
    sounds.Int("say \"hi\".wav", 1).Int("dir\\boom.wav", 5).Int("tab\there\nnew\x01.wav", 1);
    JsonObject record;
    record.String("music", "a \"b\" \\c\r.mid").Object("sounds", sounds);
    EXPECT_EQ(R"({"music":"a \"b\" \\c\r.mid","sounds":{"say \"hi\".wav":1,"dir\\boom.wav":5,)"
              R"("tab\there\nnew\u0001.wav":1}})",
              record.Text());

    gamerun::TraceRecord parsed;
    ASSERT_TRUE(gamerun::ParseTraceLine(record.Text(), parsed));
    EXPECT_EQ(R"("a \"b\" \\c\r.mid")", parsed.Raw("music"));
    gamerun::TraceRecord parsedSounds;
    ASSERT_TRUE(gamerun::ParseTraceLine(parsed.Raw("sounds"), parsedSounds));
    EXPECT_EQ(3u, parsedSounds.fields.size());
}

TEST(JsonFields, FloatsComeBackExactlyAndWholeOnesPrintPlain) {
    for (float value : {0.1f, 1.0f / 3.0f, -2.5f, 16777215.0f, 1e-7f, 3457.123f, 0.0f}) {
        JsonArray array;
        array.Number(value);
        const std::string text = array.Text();
        EXPECT_EQ(value, std::strtof(text.c_str() + 1, nullptr)) << text;
    }
    EXPECT_EQ("[640,-35,0.100000001]", JsonArray().Number(640).Number(-35).Number(0.1f).Text());
    // Not a number and infinity have no JSON spelling.
    JsonObject odd;
    odd.Number("x", std::numeric_limits<float>::quiet_NaN()).Number("y", -std::numeric_limits<float>::infinity());
    EXPECT_EQ(R"({"x":null,"y":null})", odd.Text());
}

}  // namespace
