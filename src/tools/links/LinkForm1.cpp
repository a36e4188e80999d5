#include "tools/links/LinkForm1.h"

#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

#include "app/DesignCaption.h"
#include "app/DesignPushButton.h"
#include "settings/MyRadioGroup.h"
#include "store/CodePage.h"
#include "store/LinkTreeFile.h"

namespace lectora {

namespace {

constexpr const char* kForm = "LinkForm1";

QString Design(const char* name) { return DesignCaption(kForm, name); }

// A label named after its caption, naming the field it stands before.
QLabel* NewLabel(const char* name, QWidget* buddy, QWidget* parent) {
  auto* label = new QLabel(Design(name), parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setBuddy(buddy);
  label->setToolTip(DesignHint(kForm, name));
  return label;
}

QLineEdit* NewEdit(const char* name, const char* labelName, QWidget* parent) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(QString::fromLatin1(name));
  edit->setAccessibleName(Design(labelName).remove(QLatin1Char(':')));
  return edit;
}

}  // namespace

TLinkForm1::TLinkForm1(QWidget* parent) : QDialog(parent) {
  setObjectName(QString::fromLatin1(kForm));
  setWindowTitle(Design(kForm));
  setAccessibleName(Design(kForm));
  setProperty("helpTopic", QString::fromLatin1(kHelpTopic));
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowCloseButtonHint);
  designFont_ = font();
  CreateControls();
  LayOut();
}

void TLinkForm1::CreateControls() {
  edit1_ = NewEdit("Edit1", "Label1", this);
  label1_ = NewLabel("Label1", edit1_, this);
  edit2_ = NewEdit("Edit2", "Label2", this);
  label2_ = NewLabel("Label2", edit2_, this);
  button1_ = NewDesignPushButton(*this, kForm, "Button1");
  button2_ = NewDesignPushButton(*this, kForm, "Button2");
  button2_->setDefault(true);
  button3_ = NewDesignPushButton(*this, kForm, "Button3");
  button4_ = NewDesignPushButton(*this, kForm, "Button4");
  button4_->setEnabled(false);
  radioGroup1_ = new TMyRadioGroup(this);
  radioGroup1_->setObjectName(QStringLiteral("RadioGroup1"));
  radioGroup1_->setTitle(Design("RadioGroup1"));
  radioGroup1_->setAccessibleName(Design("RadioGroup1"));
  radioGroup1_->SetColumns(3);
  radioGroup1_->SetItems(
      {Design("RadioGroup1.0"), Design("RadioGroup1.1"), Design("RadioGroup1.2")});
  radioGroup1_->SetItemIndex(0);
  for (int i = 0; i < radioGroup1_->ButtonCount(); ++i) {
    radioGroup1_->Button(i)->setAccessibleName(radioGroup1_->Items()[i]);
  }
  radioGroup1_->setMinimumHeight(48);
  connect(button1_, &QPushButton::clicked, this, &TLinkForm1::Button1Click);
  connect(button2_, &QPushButton::clicked, this, &TLinkForm1::Button2Click);
  connect(button3_, &QPushButton::clicked, this, &QDialog::reject);
  connect(button4_, &QPushButton::clicked, this, [this] {
    if (help_) help_(kHelpTopic);
  });
}

void TLinkForm1::LayOut() {
  auto* fields = new QGridLayout;
  fields->addWidget(label1_, 0, 0);
  fields->addWidget(edit1_, 0, 1, 1, 2);
  fields->addWidget(label2_, 1, 0);
  fields->addWidget(edit2_, 1, 1);
  fields->addWidget(button1_, 1, 2);
  fields->setColumnStretch(1, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(button2_);
  buttons->addWidget(button3_);
  buttons->addWidget(button4_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(fields);
  layout->addWidget(radioGroup1_);
  layout->addLayout(buttons);
  resize(460, 190);
}

void TLinkForm1::SetCyrillicFontSource(std::function<std::string()> source) {
  fontSource_ = std::move(source);
}

void TLinkForm1::SetHelp(std::function<void(const std::string& topic)> help) {
  help_ = std::move(help);
  button4_->setEnabled(static_cast<bool>(help_));
}

void TLinkForm1::SetNotice(std::function<void(const QString& text)> notice) {
  notice_ = std::move(notice);
}

void TLinkForm1::PrepareNew() {
  radioGroup1_->setEnabled(true);
  edit2_->setEnabled(true);
  edit2_->clear();
  button1_->setEnabled(true);
}

void TLinkForm1::PrepareEdit(const QString& caption, const QString& link, bool hasChildren) {
  radioGroup1_->setEnabled(false);
  edit1_->setText(caption);
  edit2_->setText(hasChildren ? QString() : link);
  edit2_->setEnabled(!hasChildren);
  button1_->setEnabled(!hasChildren);
}

void TLinkForm1::ShowLink() {
  open();
  raise();
  activateWindow();
  edit1_->setFocus();
  edit1_->selectAll();
}

QString TLinkForm1::Caption() const { return edit1_->text(); }

QString TLinkForm1::Link() const { return edit2_->text(); }

int TLinkForm1::Mode() const { return std::max(radioGroup1_->ItemIndex(), 0); }

void TLinkForm1::showEvent(QShowEvent* event) {
  if (!event->spontaneous()) {
    QFont shown = designFont_;
    const std::string family = fontSource_ ? fontSource_() : std::string();
    if (!family.empty()) shown.setFamily(QString::fromStdString(family));
    setFont(shown);
    // Centred on the desktop, not on the main window.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
      QRect frame = frameGeometry();
      frame.moveCenter(screen->availableGeometry().center());
      move(frame.topLeft());
    }
  }
  QDialog::showEvent(event);
}

void TLinkForm1::Button1Click() {
  TOpenFileRequest request;
  request.Caption = Design(kForm);
  request.FileName = edit2_->text();
  request.HelpTopic = QString::fromLatin1(kHelpTopic);
  if (const std::optional<QString> file = openDialog1_.Execute(this, request)) {
    edit2_->setText(*file);
  }
}

void TLinkForm1::Button2Click() {
  for (QLineEdit* field : {edit1_, edit2_}) {
    const std::string utf8 = field->text().toStdString();
    std::string encoded;
    std::size_t bad = 0;
    if (!notice_ || Utf8ToCodePage(utf8, kLinkTreeCodePage, encoded, &bad)) continue;
    // The offending character, whole even when it takes several bytes.
    std::size_t end = bad + 1;
    while (end < utf8.size() && (static_cast<unsigned char>(utf8[end]) & 0xC0) == 0x80) ++end;
    notice_(Design("NotStorable").arg(QString::fromStdString(utf8.substr(bad, end - bad))));
    field->setFocus();
    return;
  }
  accept();
}

}  // namespace lectora
