#include "tools/dictionary/Dic_Form1.h"

#include <QHBoxLayout>
#include <QMenu>
#include <QSplitter>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <exception>

#include "app/DesignCaption.h"
#include "app/InterfaceTexts.h"
#include "display/BibleComboBox.h"
#include "display/BibleRichEdit1.h"
#include "display/DisplayContext.h"
#include "display/LargeListBox.h"
#include "display/QtText.h"
#include "navigation/ActiveTranslation.h"
#include "store/Bible.h"
#include "store/Settings.h"
#include "tools/icons/DesignToolButton.h"
#include "tools/picture/WordPictures.h"

namespace lectora {

namespace {

constexpr const char* kForm = "Dic_Form1";
constexpr int kCharset = 204;  // dictionaries and message tables are Windows-1251

}  // namespace

TDic_Form1::TDic_Form1(TSettings& settings, TInterfaceTexts& texts, TDisplayContext& display,
                       THistoryContext& history, QWidget* parent)
    : QWidget(parent, Qt::Tool),
      settings_(settings),
      texts_(texts),
      catalogue_(settings.SetupFolder(), &settings.Registry()) {
  setObjectName(QString::fromLatin1(kForm));
  setAccessibleName(DesignCaption(kForm, kForm));
  setWindowTitle(DesignCaption(kForm, kForm));
  setMinimumSize(220, 172);
  LargeListBox1 = new TLargeListBox(history, this);
  BRichEdit1 = new TBibleRichEdit1(display, this);
  display.Zoom.Watch(BRichEdit1,
                     [this] { return active_ != nullptr ? active_->Bible() : nullptr; });
  connect(&display.Zoom, &TTextZoom::FontZoomed, this, [this] {
    if (!explanations_.empty()) ShowExplanation();
  });
  CreateControls();
  CreateMenus();
  ReadSettings();
}

void TDic_Form1::CreateControls() {
  LargeListBox1->setObjectName(QStringLiteral("LargeListBox1"));
  LargeListBox1->setAccessibleName(DesignHint(kForm, "LargeListBox1"));
  LargeListBox1->setToolTip(DesignHint(kForm, "LargeListBox1"));
  LargeListBox1->SetScrollType(TScrollType::stBottom);
  BRichEdit1->setObjectName(QStringLiteral("BRichEdit1"));
  BRichEdit1->setAccessibleName(DesignCaption(kForm, "BRichEdit1"));
  ToolButton1 = NewDesignToolButton(*this, kForm, "ToolButton1", "previous-word");
  ToolButton2 = NewDesignToolButton(*this, kForm, "ToolButton2", "next-word");
  ToolButton3 = NewDesignToolButton(*this, kForm, "ToolButton3", "another-explanation");
  ToolButton4 = NewDesignToolButton(*this, kForm, "ToolButton4", "back");
  ToolButton5 = NewDesignToolButton(*this, kForm, "ToolButton5", "picture");
  ToolButton6 = NewDesignToolButton(*this, kForm, "ToolButton6", "dictionary");
  for (QToolButton* button : {ToolButton3, ToolButton4, ToolButton5, ToolButton6}) {
    button->setEnabled(false);
  }
  DicMenu = new QMenu(this);
  DicMenu->setObjectName(QStringLiteral("DicMenu"));
  ToolButton6->setMenu(DicMenu);
  ToolButton6->setPopupMode(QToolButton::InstantPopup);
  LargeListBox1->SetBackButton(ToolButton1);
  LargeListBox1->SetNextButton(ToolButton2);

  auto* buttons = new QHBoxLayout;
  buttons->setSpacing(0);
  for (QToolButton* button :
       {ToolButton1, ToolButton2, ToolButton3, ToolButton4, ToolButton5, ToolButton6}) {
    buttons->addWidget(button);
  }
  buttons->addStretch();
  auto* panel = new QWidget(this);
  panel->setMinimumWidth(57);
  auto* panelLayout = new QVBoxLayout(panel);
  panelLayout->setContentsMargins(0, 0, 0, 0);
  panelLayout->addWidget(LargeListBox1);
  splitter_ = new QSplitter(this);
  splitter_->addWidget(panel);
  splitter_->addWidget(BRichEdit1);
  splitter_->setStretchFactor(0, 0);
  splitter_->setStretchFactor(1, 1);
  // Until the reader sets the width, the list shows headwords of average
  // length whole.
  splitter_->setSizes({140, 280});
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addLayout(buttons);
  layout->addWidget(splitter_, 1);

  connect(LargeListBox1, &TLargeListBox::Changed, this, &TDic_Form1::ListChanged);
  connect(LargeListBox1, &TLargeListBox::ChangeItemIndex, this, &TDic_Form1::HeadwordSelected);
  connect(ToolButton3, &QToolButton::clicked, this, [this] { StepExplanation(1); });
  connect(ToolButton4, &QToolButton::clicked, this, [this] { StepExplanation(-1); });
}

QString TDic_Form1::Message(const std::string& key) const {
  return DecodeCharset(texts_.Translate(key), kCharset);
}

QString TDic_Form1::TitleCaption() const {
  const TDicList* list = catalogue_.Current();
  if (list == nullptr) return {};
  try {
    return Message(list->Title());
  } catch (const std::exception&) {
    // A damaged title record leaves the window without a caption.
    return {};
  }
}

// ---- the catalogue ----

void TDic_Form1::BuildCatalogue() {
  if (!catalogue_.Empty()) return;
  catalogue_.Build();
  BuildDictionaryMenu();
  BRichEdit1->Clear(true);
  BRichEdit1->AddText(
      EncodeCharset(Message(catalogue_.Empty() ? "NoDictionaries" : "ChooseDictionary"), kCharset));
  BRichEdit1->update();
}

void TDic_Form1::BuildDictionaryMenu() {
  DicMenu->clear();
  ToolButton6->setEnabled(catalogue_.Count() > 1);
  if (catalogue_.Count() <= 1) return;
  for (int number = 0; number < catalogue_.Count(); ++number) {
    QAction* item = DicMenu->addAction(Message(catalogue_.Entry(number).Title));
    item->setObjectName(QStringLiteral("Dictionary%1").arg(number));
    connect(item, &QAction::triggered, this, [this, number] { ChooseDictionary(number); });
  }
}

void TDic_Form1::ApplyMessages() {
  const QList<QAction*> items = DicMenu->actions();
  for (int number = 0; number < items.size() && number < catalogue_.Count(); ++number) {
    items[number]->setText(Message(catalogue_.Entry(number).Title));
  }
}

void TDic_Form1::ChooseDictionary(int number) {
  if (!OpenDictionary(number)) return;
  setWindowTitle(TitleCaption());
  BRichEdit1->Clear(true);
  BRichEdit1->update();
  ToolButton5->setEnabled(false);
}

bool TDic_Form1::IsDictionaryWord(const std::string& word) {
  if (word.empty()) return false;
  BuildCatalogue();
  try {
    return catalogue_.IsDictionaryWord(word);
  } catch (const std::exception&) {
    return false;  // a damaged headword index holds no word
  }
}

bool TDic_Form1::OpenDictionary(int number) {
  if (!catalogue_.OpenDictionary(number)) return false;
  const TDicList* list = catalogue_.Current();
  BRichEdit1->Letters = list->Letters();
  explanations_.clear();
  // The list only reads its source; the catalogue owns it until the next
  // dictionary is opened, and then the list gets that one.
  LargeListBox1->SetList(const_cast<TDicList*>(list));
  return true;
}

void TDic_Form1::SelectWord(const std::string& word) {
  BuildCatalogue();
  const int before = catalogue_.CurrentNumber();
  const TDicList* listBefore = catalogue_.Current();
  try {
    catalogue_.SelectWord(word);
  } catch (const std::exception&) {
    // A damaged headword index: the list stays on what it showed.
  }
  if (catalogue_.Current() != listBefore || catalogue_.CurrentNumber() != before) {
    const TDicList* list = catalogue_.Current();
    BRichEdit1->Letters = list->Letters();
    LargeListBox1->SetList(const_cast<TDicList*>(list));
  }
  lastListText_ = word;
  LargeListBox1->SetText(word);
  HeadwordSelected();
}

// ---- the list and the explanations ----

void TDic_Form1::ListChanged() {
  const std::string text = LargeListBox1->Text();
  if (text == lastListText_) return;
  lastListText_ = text;
  SelectWord(text);
}

void TDic_Form1::HeadwordSelected() {
  if (catalogue_.Current() == nullptr) return;
  explanations_.clear();
  const int index = LargeListBox1->ItemIndex();
  try {
    if (index >= 0) explanations_ = catalogue_.ReadExplanationList(index);
  } catch (const std::exception&) {
    // A damaged explanation list shows nothing rather than a wrong text.
    explanations_.clear();
  }
  currentExplanation_ = 1;
  const TBibleComboBox& history = *LargeListBox1->ComboBox();
  const std::string text = LargeListBox1->Text();
  const auto& items = history.Items();
  const auto found = std::find(items.begin(), items.end(), text);
  if (found != items.end()) {
    currentExplanation_ = history.Indexes()[static_cast<std::size_t>(found - items.begin())];
  }
  if (currentExplanation_ < 1 || currentExplanation_ > ExplanationCount()) {
    currentExplanation_ = 1;
  }
  ShowExplanation();
}

void TDic_Form1::ShowExplanation() {
  setWindowTitle(TitleCaption());
  BRichEdit1->Clear(true);
  if (!explanations_.empty()) {
    ApplyBibleFont();
    if (currentExplanation_ > ExplanationCount()) currentExplanation_ = 1;
    std::string text;
    try {
      catalogue_.ReadExplanation(explanations_[static_cast<std::size_t>(currentExplanation_ - 1)],
                                 text);
    } catch (const std::exception&) {
      text.clear();  // a damaged record reads as an empty explanation
    }
    BRichEdit1->AddPair("", text);
    ToolButton3->setEnabled(ExplanationCount() > currentExplanation_);
  }
  BRichEdit1->update();
  ToolButton4->setEnabled(currentExplanation_ > 1);
  ToolButton5->setEnabled(pictures_ != nullptr &&
                          pictures_->HasPicture(LargeListBox1->Text()));  // pictures
}

void TDic_Form1::SetPictures(IWordPictures* pictures) {
  pictures_ = pictures;
  pictures_->SetCurrentIndex(pictureIndex_);
  connect(ToolButton5, &QToolButton::clicked, this,
          [this] { pictures_->ShowWordPicture(LargeListBox1->Text()); });
}

void TDic_Form1::StepExplanation(int step) {
  if (step > 0 && ExplanationCount() > currentExplanation_) ++currentExplanation_;
  if (step < 0 && currentExplanation_ >= 2) --currentExplanation_;
  ShowExplanation();
  RecordHistory();
}

void TDic_Form1::RecordHistory() {
  const std::string text = LargeListBox1->Text();
  if (text.empty()) return;
  viewTime_ = QDateTime::currentDateTime();
  LargeListBox1->ComboBox()->Add(static_cast<std::uint16_t>(currentExplanation_), text, viewTime_);
}

// ---- what the other windows call ----

void TDic_Form1::ApplyBibleFont() {
  const TBible* bible = active_ != nullptr ? active_->Bible() : nullptr;
  if (bible == nullptr) return;
  TTextFont font = BRichEdit1->Font();
  if (!bible->Font.Name.empty()) font.Font.setFamily(QString::fromStdString(bible->Font.Name));
  if (bible->Font.Size > 0) font.Font.setPointSize(bible->Font.Size);
  font.Charset = kCharset;
  BRichEdit1->SetFont(font);
  LargeListBox1->SetFont(font.Font);
}

void TDic_Form1::LookUpWord(const std::string& word) {
  RecordHistory();
  ShowDictionary();
  SelectWord(word);
  BRichEdit1->repaint();
  RecordHistory();
}

}  // namespace lectora
