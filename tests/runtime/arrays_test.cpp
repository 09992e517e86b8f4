#include <cstring>

#include "runtime/arrays.h"
#include "tests/runtime/runtime_fixture.h"

namespace {

struct Inner {
  char* label;
  int value;
};

struct Outer {
  char* name;
  int number;
  Inner pair[2];
  Inner* inner;  // nested structured array of Inner
};

const LayoutWord kInnerLayout[] = {offsetof(Inner, label), kLayoutEnd};
const LayoutWord kOuterLayout[] = {
    offsetof(Outer, name),
    kLayoutFixedArray, 2, offsetof(Outer, pair), sizeof(Inner), reinterpret_cast<LayoutWord>(kInnerLayout),
    kLayoutArray, offsetof(Outer, inner), sizeof(Inner), 3, 7, reinterpret_cast<LayoutWord>(kInnerLayout),
    kLayoutEnd};

TEST_F(RuntimeTest, DeclareZeroFillsAndRedeclareReplaces) {
  int* numbers = nullptr;
  void** variable = reinterpret_cast<void**>(&numbers);
  ASSERT_NE(DeclareArray(sizeof(int), 3, 7, nullptr, variable), nullptr);
  EXPECT_EQ(numbers[0] | numbers[1] | numbers[2], 0);
  numbers[1] = 5;
  EXPECT_EQ(ArrayHeaderOf(numbers)->count, 3);
  DeclareArray(sizeof(int), 1, 7, nullptr, variable);
  EXPECT_EQ(numbers[0], 0);
  EXPECT_EQ(ArrayHeaderOf(numbers)->owner, variable);
  ReleaseArray(numbers);
  EXPECT_EQ(numbers, nullptr);
  EXPECT_EQ(DeclareArray(sizeof(int), -1, 7, nullptr, variable), nullptr);
  EXPECT_EQ(numbers, nullptr);
}

TEST_F(RuntimeTest, NestedArraysAreCreatedWithTheirElements) {
  Outer* outer = nullptr;
  DeclareArray(sizeof(Outer), 2, 7, kOuterLayout, reinterpret_cast<void**>(&outer));
  ASSERT_NE(outer[1].inner, nullptr);
  EXPECT_EQ(ArrayHeaderOf(outer[1].inner)->count, 3);
  EXPECT_EQ(ArrayHeaderOf(outer[1].inner)->owner, reinterpret_cast<void**>(&outer[1].inner));
  ReleaseArray(outer);
}

TEST_F(RuntimeTest, DeepCopySharesNothing) {
  Outer* source = nullptr;
  Outer* copy = nullptr;
  DeclareArray(sizeof(Outer), 2, 7, kOuterLayout, reinterpret_cast<void**>(&source));
  DeclareArray(sizeof(Outer), 3, 7, kOuterLayout, reinterpret_cast<void**>(&copy));
  AssignString(&source[0].name, "first");
  AssignString(&source[1].pair[1].label, "pair");
  AssignString(&source[1].inner[2].label, "deep");
  source[1].inner[2].value = 42;
  source[1].number = 9;
  AssignString(&copy[0].name, "old text that must be freed");

  EXPECT_EQ(CopyArrayContents(source, copy, 0), 0);  // 2 vs 3 elements
  EXPECT_STREQ(copy[0].name, "old text that must be freed");
  ASSERT_EQ(CopyArrayContents(source, copy, 1), 1);
  ASSERT_EQ(ArrayHeaderOf(copy)->count, 2);
  EXPECT_STREQ(copy[0].name, "first");
  EXPECT_NE(copy[0].name, source[0].name);
  EXPECT_STREQ(copy[1].pair[1].label, "pair");
  EXPECT_NE(copy[1].pair[1].label, source[1].pair[1].label);
  EXPECT_NE(copy[1].inner, source[1].inner);
  EXPECT_STREQ(copy[1].inner[2].label, "deep");
  EXPECT_EQ(copy[1].inner[2].value, 42);
  EXPECT_EQ(copy[1].number, 9);

  // Copying again over a filled destination frees what it held (no leak, no double free),
  // and freeing the source leaves the copy intact (AddressSanitizer checks both).
  ASSERT_EQ(CopyArrayContents(source, copy, 0), 1);
  ReleaseArray(source);
  EXPECT_STREQ(copy[1].inner[2].label, "deep");
  EXPECT_STREQ(copy[0].name, "first");
  EXPECT_EQ(CopyArrayContents(copy, copy, 0), 1);
  EXPECT_STREQ(copy[0].name, "first");
  ReleaseArray(copy);
}

TEST_F(RuntimeTest, HooksArePublished) {
  EXPECT_EQ(g_declareArrayHook, &DeclareArray);
  EXPECT_EQ(g_copyArrayHook, &CopyArrayContents);
  EXPECT_EQ(g_releaseArrayHook, &ReleaseArray);
}

}  // namespace
