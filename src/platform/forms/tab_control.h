#pragma once

#include <string>
#include <vector>

#include "platform/forms/control.h"

namespace tavrello::forms {

// A tab control: pages with captions, one current. Controls are put on a
// page through their Container (this control's name and the page number);
// their positions are relative to the tab control. Only the current page's
// controls are shown. Changing the current page, by code or by the user,
// raises Click.
class TabControl : public Control {
 public:
  TabControl(Form* form, std::string name);

  // The number of pages; at least 1. Captions of new pages are "Tab n".
  int Tabs() const { return static_cast<int>(captions_.size()); }
  void Tabs(int count);

  // The current page, from 0. Outside the pages fails with "Invalid property
  // value".
  int Tab() const { return tab_; }
  void Tab(int page);

  const std::string& TabCaption(int page) const;
  void TabCaption(int page, std::string caption);

  // Views: the user clicked a page's tab.
  void userSelectTab(int page);

 private:
  std::vector<std::string> captions_;
  int tab_ = 0;
};

}  // namespace tavrello::forms
