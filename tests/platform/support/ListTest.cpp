#include <List.h>

#include <gtest/gtest.h>

TEST(List, InsertsRemovesAndGrowsPastBlocks)
{
	BList list(2);
	int values[7];
	for (int& value : values)
		ASSERT_TRUE(list.AddItem(&value));
	EXPECT_TRUE(list.AddItem(&values[6], 0));
	EXPECT_FALSE(list.AddItem(&values[0], 100));
	EXPECT_EQ(list.CountItems(), 8);
	EXPECT_EQ(list.ItemAt(0), &values[6]);
	EXPECT_EQ(list.IndexOf(&values[3]), 4);
	EXPECT_TRUE(list.RemoveItem(&values[6]));
	EXPECT_EQ(list.ItemAt(0), &values[0]);
	EXPECT_EQ(list.RemoveItem(6), &values[6]);
	EXPECT_EQ(list.RemoveItem(6), nullptr);
	EXPECT_EQ(list.ItemAt(-1), nullptr);
	BList copy(list);
	list.MakeEmpty();
	EXPECT_TRUE(list.IsEmpty());
	EXPECT_EQ(copy.CountItems(), 6);
	EXPECT_EQ(copy.LastItem(), &values[5]);
}
