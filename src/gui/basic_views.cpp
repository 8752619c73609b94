#include "gui/basic_views.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>

#include "gui/pictures.h"
#include "gui/twips.h"
#include "platform/forms/check_box.h"
#include "platform/forms/command_button.h"
#include "platform/forms/static_controls.h"
#include "platform/forms/text_box.h"

namespace tavrello::gui {
namespace {

// A button this many pixels high or more has room for a picture above its
// caption.
constexpr int kPictureAboveMinHeight = 30;

QString toLineFeeds(const std::string& text) {
  QString result = QString::fromStdString(text);
  result.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return result;
}

std::string toCrLf(const QString& text) {
  QString result = text;
  result.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
  return result.toStdString();
}

QAbstractButton* makeButton(const forms::CommandButton& button, QWidget* parent) {
  if (button.Picture().empty()) {
    auto* push = new QPushButton(parent);
    // Return presses no button of its own accord: the windows were designed
    // without default buttons.
    push->setAutoDefault(false);
    return push;
  }
  auto* tool = new QToolButton(parent);
  tool->setAutoRaise(false);
  return tool;
}

}  // namespace

LabelView::LabelView(forms::Label& label, QWidget* parent)
    : ControlView(label, new QLabel(parent)), label_(static_cast<QLabel*>(widget())) {
  label_->setTextFormat(Qt::PlainText);
  label_->setWordWrap(true);
}

void LabelView::syncOwn(forms::Property property) {
  const auto* label = as<forms::Label>();
  if (property == forms::Property::Caption) {
    label_->setText(QString::fromStdString(label->Caption()));
  } else if (property == forms::Property::Style) {
    Qt::Alignment horizontal = Qt::AlignLeft;
    if (label->Alignment() == forms::Alignment::Right) horizontal = Qt::AlignRight;
    if (label->Alignment() == forms::Alignment::Center) horizontal = Qt::AlignHCenter;
    label_->setAlignment(horizontal | Qt::AlignTop);
  }
}

ImageView::ImageView(forms::Image& image, QWidget* parent)
    : ControlView(image, new QLabel(parent)), label_(static_cast<QLabel*>(widget())) {
  label_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void ImageView::syncOwn(forms::Property property) {
  if (property != forms::Property::Picture && property != forms::Property::Style) return;
  const auto* image = as<forms::Image>();
  label_->setScaledContents(image->Stretch());
  label_->setPixmap(picturePixmap(image->Picture()));
}

FrameView::FrameView(forms::Frame& frame, QWidget* parent)
    : ControlView(frame, new QGroupBox(parent)), box_(static_cast<QGroupBox*>(widget())) {}

void FrameView::syncOwn(forms::Property property) {
  if (property == forms::Property::Caption) box_->setTitle(QString::fromStdString(as<forms::Frame>()->Caption()));
}

ButtonView::ButtonView(forms::CommandButton& button, QWidget* parent)
    : ControlView(button, makeButton(button, parent)), button_(static_cast<QAbstractButton*>(widget())) {
  connect(button_, &QAbstractButton::clicked, this, [this] {
    if (auto* button = as<forms::CommandButton>(); button && !updating()) button->userClick();
  });
}

void ButtonView::syncOwn(forms::Property property) {
  const auto* button = as<forms::CommandButton>();
  switch (property) {
    case forms::Property::Caption:
      button_->setText(QString::fromStdString(button->Caption()));
      break;
    case forms::Property::Picture:
    case forms::Property::Geometry:
      button_->setIcon(pictureIcon(button->Picture()));
      button_->setIconSize(QSize(16, 16));
      if (auto* tool = qobject_cast<QToolButton*>(button_)) {
        tool->setToolButtonStyle(toPixels(button->Height()) >= kPictureAboveMinHeight ? Qt::ToolButtonTextUnderIcon
                                                                                     : Qt::ToolButtonTextBesideIcon);
      }
      break;
    default:
      break;
  }
}

CheckBoxView::CheckBoxView(forms::CheckBox& check, QWidget* parent)
    : ControlView(check, new QCheckBox(parent)), check_(static_cast<QCheckBox*>(widget())) {
  connect(check_, &QAbstractButton::clicked, this, [this] {
    if (auto* check = as<forms::CheckBox>(); check && !updating()) check->userClick();
  });
}

void CheckBoxView::syncOwn(forms::Property property) {
  const auto* check = as<forms::CheckBox>();
  if (property == forms::Property::Caption) {
    check_->setText(QString::fromStdString(check->Caption()));
  } else if (property == forms::Property::Value) {
    check_->setTristate(check->Value() == 2);
    check_->setCheckState(check->Value() == 2 ? Qt::PartiallyChecked
                                              : (check->Value() == 1 ? Qt::Checked : Qt::Unchecked));
  }
}

TextBoxView::TextBoxView(forms::TextBox& text, QWidget* parent)
    : ControlView(text, text.MultiLine() ? static_cast<QWidget*>(new QPlainTextEdit(parent))
                                         : static_cast<QWidget*>(new QLineEdit(parent))) {
  if (text.MultiLine()) {
    lines_ = static_cast<QPlainTextEdit*>(widget());
    connect(lines_, &QPlainTextEdit::textChanged, this, [this] {
      if (auto* text = as<forms::TextBox>(); text && !updating()) text->userSetText(toCrLf(lines_->toPlainText()));
    });
  } else {
    line_ = static_cast<QLineEdit*>(widget());
    connect(line_, &QLineEdit::textEdited, this, [this](const QString& typed) {
      if (auto* text = as<forms::TextBox>(); text && !updating()) text->userSetText(typed.toStdString());
    });
  }
}

void TextBoxView::syncOwn(forms::Property property) {
  const auto* text = as<forms::TextBox>();
  if (property == forms::Property::Text) {
    if (lines_) {
      const QString shown = toLineFeeds(text->Text());
      if (lines_->toPlainText() != shown) lines_->setPlainText(shown);
    } else {
      const QString shown = QString::fromStdString(text->Text());
      if (line_->text() != shown) line_->setText(shown);
    }
  } else if (property == forms::Property::Style) {
    if (lines_) {
      lines_->setReadOnly(text->Locked());
      const int bars = text->ScrollBars();
      lines_->setVerticalScrollBarPolicy(bars >= 2 ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
      lines_->setHorizontalScrollBarPolicy(bars == 1 || bars == 3 ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
      lines_->setLineWrapMode(bars == 1 || bars == 3 ? QPlainTextEdit::NoWrap : QPlainTextEdit::WidgetWidth);
    } else {
      line_->setReadOnly(text->Locked());
    }
  }
}

}  // namespace tavrello::gui
