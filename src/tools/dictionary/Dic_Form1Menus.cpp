// The dictionary window's popup menus: the explanation text's (copy, look
// up, open the reference, concordance, select all), the list's edit field's
// history order and commands, and the list rows' Bible search.
#include <QMenu>

#include "app/DesignCaption.h"
#include "display/BibleComboBox.h"
#include "display/BibleRichEdit1.h"
#include "display/LargeListBox.h"
#include "display/MinimizeToolWindow.h"
#include "display/TrimmedSelection.h"
#include "navigation/ActiveTranslation.h"
#include "navigation/Navigator.h"
#include "store/Bible.h"
#include "tools/dictionary/Dic_Form1.h"
#include "tools/search/SearchService.h"

namespace lectora {

namespace {

constexpr const char* kForm = "Dic_Form1";

}  // namespace

void TDic_Form1::ConnectProgram(TActiveTranslation& active, TNavigator& navigator,
                                TSearchService& search) {
  active_ = &active;
  navigator_ = &navigator;
  search_ = &search;
  connect(&active, &TActiveTranslation::TranslationChanged, this, &TDic_Form1::ApplyBibleFont);
  ApplyBibleFont();
}

QAction* TDic_Form1::NewMenuItem(QMenu* menu, const char* name) {
  QAction* item = menu->addAction(DesignCaption(kForm, name));
  item->setObjectName(QString::fromLatin1(name));
  return item;
}

void TDic_Form1::CreateMenus() {
  PopupMenu1 = new QMenu(this);
  PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
  connect(NewMenuItem(PopupMenu1, "Copy1"), &QAction::triggered, this, &TDic_Form1::Copy1Click);
  connect(NewMenuItem(PopupMenu1, "Translate1"), &QAction::triggered, this,
          &TDic_Form1::Translate1Click);
  connect(NewMenuItem(PopupMenu1, "Navigate1"), &QAction::triggered, this,
          &TDic_Form1::Navigate1Click);
  connect(NewMenuItem(PopupMenu1, "Find1"), &QAction::triggered, this, &TDic_Form1::Find1Click);
  PopupMenu1->addSeparator();
  connect(NewMenuItem(PopupMenu1, "SelectAll1"), &QAction::triggered, BRichEdit1,
          &TBibleRichEdit1::SelectAll);
  // The text control enables items 0..2 as the mouse presses; the menu also
  // opens from the keyboard, so it checks again as it opens.
  BRichEdit1->Enable0 = [this](const std::string& sel) { return Enable0(sel); };
  BRichEdit1->Enable1 = [this](const std::string& sel) { return Enable1(sel); };
  BRichEdit1->Enable2 = [this](const std::string& sel) { return Enable2(sel); };
  BRichEdit1->SetPopupMenu(PopupMenu1);
  connect(PopupMenu1, &QMenu::aboutToShow, this, &TDic_Form1::TextMenuShown);

  PopupMenu2 = new QMenu(this);
  PopupMenu2->setObjectName(QStringLiteral("PopupMenu2"));
  for (const char* name : {"SortByText", "SortByTime"}) {
    NewMenuItem(PopupMenu2, name)->setCheckable(true);
  }
  PopupMenu2->addSeparator();
  NewMenuItem(PopupMenu2, "DeleteItem");
  NewMenuItem(PopupMenu2, "CountItems");
  LargeListBox1->SetPopupMenu(PopupMenu2);

  PopupMenu3 = new QMenu(this);
  PopupMenu3->setObjectName(QStringLiteral("PopupMenu3"));
  connect(NewMenuItem(PopupMenu3, "BibleWSearch1"), &QAction::triggered, this,
          &TDic_Form1::BibleWSearch1Click);
  LargeListBox1->SetPopupMenu2(PopupMenu3);
}

void TDic_Form1::TextMenuShown() {
  const std::string sel = BRichEdit1->SelText();
  const QList<QAction*> items = PopupMenu1->actions();
  items[0]->setEnabled(Enable0(sel));
  items[1]->setEnabled(Enable1(sel));
  items[2]->setEnabled(Enable2(sel));
  items[3]->setEnabled(search_ != nullptr);
}

bool TDic_Form1::Enable0(const std::string& sel) const { return !sel.empty(); }

bool TDic_Form1::Enable1(const std::string& sel) { return IsDictionaryWord(TrimmedSelection(sel)); }

bool TDic_Form1::Enable2(const std::string& sel) const {
  if (navigator_ == nullptr || active_ == nullptr) return false;
  TBible* bible = active_->Bible();
  const std::string reference = TrimmedSelection(sel);
  if (bible == nullptr || reference.empty()) return false;
  int position = 0;
  int chapter = 0;
  int verse = 0;
  return bible->ParseReference(reference, position, chapter, verse);
}

void TDic_Form1::Copy1Click() { BRichEdit1->CopyToClipboard(); }

void TDic_Form1::Translate1Click() {
  const std::string word = TrimmedSelection(BRichEdit1->SelText());
  if (word.empty()) return;
  RecordHistory();
  SelectWord(word);
  RecordHistory();
}

void TDic_Form1::Navigate1Click() {
  const std::string reference = TrimmedSelection(BRichEdit1->SelText());
  if (navigator_ == nullptr || reference.empty()) return;
  if (isMaximized()) showNormal();
  navigator_->GoToReference(reference);
}

void TDic_Form1::Find1Click() {
  const std::string text = TrimmedSelection(BRichEdit1->SelText());
  if (search_ == nullptr || text.empty()) return;
  if (isMaximized()) MinimizeToolWindow(*this);
  search_->SearchFor(text);
}

void TDic_Form1::BibleWSearch1Click() {
  const std::string text = LargeListBox1->Text();
  if (search_ != nullptr && !text.empty()) search_->SearchFor(text);
}

}  // namespace lectora
