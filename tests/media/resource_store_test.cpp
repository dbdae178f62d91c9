#include "media/resource_store.h"

#include <gtest/gtest.h>

TEST(ResourceStore, LookupIsExactAndFirstRegistrationWins) {
  static const uint8_t first[] = {1, 2};
  static const uint8_t second[] = {9};
  ClearResources();
  EXPECT_EQ(RegisterResource("../gfx/board.png", first, 2), 1);
  EXPECT_EQ(RegisterResource("../gfx/board.png", second, 1), 0);
  EXPECT_EQ(ResourceBytes("../gfx/board.png"), first);
  EXPECT_EQ(ResourceLength("../gfx/board.png"), 2u);
  EXPECT_EQ(FindResource("../gfx/Board.png"), nullptr);
  EXPECT_EQ(ResourceLength("../gfx/Board.png"), 0u);
  ClearResources();
}

TEST(ResourceStore, NewestEntryIsFirstInTheList) {
  static const uint8_t b[] = {0};
  ClearResources();
  RegisterResource("../a", b, 1);
  RegisterResource("../b", b, 1);
  const ResourceEntry* e = FindResource("../b");
  ASSERT_TRUE(e && e->next);
  EXPECT_EQ(e->next->name, "../a");
  ClearResources();
}
