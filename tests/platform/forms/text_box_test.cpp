#include "platform/forms/text_box.h"

#include <gtest/gtest.h>

#include "platform/forms/check_box.h"
#include "platform/forms/form.h"

namespace tavrello::forms {
namespace {

class EditorForm : public Form {
 public:
  EditorForm()
      : Form("formConnection"),
        text(add<TextBox>("TextConnectionString")),
        check(add<CheckBox>("CheckAutofilter")) {
    bind(text, Event::Change, "TextConnectionString_Change", [this] { ++textChanges; });
    bind(check, Event::Click, "CheckAutofilter_Click", [this] { ++checkClicks; });
  }
  TextBox& text;
  CheckBox& check;
  int textChanges = 0;
  int checkClicks = 0;
};

TEST(TextBox, SettingTheTextRaisesChangeOnlyWhenItChanges) {
  EditorForm form;
  form.text.Text("DSN=a");
  form.text.Text("DSN=a");
  form.text.Text("");
  EXPECT_EQ(form.textChanges, 2);
}

TEST(TextBox, TypingRaisesChangeAndTakesTheFocus) {
  EditorForm form;
  form.text.userSetText("D");
  EXPECT_EQ(form.text.Text(), "D");
  EXPECT_EQ(form.textChanges, 1);
  EXPECT_EQ(form.ActiveControl(), &form.text);
}

TEST(TextBox, TypingIntoADisabledOrLockedBoxChangesNothing) {
  EditorForm form;
  form.text.Enabled(false);
  form.text.userSetText("x");
  form.text.Enabled(true);
  form.text.Locked(true);
  form.text.userSetText("y");
  EXPECT_EQ(form.text.Text(), "");
  EXPECT_EQ(form.textChanges, 0);
  form.text.Text("by code");
  EXPECT_EQ(form.textChanges, 1) << "code may change a locked box";
}

TEST(CheckBox, SettingValueRaisesClickWhenItChanges) {
  EditorForm form;
  form.check.Value(1);
  form.check.Value(1);
  form.check.Value(0);
  EXPECT_EQ(form.checkClicks, 2);
  EXPECT_THROW(form.check.Value(3), Failure);
}

TEST(CheckBox, AUserClickTogglesAndRaisesClickUnlessDisabled) {
  EditorForm form;
  form.check.userClick();
  EXPECT_EQ(form.check.Value(), 1);
  form.check.userClick();
  EXPECT_EQ(form.check.Value(), 0);
  EXPECT_EQ(form.checkClicks, 2);
  form.check.Enabled(false);
  form.check.userClick();
  EXPECT_EQ(form.check.Value(), 0);
  EXPECT_EQ(form.checkClicks, 2);
}

}  // namespace
}  // namespace tavrello::forms
