#include "import/grid_limits.h"

#include <gtest/gtest.h>

#include "grid_limit_messages.h"
#include "platform/system/failure.h"

namespace tavrello {
namespace {

using testing::kNoColumnsLeft;
using testing::kNoRowsLeft;

std::string refusal(double version, std::int32_t records, std::int32_t firstRow, std::int32_t fields,
                    std::int32_t column) {
  return GridLimitRefusal(version, {records, firstRow, fields, column}).value_or("fits");
}

TEST(HostVersionNumber, ReadsTheLeadingDecimalNumber) {
  EXPECT_EQ(HostVersionNumber("11.0"), 11);
  EXPECT_EQ(HostVersionNumber("12.0"), 12);
  EXPECT_EQ(HostVersionNumber("14.0"), 14);
  EXPECT_DOUBLE_EQ(HostVersionNumber("11.5 beta"), 11.5);
  EXPECT_EQ(HostVersionNumber("16"), 16);
  EXPECT_EQ(HostVersionNumber("beta"), 0);
  EXPECT_EQ(HostVersionNumber(""), 0);
}

TEST(GridLimitRefusal, HostsBelow12HaveTheSmallGrid) {
  EXPECT_EQ(refusal(11, 65535, 2, 3, 1), "fits") << "headings in row 1, data in rows 2 to 65536";
  EXPECT_EQ(refusal(11, 65536, 2, 3, 1), "Not able to import the data as there are more than 65535 records");
  EXPECT_EQ(refusal(11, 65535, 3, 3, 1), kNoRowsLeft) << "from A2 with headings";
  EXPECT_EQ(refusal(11, 65535, 1, 3, 1), "fits") << "from A1 without headings";
  EXPECT_EQ(refusal(11, 10, 65527, 3, 1), "fits") << "the last data row is 65536";
  EXPECT_EQ(refusal(11, 10, 65528, 3, 1), kNoRowsLeft);
  EXPECT_EQ(refusal(11, 10, 1, 256, 1), "fits");
  EXPECT_EQ(refusal(11, 10, 1, 256, 2), kNoColumnsLeft);
  EXPECT_EQ(refusal(11, 10, 1, 257, 1), "Not able to import the data as there are more than 256 fields");
  EXPECT_EQ(refusal(11.9, 65536, 1, 1, 1), "Not able to import the data as there are more than 65535 records");
}

TEST(GridLimitRefusal, Version12ExactlyHasTheLargeGrid) {
  EXPECT_EQ(refusal(12, 1048575, 2, 1, 1), "fits");
  EXPECT_EQ(refusal(12, 1048576, 2, 1, 1), "Not able to import the data as there are more than 1048575 records");
  EXPECT_EQ(refusal(12, 1048575, 3, 1, 1), kNoRowsLeft);
  EXPECT_EQ(refusal(12, 1, 1, 16384, 1), "fits");
  EXPECT_EQ(refusal(12, 1, 1, 16384, 2), kNoColumnsLeft);
  EXPECT_EQ(refusal(12, 1, 1, 16385, 1), "Not able to import the data as there are more than 16384 fields");
  EXPECT_EQ(refusal(12, 65536, 1, 257, 1), "fits") << "the small grid's limits are not this host's";
}

TEST(GridLimitRefusal, AboveVersion12NothingIsChecked) {
  EXPECT_EQ(refusal(14, 2000000, 1048576, 20000, 16384), "fits");
  EXPECT_EQ(refusal(12.5, 2000000, 1, 1, 1), "fits") << "12 exactly, not 12 and above";
}

TEST(GridLimitRefusal, TheChecksRunInTheirOrder) {
  EXPECT_EQ(refusal(11, 70000, 65000, 300, 200), "Not able to import the data as there are more than 65535 records");
  EXPECT_EQ(refusal(11, 100, 65500, 300, 200), kNoRowsLeft);
  EXPECT_EQ(refusal(11, 100, 1, 300, 200), "Not able to import the data as there are more than 256 fields");
}

TEST(GridLimitRefusal, ASumBeyond32BitsIsAnOverflow) {
  try {
    GridLimitRefusal(12, {1000, INT32_MAX, 1, 1});
    ADD_FAILURE() << "no overflow";
  } catch (const Failure& failure) {
    EXPECT_EQ(failure.number(), 6);
  }
}

}  // namespace
}  // namespace tavrello
