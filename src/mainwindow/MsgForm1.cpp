#include "mainwindow/MsgForm1.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include "app/DesignCaption.h"

namespace lectora {

namespace {
constexpr int kLabelWidth = 320;
}

TMsgForm1::TMsgForm1(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      label1_(new QLabel(this)),
      button1_(new QPushButton(DesignCaption("MsgForm1", "Button1"), this)),
      button2_(new QPushButton(DesignCaption("MsgForm1", "Button2"), this)) {
  // Object names are the keys of the interface-language caption file.
  setObjectName(QStringLiteral("MsgForm1"));
  label1_->setObjectName(QStringLiteral("Label1"));
  button1_->setObjectName(QStringLiteral("Button1"));
  button2_->setObjectName(QStringLiteral("Button2"));
  label1_->setWordWrap(true);
  label1_->setAlignment(Qt::AlignCenter);
  label1_->setFixedWidth(kLabelWidth);
  label1_->setTextFormat(Qt::PlainText);

  // Equal stretches put the buttons at thirds of the free width, or the one
  // button in the middle when the other is hidden.
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(button1_);
  buttons->addStretch(1);
  buttons->addWidget(button2_);
  buttons->addStretch(1);
  auto* layout = new QVBoxLayout(this);
  layout->addStretch(1);
  layout->addWidget(label1_, 0, Qt::AlignHCenter);
  layout->addStretch(1);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  connect(button1_, &QPushButton::clicked, this, &QDialog::accept);
  connect(button2_, &QPushButton::clicked, this, &QDialog::reject);
}

QString TMsgForm1::CaptionText() const {
  if (captionSource_) return captionSource_->windowTitle();
  return QApplication::applicationDisplayName();
}

void TMsgForm1::QueueAnswer(bool yes) {
  scripted_ = true;
  answers_.push_back(yes);
}

int TMsgForm1::T(const QString& text) {
  setWindowTitle(CaptionText());
  label1_->setText(text);
  if (scripted_) {
    TShown shown;
    shown.Text = text;
    shown.Caption = windowTitle();
    shown.Question = question_;
    shown.DefaultNo = question_ && button2_->isDefault();
    shown_.append(shown);
    if (!question_) return QDialog::Accepted;
    bool yes = false;
    if (!answers_.empty()) {
      yes = answers_.front();
      answers_.pop_front();
    }
    return yes ? QDialog::Accepted : QDialog::Rejected;
  }
  return exec();
}

void TMsgForm1::ShowInfo(const QString& text) {
  question_ = false;
  button2_->hide();
  button1_->setDefault(true);
  button2_->setDefault(false);
  T(text);
}

bool TMsgForm1::AskYesNo(const QString& text, bool defaultNo) {
  question_ = true;
  button2_->show();
  button1_->setDefault(!defaultNo);
  button2_->setDefault(defaultNo);
  (defaultNo ? button2_ : button1_)->setFocus();
  return T(text) == QDialog::Accepted;
}

}  // namespace lectora
