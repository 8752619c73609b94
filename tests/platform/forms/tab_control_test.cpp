#include "platform/forms/tab_control.h"

#include <gtest/gtest.h>

#include "platform/forms/form.h"

namespace tavrello::forms {
namespace {

class TabForm : public Form {
 public:
  TabForm() : Form("formSQLNew"), tabs(add<TabControl>("SSTab1")) {
    tabs.Tabs(2);
    tabs.TabCaption(0, "Query View");
    tabs.TabCaption(1, "Resultset View");
    bind(tabs, Event::Click, "SSTab1_Click", [this] { ++clicks; });
  }
  TabControl& tabs;
  int clicks = 0;
};

TEST(TabControl, ChangingThePageRaisesClickByCodeAndByTheUser) {
  TabForm form;
  EXPECT_EQ(form.tabs.Tab(), 0);
  form.tabs.Tab(1);
  form.tabs.Tab(1);
  form.tabs.userSelectTab(0);
  EXPECT_EQ(form.clicks, 2);
  EXPECT_EQ(form.tabs.TabCaption(1), "Resultset View");
  EXPECT_THROW(form.tabs.Tab(2), Failure);
}

TEST(TabControl, RemovingTheCurrentPageMovesToTheLastOneLeft) {
  TabForm form;
  form.tabs.Tab(1);
  form.tabs.Tabs(1);
  EXPECT_EQ(form.tabs.Tab(), 0);
  EXPECT_EQ(form.tabs.TabCaption(0), "Query View");
  form.tabs.Tabs(3);
  EXPECT_EQ(form.tabs.TabCaption(2), "Tab 2");
}

}  // namespace
}  // namespace tavrello::forms
