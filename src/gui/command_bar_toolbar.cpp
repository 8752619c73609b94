#include "gui/command_bar_toolbar.h"

#include <QAction>
#include <QComboBox>
#include <QRegularExpression>
#include <QSignalBlocker>
#include <QToolButton>

#include "gui/face_icons.h"
#include "platform/forms/dialog_service.h"
#include "platform/host/workbook/host_command_bar.h"
#include "platform/host/workbook/host_command_bars.h"
#include "platform/host/workbook/host_controls.h"
#include "platform/host/workbook/workbook_application.h"

namespace tavrello::gui {
namespace {

QString withoutMnemonic(const std::string& caption) {
  QString text = QString::fromStdString(caption);
  text.remove(QRegularExpression(QStringLiteral("&(?!&)")));
  return text;
}

QString tipOf(const host::ControlState& state) {
  return state.tooltipText.empty() ? withoutMnemonic(state.caption) : QString::fromStdString(state.tooltipText);
}

// Tells the user about a failure that escaped a click's receivers, instead of
// letting it end the program.
void reportClickFailure(const std::string& what) {
  forms::MsgBox("The command failed:\n\n" + what, forms::MsgButtons::OkOnly, forms::MsgIcon::Critical,
                host::kHostTitle);
}

}  // namespace

// What is on screen for one control, to tell what changed.
struct CommandBarToolbar::Shown {
  std::shared_ptr<host::HostControl> control;
  int type = 0;
  QAction* action = nullptr;
  QComboBox* combo = nullptr;
  std::string caption;
  std::string tooltip;
  std::int32_t faceId = -1;
  std::int32_t width = -1;
  bool enabled = true;
  bool visible = true;
  std::vector<std::string> items;
  std::int32_t listIndex = -1;
};

CommandBarToolbar::CommandBarToolbar(std::shared_ptr<host::HostCommandBar> bar, QWidget* parent)
    : QToolBar(QString::fromStdString(bar->name()), parent), bar_(std::move(bar)) {
  setObjectName(QString::fromStdString(bar_->name()));
  setIconSize(QSize(16, 16));
  setToolButtonStyle(bar_->isMenuBar() ? Qt::ToolButtonTextBesideIcon : Qt::ToolButtonIconOnly);
  rebuild();
}

CommandBarToolbar::~CommandBarToolbar() = default;

void CommandBarToolbar::refresh() {
  if (bar_->deleted()) return;
  const auto& controls = bar_->controls();
  bool same = controls.size() == shown_.size();
  for (std::size_t i = 0; same && i < controls.size(); ++i)
    same = controls[i] == shown_[i].control && controls[i]->state().type == shown_[i].type;
  if (!same) {
    rebuild();
    return;
  }
  for (Shown& shown : shown_) update(shown);
}

void CommandBarToolbar::rebuild() {
  for (QAction* action : actions()) {
    removeAction(action);
    action->deleteLater();
  }
  shown_.clear();
  for (const auto& control : bar_->controls()) {
    Shown shown;
    shown.control = control;
    shown.type = control->state().type;
    std::weak_ptr<host::HostControl> weak = control;
    if (shown.type == host::MsoControlType::ComboBox) {
      auto combo = std::make_unique<QComboBox>();
      combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
      connect(combo.get(), &QComboBox::activated, this, [this, weak](int row) { chosen(weak, row); });
      shown.combo = combo.get();
      // The tool bar's widget action owns the combo from here on.
      shown.action = addWidget(combo.release());
    } else {
      shown.action = addAction(QString());
      connect(shown.action, &QAction::triggered, this, [this, weak] { clicked(weak); });
    }
    update(shown);
    shown_.push_back(std::move(shown));
  }
}

void CommandBarToolbar::update(Shown& shown) {
  const host::ControlState& state = shown.control->state();
  if (shown.combo) {
    if (state.items != shown.items) {
      const QSignalBlocker blocker(shown.combo);
      shown.combo->clear();
      for (const auto& item : state.items) shown.combo->addItem(QString::fromStdString(item));
      shown.items = state.items;
      shown.listIndex = -1;
    }
    if (state.listIndex != shown.listIndex) {
      const QSignalBlocker blocker(shown.combo);
      shown.combo->setCurrentIndex(state.listIndex - 1);
      shown.listIndex = state.listIndex;
    }
    if (state.width != shown.width) {
      shown.combo->setFixedWidth(std::max(state.width, 20));
      shown.width = state.width;
    }
    if (state.tooltipText != shown.tooltip) {
      shown.combo->setToolTip(QString::fromStdString(state.tooltipText));
      shown.tooltip = state.tooltipText;
    }
  } else {
    if (state.caption != shown.caption || state.tooltipText != shown.tooltip) {
      shown.action->setText(QString::fromStdString(state.caption));
      shown.action->setToolTip(tipOf(state));
      shown.caption = state.caption;
      shown.tooltip = state.tooltipText;
    }
    if (state.faceId != shown.faceId) {
      shown.action->setIcon(faceIcon(state.faceId));
      shown.faceId = state.faceId;
      // A button without a face shows its caption instead.
      if (auto* button = qobject_cast<QToolButton*>(widgetForAction(shown.action)))
        button->setToolButtonStyle(state.faceId == 0 ? Qt::ToolButtonTextOnly : toolButtonStyle());
    }
  }
  if (state.enabled != shown.enabled) {
    shown.action->setEnabled(state.enabled);
    shown.enabled = state.enabled;
  }
  if (state.visible != shown.visible) {
    shown.action->setVisible(state.visible);
    shown.visible = state.visible;
  }
}

void CommandBarToolbar::clicked(const std::weak_ptr<host::HostControl>& control) {
  auto live = control.lock();
  auto owner = bar_->owner();
  if (!live || !owner) return;
  try {
    owner->click(*live);
  } catch (const std::exception& failure) {
    reportClickFailure(failure.what());
  }
  emit controlUsed();
}

void CommandBarToolbar::chosen(const std::weak_ptr<host::HostControl>& control, int row) {
  auto live = control.lock();
  if (!live) return;
  try {
    auto combo = std::dynamic_pointer_cast<host::CommandBarComboBox>(live->asControl());
    if (combo) combo->ListIndex(row + 1);
  } catch (const std::exception& failure) {
    reportClickFailure(failure.what());
  }
  for (Shown& shown : shown_) {
    if (shown.control == live) shown.listIndex = live->state().listIndex;
  }
  emit controlUsed();
}

QWidget* CommandBarToolbar::controlWidget(int index) const {
  if (index < 1 || index > static_cast<int>(shown_.size())) return nullptr;
  const Shown& shown = shown_[static_cast<std::size_t>(index - 1)];
  if (shown.combo) return shown.combo;
  return widgetForAction(shown.action);
}

}  // namespace tavrello::gui
