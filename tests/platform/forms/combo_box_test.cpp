#include "platform/forms/combo_box.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/forms/form.h"

namespace tavrello::forms {
namespace {

class ComboForm : public Form {
 public:
  ComboForm() : Form("formCombo"), combo(add<ComboBox>("ComboConnections")) {
    bind(combo, Event::Click, "ComboConnections_Click", [this] { events.push_back("Click:" + combo.Text()); });
    bind(combo, Event::Change, "ComboConnections_Change", [this] { events.push_back("Change:" + combo.Text()); });
  }
  ComboBox& combo;
  std::vector<std::string> events;
};

TEST(ComboBox, SettingListIndexFromCodeRaisesClickWithTheItemAsText) {
  ComboForm form;
  form.combo.AddItem("Sample");
  form.combo.AddItem("Sales");
  form.combo.ListIndex(1);
  EXPECT_EQ(form.combo.Text(), "Sales");
  EXPECT_EQ(form.events, (std::vector<std::string>{"Click:Sales"}));
}

TEST(ComboBox, SelectingTheSelectedItemAgainRaisesClickAgain) {
  ComboForm form;
  form.combo.AddItem("Sample");
  form.combo.ListIndex(0);
  form.combo.ListIndex(0);
  form.combo.userSelect(0);
  EXPECT_EQ(form.events.size(), 3U);
}

TEST(ComboBox, ListIndexMinusOneEmptiesTheTextWithoutAnEvent) {
  ComboForm form;
  form.combo.AddItem("Sample");
  form.combo.ListIndex(0);
  form.events.clear();
  form.combo.ListIndex(-1);
  EXPECT_EQ(form.combo.Text(), "");
  EXPECT_TRUE(form.events.empty());
}

TEST(ComboBox, ListIndexOutsideTheItemsFailsAsAnInvalidPropertyValue) {
  ComboForm form;
  form.combo.AddItem("Sample");
  try {
    form.combo.ListIndex(1);
    FAIL() << "no failure";
  } catch (const Failure& failure) {
    EXPECT_EQ(failure.number(), 380);
  }
  EXPECT_THROW(form.combo.ListIndex(-2), Failure);
  EXPECT_EQ(form.combo.ListIndex(), -1);
}

TEST(ComboBox, TextOfAnEditableComboSelectsAMatchingItemAndRaisesChangeOnly) {
  ComboForm form;
  form.combo.Text("Combo1");
  form.combo.AddItem("Sample");
  form.combo.Text("Sample");
  EXPECT_EQ(form.combo.ListIndex(), 0);
  form.combo.Text("Please Add Connection");
  EXPECT_EQ(form.combo.ListIndex(), -1);
  EXPECT_EQ(form.events,
            (std::vector<std::string>{"Change:Combo1", "Change:Sample", "Change:Please Add Connection"}));
}

TEST(ComboBox, SettingTheSameTextRaisesNothing) {
  ComboForm form;
  form.combo.Text("Combo1");
  form.combo.Text("Combo1");
  EXPECT_EQ(form.events.size(), 1U);
}

TEST(ComboBox, TextOfAPlainListMustBeAnItem) {
  ComboForm form;
  form.combo.Style(ComboStyle::DropDownList);
  form.combo.AddItem("No Formatting");
  form.combo.AddItem("Grey and White");
  form.combo.Text("grey and white");
  EXPECT_EQ(form.combo.ListIndex(), 1);
  EXPECT_EQ(form.combo.Text(), "Grey and White");
  try {
    form.combo.Text("Purple");
    FAIL() << "no failure";
  } catch (const Failure& failure) {
    EXPECT_EQ(failure.number(), 383);
  }
}

TEST(ComboBox, ClearEmptiesItemsSelectionAndText) {
  ComboForm form;
  form.combo.AddItem("Sample");
  form.combo.ListIndex(0);
  form.combo.Clear();
  EXPECT_EQ(form.combo.ListCount(), 0);
  EXPECT_EQ(form.combo.ListIndex(), -1);
  EXPECT_EQ(form.combo.Text(), "");
}

TEST(ComboBox, InsertingAndRemovingItemsKeepsTheSelectedItemSelected) {
  ComboForm form;
  form.combo.AddItem("b");
  form.combo.AddItem("c");
  form.combo.ListIndex(1);
  form.combo.AddItem("a", 0);
  EXPECT_EQ(form.combo.ListIndex(), 2);
  form.combo.RemoveItem(0);
  EXPECT_EQ(form.combo.ListIndex(), 1);
  EXPECT_EQ(form.combo.Text(), "c");
  form.combo.RemoveItem(1);
  EXPECT_EQ(form.combo.ListIndex(), -1);
  EXPECT_EQ(form.combo.List(0), "b");
  EXPECT_THROW(form.combo.AddItem("x", 5), Failure);
  EXPECT_THROW(form.combo.RemoveItem(3), Failure);
}

TEST(ComboBox, TypingIntoAnEditableComboRaisesChangeAndTypingIntoAListIsIgnored) {
  ComboForm form;
  form.combo.userSetText("typed");
  EXPECT_EQ(form.events, (std::vector<std::string>{"Change:typed"}));
  EXPECT_EQ(form.ActiveControl(), &form.combo);
  form.combo.Style(ComboStyle::DropDownList);
  form.combo.userSetText("other");
  EXPECT_EQ(form.combo.Text(), "typed");
}

}  // namespace
}  // namespace tavrello::forms
