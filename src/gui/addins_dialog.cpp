#include "gui/addins_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

namespace tavrello::gui {

AddinsDialog::AddinsDialog(AddinSwitch& addins, QWidget* parent)
    : QDialog(parent), addins_(addins), listed_(addins.addins()), list_(new QListWidget(this)),
      description_(new QLabel(this)) {
  setObjectName(QStringLiteral("addinsDialog"));
  setWindowTitle(tr("Add-ins"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(tr("Add-ins available:"), this));
  list_->setObjectName(QStringLiteral("addinsList"));
  for (const AddinListing& addin : listed_) {
    const std::string& name = addin.friendlyName.empty() ? addin.progId : addin.friendlyName;
    auto* item = new QListWidgetItem(QString::fromStdString(name), list_);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    item->setCheckState(addin.connected ? Qt::Checked : Qt::Unchecked);
    item->setToolTip(QString::fromStdString(addin.description));
  }
  layout->addWidget(list_, 1);
  description_->setObjectName(QStringLiteral("addinDescription"));
  description_->setWordWrap(true);
  description_->setMinimumHeight(40);
  layout->addWidget(description_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(list_, &QListWidget::currentRowChanged, this, [this] { showDescription(); });
  if (!listed_.empty()) list_->setCurrentRow(0);
  else description_->setText(tr("No add-ins are registered for you. Run \"tavrello register\" to register Tavrello."));
  resize(420, 300);
}

void AddinsDialog::showDescription() {
  const int row = list_->currentRow();
  if (row < 0 || row >= static_cast<int>(listed_.size())) {
    description_->clear();
    return;
  }
  const AddinListing& addin = listed_[static_cast<std::size_t>(row)];
  description_->setText(tr("Description: %1\nProgram identifier: %2")
                            .arg(QString::fromStdString(addin.description), QString::fromStdString(addin.progId)));
}

void AddinsDialog::setTicked(const std::string& progId, bool ticked) {
  for (std::size_t i = 0; i < listed_.size(); ++i) {
    if (listed_[i].progId == progId) list_->item(static_cast<int>(i))->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
  }
}

void AddinsDialog::accept() {
  // Closed first, so that the add-ins' own boxes during the calls are not
  // hidden behind this one.
  QDialog::accept();
  for (std::size_t i = 0; i < listed_.size(); ++i) {
    const bool ticked = list_->item(static_cast<int>(i))->checkState() == Qt::Checked;
    if (ticked == listed_[i].connected) continue;
    if (ticked) addins_.connect(listed_[i].progId);
    else addins_.disconnect(listed_[i].progId);
  }
}

}  // namespace tavrello::gui
