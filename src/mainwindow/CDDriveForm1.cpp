#include "mainwindow/CDDriveForm1.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include "app/DesignCaption.h"

namespace lectora {

TCDDriveForm1::TCDDriveForm1(QWidget* parent)
    : QDialog(parent),
      label1_(new QLabel(this)),
      folderEdit_(new QLineEdit(this)),
      browseButton_(new QPushButton(QStringLiteral("..."), this)),
      okButton_(new QPushButton(QStringLiteral("OK"), this)),
      cancelButton_(new QPushButton(DesignCaption("CDDriveForm1", "Button2"), this)) {
  setObjectName(QStringLiteral("CDDriveForm1"));
  label1_->setObjectName(QStringLiteral("Label1"));
  folderEdit_->setObjectName(QStringLiteral("FolderEdit"));
  okButton_->setObjectName(QStringLiteral("Button1"));
  cancelButton_->setObjectName(QStringLiteral("Button2"));
  label1_->setText(DesignCaption("CDDriveForm1", "Label1"));
  label1_->setWordWrap(true);
  label1_->setTextFormat(Qt::PlainText);
  label1_->setMinimumWidth(320);
  okButton_->setDefault(true);

  auto* chooser = new QHBoxLayout;
  chooser->addWidget(folderEdit_, 1);
  chooser->addWidget(browseButton_);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(okButton_);
  buttons->addWidget(cancelButton_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(label1_);
  layout->addLayout(chooser);
  layout->addLayout(buttons);

  connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
  connect(browseButton_, &QPushButton::clicked, this, &TCDDriveForm1::Browse);
  connect(folderEdit_, &QLineEdit::textChanged, this, &TCDDriveForm1::UpdateOk);
  UpdateOk();
}

std::optional<std::string> TCDDriveForm1::NormalizedRoot(const QString& folder) {
  QString root = folder.trimmed();
  while (root.size() > 1 && root.endsWith(QLatin1Char('/'))) root.chop(1);
  if (root.isEmpty()) return std::nullopt;
  return QFile::encodeName(root).toStdString();
}

void TCDDriveForm1::UpdateOk() {
  // Only an existing folder can hold the module folders.
  const QString folder = folderEdit_->text().trimmed();
  okButton_->setEnabled(!folder.isEmpty() && QFileInfo(folder).isDir());
}

void TCDDriveForm1::Browse() {
  const QString chosen =
      QFileDialog::getExistingDirectory(this, windowTitle(), folderEdit_->text());
  if (!chosen.isEmpty()) folderEdit_->setText(chosen);
}

void TCDDriveForm1::QueueAnswer(std::optional<QString> folder) {
  scripted_ = true;
  answers_.push_back(std::move(folder));
}

std::optional<std::string> TCDDriveForm1::ChooseRoot(const std::string& rememberedRoot) {
  setWindowTitle(captionSource_ ? captionSource_->windowTitle()
                                : QApplication::applicationDisplayName());
  const QString preset = QFile::decodeName(QByteArray::fromStdString(rememberedRoot));
  folderEdit_->setText(preset);
  if (scripted_) {
    presets_.append(preset);
    if (answers_.empty()) return std::nullopt;
    const std::optional<QString> answer = answers_.front();
    answers_.pop_front();
    if (!answer) return std::nullopt;
    return NormalizedRoot(*answer);
  }
  if (exec() != QDialog::Accepted) return std::nullopt;
  return NormalizedRoot(folderEdit_->text());
}

}  // namespace lectora
