#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/host/application.h"
#include "platform/system/failure.h"

namespace tavrello::testing {

// The command bars of a real host with a few calls that a test can make fail,
// and a record of the searches made; everything else is forwarded.
class ForwardingCommandBars : public host::CommandBars {
 public:
  struct FindControlCall {
    std::optional<int> Type, Id;
    std::optional<std::string> Tag;
    bool Visible;
  };

  explicit ForwardingCommandBars(std::shared_ptr<host::CommandBars> inner) : inner_(std::move(inner)) {}

  std::int32_t Count() const override { return inner_->Count(); }
  std::shared_ptr<host::CommandBar> Item(const std::string& name) const override { return inner_->Item(name); }
  std::shared_ptr<host::CommandBar> Item(std::int32_t index) const override { return inner_->Item(index); }
  std::shared_ptr<host::CommandBar> Add(const std::optional<std::string>& Name, int Position, bool MenuBar,
                                        bool Temporary) override {
    if (failAdd) throw *failAdd;
    return inner_->Add(Name, Position, MenuBar, Temporary);
  }
  std::shared_ptr<host::CommandBarControl> FindControl(std::optional<int> Type, std::optional<int> Id,
                                                       const std::optional<std::string>& Tag,
                                                       bool Visible) const override {
    findControlCalls.push_back({Type, Id, Tag, Visible});
    if (failFindControl) throw *failFindControl;
    return inner_->FindControl(Type, Id, Tag, Visible);
  }

  std::optional<Failure> failAdd, failFindControl;
  mutable std::vector<FindControlCall> findControlCalls;

 private:
  std::shared_ptr<host::CommandBars> inner_;
};

// A real host's application object behind a forwarding wrapper whose command
// bars are a ForwardingCommandBars.
class ForwardingApplication : public host::Application {
 public:
  explicit ForwardingApplication(std::shared_ptr<host::Application> inner)
      : inner_(std::move(inner)), bars_(std::make_shared<ForwardingCommandBars>(inner_->CommandBars())) {}

  ForwardingCommandBars& bars() { return *bars_; }

  std::string Version() const override { return inner_->Version(); }
  bool ScreenUpdating() const override { return inner_->ScreenUpdating(); }
  void ScreenUpdating(bool on) override { inner_->ScreenUpdating(on); }
  std::shared_ptr<host::Workbooks> Workbooks() override { return inner_->Workbooks(); }
  std::shared_ptr<host::Workbook> ActiveWorkbook() override { return inner_->ActiveWorkbook(); }
  std::shared_ptr<host::Worksheet> ActiveSheet() override { return inner_->ActiveSheet(); }
  std::shared_ptr<host::Range> ActiveCell() override { return inner_->ActiveCell(); }
  std::shared_ptr<host::Range> Range(const std::string& address) override { return inner_->Range(address); }
  std::shared_ptr<host::Range> Range(const std::shared_ptr<host::Range>& Cell1,
                                     const std::shared_ptr<host::Range>& Cell2) override {
    return inner_->Range(Cell1, Cell2);
  }
  std::shared_ptr<host::Range> InputBox(const std::string& Prompt, const std::string& Title,
                                        const std::string& Default, int Type) override {
    return inner_->InputBox(Prompt, Title, Default, Type);
  }
  std::shared_ptr<host::CommandBars> CommandBars() override { return bars_; }

 private:
  std::shared_ptr<host::Application> inner_;
  std::shared_ptr<ForwardingCommandBars> bars_;
};

}  // namespace tavrello::testing
