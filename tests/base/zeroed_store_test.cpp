#include "base/zeroed_store.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace tessivo {
namespace {

struct Record {
  uint64_t position;
  uint32_t count;
  char type;
};

// Spans many pages, so that a clear that forgot some of them would show.
constexpr size_t kRecords = 100000;

size_t NonZeroRecords(const ZeroedStore<Record>& store) {
  size_t found = 0;
  for (size_t i = 0; i < kRecords; ++i) {
    const Record& r = store[i];
    if (r.position != 0 || r.count != 0 || r.type != 0) ++found;
  }
  return found;
}

TEST(ZeroedStoreTest, ReadsZeroWhenNewAndAfterEveryClear) {
  ZeroedStore<Record> store;
  ASSERT_TRUE(store.Allocate(kRecords));
  EXPECT_EQ(NonZeroRecords(store), 0u);
  for (int round = 0; round < 2; ++round) {
    for (size_t i = 0; i < kRecords; i += 97) store[i] = {i + 1, 7, 'P'};
    store[kRecords - 1].type = 'B';
    EXPECT_EQ(NonZeroRecords(store), kRecords / 97 + 2);
    store.Clear();
    EXPECT_EQ(NonZeroRecords(store), 0u) << "round " << round;
  }
  // Written again after a clear, it keeps what it is given.
  store[5].count = 42;
  EXPECT_EQ(store[5].count, 42u);
}

TEST(ZeroedStoreTest, AllocatingAgainGivesAFreshZeroedStore) {
  ZeroedStore<Record> store;
  ASSERT_TRUE(store.Allocate(kRecords));
  store[123].position = 9;
  ASSERT_TRUE(store.Allocate(kRecords));
  EXPECT_EQ(NonZeroRecords(store), 0u);
}

TEST(ZeroedStoreTest, EmptyAndImpossibleStores) {
  ZeroedStore<Record> empty;
  EXPECT_TRUE(empty.Allocate(0));
  EXPECT_EQ(empty.get(), nullptr);
  empty.Clear();
  ZeroedStore<uint8_t> huge;
  EXPECT_FALSE(huge.Allocate(SIZE_MAX / 2));
  EXPECT_EQ(huge.get(), nullptr);
}

}  // namespace
}  // namespace tessivo
