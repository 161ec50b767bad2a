#include "download/ContentRange.h"

#include <gtest/gtest.h>

TEST(ContentRangeTest, ReadsFirstLastAndTotal)
{
    const ContentRange range = ContentRange::parse("bytes 40960-81919/100000");
    ASSERT_TRUE(range.isValid());
    EXPECT_EQ(range.first(), 40960);
    EXPECT_EQ(range.last(), 81919);
    EXPECT_EQ(range.length(), 40960);
    EXPECT_EQ(range.total(), 100000);

    const ContentRange unknown = ContentRange::parse(" bytes 0-9/* ");
    ASSERT_TRUE(unknown.isValid());
    EXPECT_EQ(unknown.total(), -1);
}

TEST(ContentRangeTest, RejectsWhatIsNotAByteRange)
{
    for (const char* text :
         {"", "bytes", "bytes */100000", "items 0-9/10", "bytes 9-0/10", "bytes 0-9/9",
          "bytes -1-9/10", "bytes 0-9", "bytes 0-x/10", "bytes 0-99999999999999999999/*"})
        EXPECT_FALSE(ContentRange::parse(text).isValid()) << text;
}
