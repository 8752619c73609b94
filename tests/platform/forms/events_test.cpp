#include "platform/forms/events.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "platform/forms/combo_box.h"
#include "platform/forms/command_button.h"
#include "platform/forms/form.h"
#include "platform/forms/text_box.h"

namespace tavrello::forms {
namespace {

struct Caught {
  std::int32_t number;
  std::string description;
  std::string form;
  std::string procedure;
};

// Catches what reaches the unhandled-failure hook during one test.
class HookRecorder {
 public:
  HookRecorder() {
    previous_ = setUnhandledFailureHandler([this](const Failure& f, const std::string& form, const std::string& proc) {
      caught.push_back({f.number(), f.description(), form, proc});
    });
  }
  ~HookRecorder() { setUnhandledFailureHandler(previous_); }
  std::vector<Caught> caught;

 private:
  UnhandledFailureHandler previous_;
};

class QueryForm : public Form {
 public:
  QueryForm()
      : Form("formSQLNew"),
        combo(add<ComboBox>("ComboConnections")),
        text(add<TextBox>("TextSQL")),
        close(add<CommandButton>("CommandClose")) {
    combo.AddItem("Sample");
  }
  ComboBox& combo;
  TextBox& text;
  CommandButton& close;
};

TEST(UnhandledFailures, AFailureEscapingAHandlerOfAUserActionGoesToTheHook) {
  HookRecorder hook;
  QueryForm form;
  form.bind(form.close, Event::Click, "CommandClose_Click", [] { throw Failure(91, "Object not set"); });
  EXPECT_NO_THROW(form.close.userClick());
  ASSERT_EQ(hook.caught.size(), 1U);
  EXPECT_EQ(hook.caught[0].number, 91);
  EXPECT_EQ(hook.caught[0].description, "Object not set");
  EXPECT_EQ(hook.caught[0].form, "formSQLNew");
  EXPECT_EQ(hook.caught[0].procedure, "CommandClose_Click");
}

TEST(UnhandledFailures, AFailureOfAnEventRaisedByCodePassesToThatCode) {
  HookRecorder hook;
  QueryForm form;
  form.bind(form.combo, Event::Click, "ComboConnections_Click", [] { throw Failure(5, "inner"); });
  EXPECT_THROW(form.combo.ListIndex(0), Failure);
  EXPECT_TRUE(hook.caught.empty());
}

TEST(UnhandledFailures, ANestedEventFailsIntoTheHandlerThatRaisedIt) {
  HookRecorder hook;
  QueryForm form;
  form.bind(form.combo, Event::Click, "ComboConnections_Click", [] { throw Failure(5, "inner"); });
  std::string seenByOuter;
  form.bind(form.close, Event::Click, "CommandClose_Click", [&] {
    try {
      form.combo.ListIndex(0);
    } catch (const Failure& failure) {
      seenByOuter = failure.description();
    }
  });
  form.close.userClick();
  EXPECT_EQ(seenByOuter, "inner");
  EXPECT_TRUE(hook.caught.empty());
}

TEST(UnhandledFailures, ANestedFailureNobodyCatchesIsReportedUnderTheOutermostHandler) {
  HookRecorder hook;
  QueryForm form;
  form.bind(form.combo, Event::Click, "ComboConnections_Click", [] { throw Failure(5, "inner"); });
  form.bind(form.close, Event::Click, "CommandClose_Click", [&] { form.combo.ListIndex(0); });
  form.close.userClick();
  ASSERT_EQ(hook.caught.size(), 1U);
  EXPECT_EQ(hook.caught[0].procedure, "CommandClose_Click");
}

TEST(UnhandledFailures, AUserActionInsideAHandlerIsOutermostAgain) {
  // A modal window opened by a handler: the user's clicks in it are dispatched
  // from its own event loop, not returned to the handler that opened it.
  HookRecorder hook;
  QueryForm form;
  form.bind(form.combo, Event::Click, "ComboConnections_Click", [] { throw Failure(5, "inner"); });
  bool outerFinished = false;
  form.bind(form.close, Event::Click, "CommandClose_Click", [&] {
    form.combo.userSelect(0);
    outerFinished = true;
  });
  form.close.userClick();
  EXPECT_TRUE(outerFinished);
  ASSERT_EQ(hook.caught.size(), 1U);
  EXPECT_EQ(hook.caught[0].procedure, "ComboConnections_Click");
}

TEST(UnhandledFailures, OtherExceptionsBecomeInternalErrors) {
  HookRecorder hook;
  QueryForm form;
  form.bind(form.close, Event::Click, "CommandClose_Click", [] { throw std::runtime_error("boom"); });
  form.close.userClick();
  ASSERT_EQ(hook.caught.size(), 1U);
  EXPECT_EQ(hook.caught[0].number, 51);
  EXPECT_EQ(hook.caught[0].description, "boom");
}

TEST(UnhandledFailures, AFailingHookDoesNotEndTheProcess) {
  const auto previous = setUnhandledFailureHandler([](const Failure&, const std::string&, const std::string&) {
    throw std::runtime_error("hook broke");
  });
  QueryForm form;
  form.bind(form.close, Event::Click, "CommandClose_Click", [] { throw Failure(5, "x"); });
  EXPECT_NO_THROW(form.close.userClick());
  setUnhandledFailureHandler(previous);
}

TEST(UnhandledFailures, AFailureOfTheUserActionItselfIsReportedWithoutAProcedure) {
  HookRecorder hook;
  QueryForm form;
  form.combo.userSelect(7);
  ASSERT_EQ(hook.caught.size(), 1U);
  EXPECT_EQ(hook.caught[0].number, 380);
  EXPECT_EQ(hook.caught[0].form, "formSQLNew");
  EXPECT_EQ(hook.caught[0].procedure, "");
}

TEST(Focus, ClickingAButtonTakesTheFocusFromTheTextBoxBeforeTheClick) {
  QueryForm form;
  std::vector<std::string> order;
  form.bind(form.text, Event::GotFocus, "TextSQL_GotFocus", [&] { order.push_back("TextSQL_GotFocus"); });
  form.bind(form.text, Event::LostFocus, "TextSQL_LostFocus", [&] { order.push_back("TextSQL_LostFocus"); });
  form.bind(form.close, Event::GotFocus, "CommandClose_GotFocus", [&] { order.push_back("CommandClose_GotFocus"); });
  form.bind(form.close, Event::Click, "CommandClose_Click", [&] { order.push_back("CommandClose_Click"); });
  form.text.SetFocus();
  form.text.SetFocus();
  form.close.userClick();
  EXPECT_EQ(order, (std::vector<std::string>{"TextSQL_GotFocus", "TextSQL_LostFocus", "CommandClose_GotFocus",
                                             "CommandClose_Click"}));
  EXPECT_EQ(form.ActiveControl(), &form.close);
}

TEST(Focus, AFailedLostFocusHandlerIsReportedAndTheClickStillRuns) {
  HookRecorder hook;
  QueryForm form;
  bool clicked = false;
  form.bind(form.text, Event::LostFocus, "TextSQL_LostFocus", [] { throw Failure(1004, "x"); });
  form.bind(form.close, Event::Click, "CommandClose_Click", [&] { clicked = true; });
  form.text.SetFocus();
  form.close.userClick();
  EXPECT_TRUE(clicked);
  ASSERT_EQ(hook.caught.size(), 1U);
  EXPECT_EQ(hook.caught[0].procedure, "TextSQL_LostFocus");
}

TEST(Focus, ADisabledButtonIgnoresTheUser) {
  QueryForm form;
  bool clicked = false;
  form.bind(form.close, Event::Click, "CommandClose_Click", [&] { clicked = true; });
  form.close.Enabled(false);
  form.close.userClick();
  EXPECT_FALSE(clicked);
  EXPECT_EQ(form.ActiveControl(), nullptr);
}

}  // namespace
}  // namespace tavrello::forms
