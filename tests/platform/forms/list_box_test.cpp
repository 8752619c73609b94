#include "platform/forms/list_box.h"

#include <gtest/gtest.h>

#include "platform/forms/form.h"

namespace tavrello::forms {
namespace {

class ListForm : public Form {
 public:
  ListForm() : Form("formProfiles"), list(add<ListBox>("ListConnections")) {
    bind(list, Event::Change, "ListConnections_Change", [this] { ++changes; });
  }
  ListBox& list;
  int changes = 0;
};

// The working list of the connection manager: name, hidden connection string.
void addConnection(ListBox& list, const std::string& name, const std::string& connection) {
  list.AddItem(name);
  list.List(list.ListCount() - 1, 1, connection);
}

TEST(ListBox, RowsKeepAHiddenSecondColumnAsTheValue) {
  ListForm form;
  form.list.BoundColumn(2);
  form.list.ColumnCount(2);
  form.list.ColumnWidths("68;0");
  addConnection(form.list, "Sample", "Provider=SQLite;Data Source=a.db");
  addConnection(form.list, "Sales", "DSN=sales");
  EXPECT_EQ(form.list.ListCount(), 2);
  EXPECT_EQ(form.list.List(1, 0), "Sales");
  EXPECT_EQ(form.list.List(1, 1), "DSN=sales");
  EXPECT_EQ(form.list.List()[0][1], "Provider=SQLite;Data Source=a.db");
  form.list.ListIndex(1);
  EXPECT_EQ(form.list.Value(), "DSN=sales");
  ASSERT_EQ(form.list.columnWidthPoints().size(), 2U);
  EXPECT_EQ(form.list.columnWidthPoints()[0], 68.0F);
  EXPECT_EQ(form.list.columnWidthPoints()[1], 0.0F);
}

TEST(ListBox, EveryChangeOfTheSelectionRaisesChange) {
  ListForm form;
  form.list.AddItem("a");
  form.list.AddItem("b");
  form.list.ListIndex(0);
  EXPECT_EQ(form.changes, 1);
  form.list.ListIndex(0);
  EXPECT_EQ(form.changes, 1) << "selecting the selected row is no change";
  form.list.Selected(1, true);
  EXPECT_EQ(form.changes, 2);
  EXPECT_TRUE(form.list.Selected(1));
  EXPECT_FALSE(form.list.Selected(0));
  form.list.Selected(0, false);
  EXPECT_EQ(form.changes, 2) << "deselecting an unselected row is no change";
  form.list.Selected(1, false);
  EXPECT_EQ(form.changes, 3);
  EXPECT_EQ(form.list.ListIndex(), -1);
  form.list.userSelect(0);
  EXPECT_EQ(form.changes, 4);
}

TEST(ListBox, RemovingTheSelectedRowLeavesNothingSelectedAndRaisesChange) {
  ListForm form;
  form.list.AddItem("a");
  form.list.AddItem("b");
  form.list.AddItem("c");
  form.list.ListIndex(2);
  form.list.RemoveItem(0);
  EXPECT_EQ(form.list.ListIndex(), 1) << "the same row stays selected";
  EXPECT_EQ(form.changes, 1);
  form.list.RemoveItem(1);
  EXPECT_EQ(form.list.ListIndex(), -1);
  EXPECT_EQ(form.changes, 2);
  form.list.ListIndex(0);
  form.list.Clear();
  EXPECT_EQ(form.changes, 4);
  EXPECT_EQ(form.list.ListCount(), 0);
}

TEST(ListBox, CellsOutsideTheTableFailWithTheArrayIndexFailure) {
  ListForm form;
  form.list.AddItem("a");
  try {
    form.list.List(1, 0, "x");
    FAIL() << "no failure";
  } catch (const Failure& failure) {
    EXPECT_EQ(failure.number(), 381);
  }
  EXPECT_THROW(form.list.List(0, ListBox::kMaxColumns), Failure);
  EXPECT_EQ(form.list.List(0, 5), "") << "a column never set reads empty";
  EXPECT_THROW(form.list.Selected(3), Failure);
  EXPECT_THROW(form.list.ListIndex(1), Failure);
}

TEST(ListBox, ColumnWidthsMustBeNumbers) {
  ListForm form;
  form.list.ColumnWidths("68 pt;;12.5");
  const auto widths = form.list.columnWidthPoints();
  ASSERT_EQ(widths.size(), 3U);
  EXPECT_EQ(widths[0], 68.0F);
  EXPECT_FALSE(widths[1].has_value());
  EXPECT_EQ(widths[2], 12.5F);
  EXPECT_THROW(form.list.ColumnWidths("wide"), Failure);
  EXPECT_THROW(form.list.ColumnCount(0), Failure);
  EXPECT_EQ(form.list.ColumnWidths(), "68 pt;;12.5");
}

}  // namespace
}  // namespace tavrello::forms
