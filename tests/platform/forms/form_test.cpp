#include "platform/forms/form.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/forms/command_button.h"
#include "platform/forms/scripted_dialog_service.h"
#include "platform/forms/static_controls.h"
#include "platform/forms/text_box.h"

namespace tavrello::forms {
namespace {

class LifecycleForm : public Form {
 public:
  LifecycleForm()
      : Form("formLifecycle"), title(add<Label>("lblTitle")), ok(add<CommandButton>("CommandButtonOK")) {
    bind(Event::Load, "Form_Load", [this] { log.push_back("Load"); });
    bind(Event::Resize, "Form_Resize", [this] { log.push_back("Resize"); });
    bind(Event::Unload, "Form_Unload", [this] { log.push_back("Unload"); });
    bind(ok, Event::Click, "CommandButtonOK_Click", [this] { Unload(); });
  }
  Label& title;
  CommandButton& ok;
  std::vector<std::string> log;
};

class FormTest : public ::testing::Test {
 protected:
  std::shared_ptr<ScriptedDialogService> service = std::make_shared<ScriptedDialogService>();
  ScopedDialogService scoped{service};
};

TEST_F(FormTest, LoadRunsTheLoadHandlerOnce) {
  LifecycleForm form;
  form.Load();
  form.Load();
  EXPECT_TRUE(form.Loaded());
  EXPECT_FALSE(form.Visible());
  EXPECT_EQ(form.log, (std::vector<std::string>{"Load"}));
}

TEST_F(FormTest, ShowLoadsShowsAndResizesTheFirstTimeOnly) {
  LifecycleForm form;
  form.Show();
  form.Show();
  EXPECT_TRUE(form.Visible());
  EXPECT_EQ(form.log, (std::vector<std::string>{"Load", "Resize"}));
  EXPECT_EQ(service->modelessForms(), (std::vector<std::string>{"formLifecycle", "formLifecycle"}));
}

TEST_F(FormTest, ChangingTheSizeOfALoadedFormRaisesResize) {
  LifecycleForm form;
  form.Width(9000);
  EXPECT_TRUE(form.log.empty()) << "not loaded yet";
  form.Load();
  form.Height(7000);
  form.Height(7000);
  form.userResize(9000, 8000);
  EXPECT_EQ(form.log, (std::vector<std::string>{"Load", "Resize", "Resize"}));
  EXPECT_EQ(form.Width(), 9000);
  EXPECT_EQ(form.Height(), 8000);
  EXPECT_THROW(form.Width(-1), Failure);
}

TEST_F(FormTest, HideKeepsTheFormLoadedAndShowingAgainDoesNotResize) {
  LifecycleForm form;
  form.Show();
  form.Hide();
  EXPECT_TRUE(form.Loaded());
  EXPECT_FALSE(form.Visible());
  form.Show();
  EXPECT_EQ(form.log, (std::vector<std::string>{"Load", "Resize"}));
}

TEST_F(FormTest, UnloadRunsTheUnloadHandlerAndAReloadStartsAfresh) {
  LifecycleForm form;
  form.Show();
  form.Unload();
  EXPECT_FALSE(form.Loaded());
  EXPECT_FALSE(form.Visible());
  form.Unload();
  form.Show();
  EXPECT_EQ(form.log, (std::vector<std::string>{"Load", "Resize", "Unload", "Load", "Resize"}));
}

TEST_F(FormTest, TheCloseBoxUnloadsEvenWhenTheUnloadHandlerFails) {
  auto previous = setUnhandledFailureHandler([](const Failure&, const std::string&, const std::string&) {});
  LifecycleForm form;
  form.bind(Event::Unload, "Form_Unload", [] { throw Failure(91, "x"); });
  form.Show();
  form.userClose();
  EXPECT_FALSE(form.Loaded());
  setUnhandledFailureHandler(previous);
}

TEST_F(FormTest, AnUnloadHandlerFailingUnderCodeKeepsTheFormLoaded) {
  LifecycleForm form;
  form.bind(Event::Unload, "Form_Unload", [] { throw Failure(91, "x"); });
  form.Show();
  EXPECT_THROW(form.Unload(), Failure);
  EXPECT_TRUE(form.Loaded());
}

TEST_F(FormTest, ShowingAVisibleFormModallyFails) {
  LifecycleForm form;
  form.Show();
  try {
    form.Show(ShowMode::Modal);
    FAIL() << "no failure";
  } catch (const Failure& failure) {
    EXPECT_EQ(failure.number(), 400);
  }
}

TEST_F(FormTest, ObserversHearEveryChangeUntilTheirSubscriptionEnds) {
  LifecycleForm form;
  std::vector<FormChange> heard;
  auto subscription = form.observe([&](FormChange change) { heard.push_back(change); });
  form.Caption("Tavrello");
  form.Caption("Tavrello");
  form.Show();
  form.Refresh();
  form.Repaint();
  form.Unload();
  subscription.reset();
  form.Caption("other");
  EXPECT_EQ(heard, (std::vector<FormChange>{FormChange::Caption, FormChange::Visible, FormChange::Refresh,
                                            FormChange::Repaint, FormChange::Unloaded}));
}

TEST_F(FormTest, ControlObserversAreToldWhichPropertyChanged) {
  LifecycleForm form;
  std::vector<Property> heard;
  auto subscription = form.title.observe([&](Property property) { heard.push_back(property); });
  form.title.Caption("  Tavrello");
  form.title.Move(120, 120, 3000, 300);
  form.title.Enabled(false);
  form.title.Visible(false);
  form.title.Visible(false);
  EXPECT_EQ(heard, (std::vector<Property>{Property::Caption, Property::Geometry, Property::Enabled,
                                          Property::Visible}));
}

TEST_F(FormTest, ControlsAreFoundByNameIgnoringCaseAndInCreationOrder) {
  LifecycleForm form;
  EXPECT_EQ(&form.Controls("lbltitle"), &form.title);
  EXPECT_EQ(&form.controlAs<CommandButton>("CommandButtonOK"), &form.ok);
  EXPECT_THROW(form.controlAs<TextBox>("CommandButtonOK"), Failure);
  EXPECT_THROW(form.Controls("Missing"), Failure);
  ASSERT_EQ(form.Controls().size(), 2U);
  EXPECT_EQ(form.Controls()[0]->Name(), "lblTitle");
}

TEST_F(FormTest, TwoControlsCannotShareAName) {
  struct Twice : Form {
    Twice() : Form("formTwice") {
      add<Label>("Label1");
      add<Label>("label1");
    }
  };
  EXPECT_THROW(Twice{}, Failure);
}

TEST_F(FormTest, NewControlsTakeTheFormsFont) {
  struct Fonts : Form {
    Fonts() : Form("formFonts") {
      Font(FontInfo{"Tahoma", 9, false, false});
      text = &add<TextBox>("TextSQL");
    }
    TextBox* text = nullptr;
  };
  Fonts form;
  EXPECT_EQ(form.text->Font().Size, 9.0F);
}

}  // namespace
}  // namespace tavrello::forms
