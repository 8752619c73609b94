#include "gui/file_filter.h"

#include <gtest/gtest.h>

namespace tavrello::gui {
namespace {

TEST(FileFilter, TheStatementFilterBecomesQtsFormWithAllFilesMatchingEverything) {
  EXPECT_EQ(qtFileFilter("SQL files (*.sql)|*.sql|All files (*.*)|*.*").toStdString(),
            "SQL files (*.sql);;All files (*)");
}

TEST(FileFilter, DescriptionsWithoutPatternsGetThemAndListsAreSpaced) {
  EXPECT_EQ(qtFileFilter("Workbooks|*.xlsx;*.xlsm").toStdString(), "Workbooks (*.xlsx *.xlsm)");
}

TEST(FileFilter, AnEmptyOrUnpairedFilterGivesNoEntries) {
  EXPECT_EQ(qtFileFilter("").toStdString(), "");
  EXPECT_EQ(qtFileFilter("Only a description").toStdString(), "");
}

}  // namespace
}  // namespace tavrello::gui
