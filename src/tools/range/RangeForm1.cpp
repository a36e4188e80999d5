#include "tools/range/RangeForm1.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>
#include <utility>

#include "app/DesignCaption.h"
#include "app/DesignPushButton.h"
#include "display/QtText.h"
#include "search/SearchContext.h"
#include "settings/MyRadioGroup.h"
#include "store/Bible.h"

namespace lectora {

namespace {

constexpr const char* kForm = "RangeForm1";

QString Caption(const char* name) { return DesignCaption(kForm, name); }

// Buttons are named for screen readers by their caption without the
// accelerator mark.
}  // namespace

TRangeForm1::TRangeForm1(TSearchContext& search, QWidget* parent)
    : QDialog(parent), search_(search) {
  setObjectName(QString::fromLatin1(kForm));
  setWindowTitle(Caption(kForm));
  setAccessibleName(Caption(kForm));
  setProperty("helpTopic", QStringLiteral("Range"));
  setProperty("helpContext", kHelpContext);
  // Only the system menu: no minimise, maximise or context-help buttons.
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowCloseButtonHint);
  // Modal to the main window only: the help window, a window of its own,
  // stays usable while the dialog is open.
  setWindowModality(parent != nullptr ? Qt::WindowModal : Qt::ApplicationModal);
  designFont_ = font();
  CreateControls();
}

void TRangeForm1::CreateControls() {
  checkListBox1_ = new QListWidget(this);
  checkListBox1_->setObjectName(QStringLiteral("CheckListBox1"));
  checkListBox1_->setAccessibleName(DesignHint(kForm, "CheckListBox1"));
  radioGroup1_ = new TMyRadioGroup(this);
  radioGroup1_->setObjectName(QStringLiteral("RadioGroup1"));
  radioGroup1_->setAccessibleName(DesignHint(kForm, "RadioGroup1"));
  radioGroup1_->SetItems({Caption("RadioGroup1.0"), Caption("RadioGroup1.1"),
                          Caption("RadioGroup1.2"), Caption("RadioGroup1.3")});
  radioGroup1_->setMinimumSize(180, 130);
  for (int i = 0; i < radioGroup1_->ButtonCount(); ++i) {
    radioGroup1_->Button(i)->setAccessibleName(radioGroup1_->Items()[i]);
  }
  button3_ = NewDesignPushButton(*this, kForm, "Button3");
  button1_ = NewDesignPushButton(*this, kForm, "Button1");
  button1_->setDefault(true);
  button2_ = NewDesignPushButton(*this, kForm, "Button2");
  button4_ = NewDesignPushButton(*this, kForm, "Button4");
  button4_->setEnabled(false);

  auto* side = new QVBoxLayout;
  side->addWidget(radioGroup1_);
  side->addWidget(button3_);
  side->addStretch();
  side->addWidget(button1_);
  side->addWidget(button2_);
  side->addWidget(button4_);
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(checkListBox1_, 1);
  layout->addLayout(side);
  resize(420, 400);

  connect(radioGroup1_, &TMyRadioGroup::OnClick, this, &TRangeForm1::RadioGroup1Click);
  connect(checkListBox1_, &QListWidget::itemChanged, this, &TRangeForm1::CheckListBox1Change);
  connect(button3_, &QPushButton::clicked, this, &TRangeForm1::Button3Click);
  connect(button1_, &QPushButton::clicked, this, &TRangeForm1::Button1Click);
  connect(button2_, &QPushButton::clicked, this, &QDialog::reject);
  connect(button4_, &QPushButton::clicked, this, [this] {
    if (help_) help_("Range");
  });
}

void TRangeForm1::SetBibleSource(std::function<const TBible*()> source) {
  bibleSource_ = std::move(source);
}

void TRangeForm1::SetCyrillicFontSource(std::function<std::string()> source) {
  fontSource_ = std::move(source);
}

void TRangeForm1::SetHelp(std::function<void(const std::string& topic)> help) {
  help_ = std::move(help);
  button4_->setEnabled(static_cast<bool>(help_));
}

void TRangeForm1::ShowRange() {
  show();
  raise();
  activateWindow();
}

void TRangeForm1::showEvent(QShowEvent* event) {
  // A window restored by the desktop keeps what the reader has changed.
  if (!event->spontaneous()) FormShow();
  QDialog::showEvent(event);
}

void TRangeForm1::FormShow() {
  QFont shown = designFont_;
  const std::string family = fontSource_ ? fontSource_() : std::string();
  if (!family.empty()) shown.setFamily(QString::fromStdString(family));
  setFont(shown);

  filling_ = true;
  checkListBox1_->clear();
  shown_ = bibleSource_ ? bibleSource_() : nullptr;
  if (shown_ != nullptr) {
    const int charset = shown_->Language.Charset();
    for (int position = 1; position <= shown_->BookCount && position < 88; ++position) {
      const int book = shown_->BookOrder[position];
      auto* line = new QListWidgetItem(DecodeCharset(shown_->Books[book].Name, charset));
      line->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
      line->setCheckState(search_.SelectedBooks[book] ? Qt::Checked : Qt::Unchecked);
      checkListBox1_->addItem(line);
    }
  }
  filling_ = false;
  radioGroup1_->SetItemIndex(search_.SearchRangeType);
  if (checkListBox1_->count() > 0) checkListBox1_->setCurrentRow(0);
}

void TRangeForm1::SetLineChecked(int line, bool checked) {
  checkListBox1_->item(line)->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
}

void TRangeForm1::RadioGroup1Click() {
  const int choice = radioGroup1_->ItemIndex();
  if (shown_ == nullptr || choice == kSelectedBooks) return;
  filling_ = true;
  for (int line = 0; line < checkListBox1_->count(); ++line) {
    const int book = shown_->BookOrder[line + 1];
    bool checked = true;
    if (choice == kOldTestament) checked = !IsNewTestament(book);
    if (choice == kNewTestament) checked = IsNewTestament(book);
    SetLineChecked(line, checked);
  }
  filling_ = false;
}

void TRangeForm1::CheckListBox1Change(QListWidgetItem* /*item*/) {
  if (filling_) return;
  radioGroup1_->SetItemIndex(kSelectedBooks);
}

void TRangeForm1::Button3Click() {
  radioGroup1_->SetItemIndex(kSelectedBooks);
  filling_ = true;
  for (int line = 0; line < checkListBox1_->count(); ++line) SetLineChecked(line, false);
  filling_ = false;
}

void TRangeForm1::Button1Click() {
  if (radioGroup1_->ItemIndex() >= 0) search_.SearchRangeType = radioGroup1_->ItemIndex();
  if (shown_ != nullptr) {
    for (int line = 0; line < checkListBox1_->count(); ++line) {
      const int book = shown_->BookOrder[line + 1];
      search_.SelectedBooks[book] = checkListBox1_->item(line)->checkState() == Qt::Checked;
    }
  }
  accept();
  Q_EMIT RangeConfirmed();
}

}  // namespace lectora
