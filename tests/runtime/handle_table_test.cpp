#include <vector>

#include "runtime/handle_table.h"
#include "tests/runtime/runtime_fixture.h"

namespace {

using HandleTableTest = RuntimeTest;

const void* H(intptr_t n) { return reinterpret_cast<const void*>(n); }
void* V(intptr_t n) { return reinterpret_cast<void*>(n); }

// Steps applied in order to one table, each followed by what every handle 1..20 then maps to
// (0 = nothing): set (value > 0) or remove (value 0).
TEST_F(HandleTableTest, KeepsOneValuePerHandleThroughGrowthAndRemoval) {
  struct Step {
    intptr_t handle, value;
  };
  const Step steps[] = {{1, 10}, {2, 20}, {1, 11}, {3, 30}, {2, 0}, {2, 0}, {4, 40}, {1, 0}, {2, 22}};
  HandleTable table{};
  std::vector<intptr_t> expected(21);
  for (const Step& s : steps) {
    if (s.value) EXPECT_TRUE(HandleTableSet(&table, H(s.handle), V(s.value)));
    else HandleTableRemove(&table, H(s.handle));
    expected[size_t(s.handle)] = s.value;
    for (intptr_t h = 1; h <= 20; ++h)
      EXPECT_EQ(HandleTableGet(&table, H(h)), V(expected[size_t(h)])) << "handle " << h << " after " << s.handle;
  }
  EXPECT_EQ(table.count, 3);
  // Past the first block of entries, every handle keeps its own value.
  for (intptr_t h = 1; h <= 20; ++h) ASSERT_TRUE(HandleTableSet(&table, H(h), V(100 + h)));
  EXPECT_EQ(table.count, 20);
  for (intptr_t h = 20; h >= 1; h -= 3) HandleTableRemove(&table, H(h));
  for (intptr_t h = 1; h <= 20; ++h)
    EXPECT_EQ(HandleTableGet(&table, H(h)), (20 - h) % 3 == 0 ? nullptr : V(100 + h)) << "handle " << h;
  // No handle is no entry.
  EXPECT_FALSE(HandleTableSet(&table, nullptr, V(1)));
  EXPECT_EQ(HandleTableGet(&table, nullptr), nullptr);
  HandleTableClear(&table);
  EXPECT_EQ(HandleTableGet(&table, H(1)), nullptr);
  EXPECT_EQ(table.entries, nullptr);
  EXPECT_TRUE(HandleTableSet(&table, H(5), V(5))) << "a cleared table takes entries again";
  HandleTableClear(&table);
}

}  // namespace
