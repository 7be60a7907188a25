#include "platform/headless/JsonEffectLog.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/headless/VirtualClock.h"
#include "tests/support/TempDeviceTree.h"

namespace vexa::platform {
namespace {

TEST(JsonEffectLogTest, ALineHoldsTheTimeTheEventAndTheFieldsInOrder) {
  VirtualClock clock;
  std::ostringstream out;
  JsonEffectLog log(clock, out);
  clock.Advance(1500);
  log.Record("process_started", {{"application", std::u16string(u"\\Storage Card\\Navi\\navi.exe")},
                                 {"command_line", std::string("-a \"b c\"")},
                                 {"ok", true},
                                 {"id", std::int64_t{-42}}});
  log.Record("quit", {});
  EXPECT_EQ(
      out.str(),
      "{\"t\":1500,\"event\":\"process_started\",\"application\":\"\\\\Storage Card\\\\Navi\\\\navi.exe\","
      "\"command_line\":\"-a \\\"b c\\\"\",\"ok\":true,\"id\":-42}\n"
      "{\"t\":1500,\"event\":\"quit\"}\n");
}

TEST(JsonEffectLogTest, ControlCharactersAreEscaped) {
  EXPECT_EQ(JsonEffectLog::Quote(std::string_view("a\nb\tc\rd\be\ff\x01g\x1fh\x7f")),
            "\"a\\nb\\tc\\rd\\be\\ff\\u0001g\\u001fh\\u007f\"");
  EXPECT_EQ(JsonEffectLog::Quote(std::u16string_view(u"\0x", 2)), "\"\\u0000x\"");
}

TEST(JsonEffectLogTest, TextBecomesValidUtf8WhateverItHeld) {
  // Korean and a character beyond the BMP (a surrogate pair in UTF-16) come out as UTF-8 characters.
  EXPECT_EQ(JsonEffectLog::Quote(std::u16string_view(u"\uD55C\U0001F600")),
            "\"\xED\x95\x9C\xF0\x9F\x98\x80\"");
  // Unpaired surrogates, either half, become U+FFFD.
  EXPECT_EQ(JsonEffectLog::Quote(std::u16string_view(u"a\xD800"
                                                     u"b\xDC00")),
            "\"a\xEF\xBF\xBD"
            "b\xEF\xBF\xBD\"");
  // Byte texts: valid UTF-8 stays, broken sequences become U+FFFD.
  EXPECT_EQ(JsonEffectLog::Quote(std::string_view("\xF0\x9F\x98\x80")), "\"\xF0\x9F\x98\x80\"");
  EXPECT_EQ(JsonEffectLog::Quote(std::string_view("x\xC3(\xFF")), "\"x\xEF\xBF\xBD(\xEF\xBF\xBD\"");
}

TEST(JsonEffectLogTest, EachLineIsOnDiskAsSoonAsItIsRecorded) {
  testing::TempDeviceTree tree;
  const std::filesystem::path file = tree.root() / "effects.jsonl";
  VirtualClock clock;
  JsonEffectLog log(clock, std::make_unique<std::ofstream>(file));
  log.Record("file_deleted", {{"path", std::u16string(u"\\a.txt")}});
  // Read back while the log is still open.
  std::ifstream in(file);
  std::string line;
  ASSERT_TRUE(std::getline(in, line));
  EXPECT_EQ(line, R"({"t":0,"event":"file_deleted","path":"\\a.txt"})");
}

}  // namespace
}  // namespace vexa::platform
