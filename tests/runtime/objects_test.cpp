#include <vector>

#include "runtime/objects.h"
#include "tests/runtime/runtime_fixture.h"

namespace {

struct Record {
  intptr_t handle;
  int payload;
};

ObjectList* g_list;
std::vector<ObjectId> g_freed;

void FreeRecord(ObjectId id) {
  if (!LookUpObject(g_list, id)) return;
  g_freed.push_back(id);
  ReleaseObject(g_list, id);
}

class ObjectListTest : public RuntimeTest {
 protected:
  void SetUp() override {
    RuntimeTest::SetUp();
    g_freed.clear();
    g_list = NewObjectList(sizeof(Record), 16, FreeRecord);
  }
  void TearDown() override {
    DeleteObjectList(g_list);
    RuntimeTest::TearDown();
  }
  Record* Make(ObjectId number, int payload) {
    auto* r = static_cast<Record*>(AllocateObject(g_list, number));
    r->handle = 1;
    r->payload = payload;
    return r;
  }
};

TEST_F(ObjectListTest, GrowsInOneStepAndKeepsEarlierObjects) {
  for (int i = 0; i < 16; ++i) Make(i, 1000 + i);
  Make(100, 7);
  EXPECT_EQ(g_list->capacity, 116);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(static_cast<Record*>(LookUpObject(g_list, i))->payload, 1000 + i);
  EXPECT_EQ(static_cast<Record*>(LookUpObject(g_list, 100))->payload, 7);
  EXPECT_EQ(LookUpObject(g_list, 50), nullptr);
}

TEST_F(ObjectListTest, ReusingANumberFreesTheOldObjectFirst) {
  Make(3, 1);
  EXPECT_TRUE(g_freed.empty());
  Record* again = Make(3, 2);
  ASSERT_EQ(g_freed.size(), 1u);
  EXPECT_EQ(g_freed[0], 3);
  EXPECT_EQ(again->payload, 2);
  ReleaseObject(g_list, 3);
  EXPECT_EQ(LookUpObject(g_list, 3), nullptr);
}

TEST_F(ObjectListTest, DynamicIdsAreAddressesAndEnumerateAfterStaticOnes) {
  Make(5, 5);
  auto* older = static_cast<Record*>(AllocateObject(g_list, DynamicNumber));
  older->handle = 1;
  auto* newer = static_cast<Record*>(AllocateObject(g_list, DynamicNumber));
  newer->handle = 1;
  Make(2, 2);
  auto olderId = ObjectIdOf(g_list, older), newerId = ObjectIdOf(g_list, newer);
  EXPECT_NE(olderId, newerId);
  EXPECT_EQ(olderId, reinterpret_cast<ObjectId>(older));
  EXPECT_EQ(LookUpObject(g_list, olderId), older);
  EXPECT_EQ(ObjectIdOf(g_list, LookUpObject(g_list, 5)), 5);

  FreeAllObjects(g_list);
  EXPECT_EQ(g_freed, (std::vector<ObjectId>{2, 5, olderId, newerId}));
  EXPECT_EQ(g_list->dynamicObjects, nullptr);
  EXPECT_EQ(LookUpObject(g_list, olderId), nullptr);
}

TEST_F(ObjectListTest, NumbersBeyondThirtyTwoBitsAreRefused) {
  Make(1, 1);
  // 1 << 60 records of 16 bytes would wrap the slot array's size to almost nothing.
  for (ObjectId number : {ObjectId(INT32_MAX) + 1, ObjectId(1) << 60, ObjectId(INTPTR_MAX)})
    EXPECT_EQ(AllocateObject(g_list, number), nullptr) << number;
  EXPECT_EQ(g_list->capacity, 16);
  EXPECT_TRUE(g_freed.empty());
  EXPECT_EQ(static_cast<Record*>(LookUpObject(g_list, 1))->payload, 1);
}

TEST_F(ObjectListTest, FailedDynamicRecordIsDroppedAtTeardown) {
  AllocateObject(g_list, DynamicNumber);  // first field stays 0: a failed creation
  FreeAllObjects(g_list);
  EXPECT_TRUE(g_freed.empty());
  EXPECT_EQ(g_list->dynamicObjects, nullptr);
}

TEST_F(RuntimeTest, NodeChainsLinkBothWays) {
  ObjectNode* head = nullptr;
  void* a = AddNode(&head, 8);
  void* b = AddNode(&head, 8);
  void* c = AddNode(&head, 8);
  EXPECT_EQ(PayloadOf(head), c);
  RemoveNode(&head, b);
  EXPECT_EQ(head->next, NodeOf(a));
  EXPECT_EQ(NodeOf(a)->prev, NodeOf(c));
  RemoveNode(&head, c);
  EXPECT_EQ(NodeOf(a)->prev, nullptr);
  RemoveNode(&head, a);
  EXPECT_EQ(head, nullptr);
}

TEST_F(RuntimeTest, LibraryStateIsZeroedThenInitialised) {
  auto* state = static_cast<int*>(NewLibraryState(4 * sizeof(int), [](void* s) { static_cast<int*>(s)[1] = 9; }));
  EXPECT_EQ(state[0], 0);
  EXPECT_EQ(state[1], 9);
  ObjectFree(state);
}

}  // namespace
