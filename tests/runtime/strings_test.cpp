#include <climits>
#include <cstring>
#include <string>

#include "runtime/strings.h"
#include "tests/runtime/runtime_fixture.h"

namespace {

std::string Format(int64_t value) {
  TempExpression e;
  e.Number(value);
  return e.Finish();
}

TEST_F(RuntimeTest, FormatIntegerAtTheWordBoundaries) {
  EXPECT_EQ(Format(0), "0");
  EXPECT_EQ(Format(-1), "-1");
  EXPECT_EQ(Format(INT32_MIN), "-2147483648");
  EXPECT_EQ(Format(INT32_MAX), "2147483647");
  EXPECT_EQ(Format(2147483648LL), "2147483648");
  EXPECT_EQ(Format(-2147483649LL), "-2147483649");
  EXPECT_EQ(Format(INT64_MIN), "-9223372036854775808");
  EXPECT_EQ(Format(INT64_MAX), "9223372036854775807");
  EXPECT_EQ(g_temp.pos, 0);
}

TEST_F(RuntimeTest, ReserveTempMakesRoomPastTempPos) {
  // The fresh buffer holds 16: a few bytes asked for at offset 40 must still fit.
  ASSERT_EQ(g_temp.capacity, 16);
  char* at = ReserveTemp(4, 40);
  std::memcpy(at, "abc", 4);
  EXPECT_STREQ(g_temp.text + 40, "abc");
  EXPECT_EQ(g_temp.pos, 44);
  SetTempPos(0);
}

TEST_F(RuntimeTest, ExpressionSurvivesTheBufferMovingMidway) {
  // The buffer starts with room for 16: the label forces it to grow between pieces.
  const char* before = g_temp.text;
  std::string big(40000, 'x');
  {
    TempExpression e;
    e.Text("Button ").Number(12).Text(": 0");
    e.Text(big.c_str()).Number(-7);
    std::string result = e.Finish();
    EXPECT_EQ(result, "Button 12: 0" + big + "-7");
  }
  EXPECT_NE(g_temp.text, before);
  EXPECT_EQ(g_temp.pos, 0);
}

TEST_F(RuntimeTest, ReplaceTextReadsInputsThatLieInTheBuffer) {
  TempExpression e;
  e.Text("Gamepad 2");
  // The input sits exactly where the result will be written, and the result grows the
  // buffer: the input must be copied first.
  const char* input = g_temp.text;
  std::string longRepl(30000, 'y');
  int32_t out = 0;
  SetTempPos(10);
  ReplaceText(input, "Gamepad ", longRepl.c_str(), 0, 1, out);
  EXPECT_EQ(std::string(g_temp.text + out), longRepl + "2");
  SetTempPos(0);
  AppendString("Gamepad 12");
  ReplaceText(g_temp.text, "Gamepad ", "", 0, 1, 0);
  EXPECT_EQ(std::string(g_temp.text), "12");
  EXPECT_EQ(ParseInteger(g_temp.text), 12);
}

TEST_F(RuntimeTest, ReplaceTextScanRules) {
  auto replace = [](const char* s, const char* f, const char* r, int mode = 0, int start = 1) {
    int32_t at = g_temp.pos;
    ReplaceText(s, f, r, mode, start, at);
    std::string result = g_temp.text + at;
    SetTempPos(at);
    return result;
  };
  EXPECT_EQ(replace("aaa", "aa", "b"), "ba");
  EXPECT_EQ(replace("Kein Gamepad erkannt.", "Gamepad ", ""), "Kein erkannt.");
  EXPECT_EQ(replace("abc", "", "x"), "abc");
  EXPECT_EQ(replace(nullptr, "a", "b"), "");
  EXPECT_EQ(replace("ABab", "ab", "-", 1), "--");
  EXPECT_EQ(replace("ABab", "ab", "-", 0), "AB-");
  EXPECT_EQ(replace("abab", "ab", "x", 0, 2), "abx");
  EXPECT_EQ(replace("ab", "ab", "x", 0, 99), "ab");
  char inPlace[] = "a-b-c";
  replace(inPlace, "-", "+", 2);
  EXPECT_STREQ(inPlace, "a+b+c");
  replace(inPlace, "+", nullptr, 2);  // a null replacement is empty: nothing to write
  EXPECT_STREQ(inPlace, "a+b+c");
}

TEST_F(RuntimeTest, ParseIntegerBasesSignsAndWrapAround) {
  EXPECT_EQ(ParseInteger("  -42abc"), -42);
  EXPECT_EQ(ParseInteger("\t+7"), 7);
  EXPECT_EQ(ParseInteger("$ff"), 255);
  EXPECT_EQ(ParseInteger("$FFg"), 255);
  EXPECT_EQ(ParseInteger("%1012"), 5);
  EXPECT_EQ(ParseInteger("abc"), 0);
  EXPECT_EQ(ParseInteger(nullptr), 0);
  EXPECT_EQ(ParseInteger("9223372036854775808"), INT64_MIN);
  EXPECT_EQ(ParseInteger("18446744073709551617"), 1);
}

TEST_F(RuntimeTest, StringVariables) {
  char* v = nullptr;
  EXPECT_EQ(AssignString(&v, "hello"), 6);
  EXPECT_STREQ(v, "hello");
  EXPECT_EQ(AssignString(&v, v + 1), 5);  // from its own text
  EXPECT_STREQ(v, "ello");
  EXPECT_EQ(AssignString(&v, nullptr), 1);
  EXPECT_EQ(v, nullptr);
  NewString(&v, "x");
  EXPECT_STREQ(v, "x");
  FreeString(&v);
  EXPECT_EQ(TempOffsetOf("not in buffer"), 0);
  EXPECT_EQ(*AppendString(nullptr), 0);
}

}  // namespace
