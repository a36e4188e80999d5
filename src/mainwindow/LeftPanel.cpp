#include "mainwindow/LeftPanel.h"

#include <QAction>
#include <QListWidget>
#include <QMenu>
#include <QSplitter>
#include <QVBoxLayout>

#include "app/DesignCaption.h"
#include "display/BibleComboBox.h"
#include "display/HistoryContext.h"
#include "display/LargeListBox.h"
#include "mainwindow/HistoryListView.h"
#include "navigation/ActiveTranslation.h"
#include "navigation/Navigator.h"
#include "search/ConcList.h"
#include "store/Bible.h"

namespace lectora {

namespace {

// The six items of a history list's menu: sort by text, by time, by place;
// separator; delete; count.
QMenu* HistoryMenu(QWidget* parent) {
  auto* menu = new QMenu(parent);
  for (const char* name :
       {"SortByText", "SortByTime", "SortByPlace", "-", "DeleteItem", "CountItems"}) {
    if (std::string_view(name) == "-") {
      menu->addSeparator();
      continue;
    }
    QAction* action = menu->addAction(DesignCaption("Lectora2Form1", name));
    action->setObjectName(QString::fromLatin1(name));
    action->setCheckable(std::string_view(name).starts_with("Sort"));
  }
  return menu;
}

}  // namespace

TLeftPanel::TLeftPanel(TNavigator& navigator, TActiveTranslation& active, THistoryContext& history,
                       TListMessageForm1& limit, QWidget* parent)
    : QWidget(parent), active_(active) {
  setObjectName(QStringLiteral("Panel3"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(2, 2, 2, 2);
  splitter2_ = new QSplitter(Qt::Vertical, this);
  splitter2_->setObjectName(QStringLiteral("Splitter2"));
  LargeListBox1 = new TLargeListBox(history, splitter2_);
  LargeListBox1->setObjectName(QStringLiteral("LargeListBox1"));
  PopupMenu2 = HistoryMenu(this);
  LargeListBox1->SetPopupMenu(PopupMenu2);
  ListBox2 = new QListWidget(splitter2_);
  ListBox2->setObjectName(QStringLiteral("ListBox2"));
  splitter2_->addWidget(LargeListBox1);
  splitter2_->addWidget(ListBox2);
  layout->addWidget(splitter2_, 1);
  HistoryBox = new TBibleComboBox(history, this);
  HistoryBox->setObjectName(QStringLiteral("HistoryBox"));
  HistoryBox->SetReadOnly(true);
  HistoryBox->SetDropDownCount(8);
  HistoryBox->SetDropUp(true);
  PopupMenu3 = HistoryMenu(this);
  HistoryBox->SetPopupMenu(PopupMenu3);
  layout->addWidget(HistoryBox);
  setMinimumWidth(80);

  const auto translate = [&history](const std::string& key) { return history.Translate(key); };
  searchHistory_ = std::make_unique<THistoryListView>(*LargeListBox1->ComboBox(), limit,
                                                      "SearchedWords", translate);
  verseHistory_ = std::make_unique<THistoryListView>(*HistoryBox, limit, "OpenedVerses", translate);
  active.AttachHistories(searchHistory_.get(), verseHistory_.get());
  navigator.SetHistory(verseHistory_.get());
  connect(&active, &TActiveTranslation::TranslationChanged, this, &TLeftPanel::TranslationChanged);
  connect(&active, &TActiveTranslation::TranslationCleared, this,
          [this] { LargeListBox1->SetList(nullptr); });
  connect(HistoryBox, &TODComboBox::Changed, this, [this, &navigator] {
    const int index = HistoryBox->ItemIndex();
    if (index >= 0 && index < static_cast<int>(HistoryBox->Indexes().size())) {
      navigator.GoToVerse(HistoryBox->Indexes()[static_cast<std::size_t>(index)]);
    }
  });
}

TLeftPanel::~TLeftPanel() {
  // The services outlive the panel: they must not keep its lists.
  active_.AttachHistories(nullptr, nullptr);
  LargeListBox1->SetList(nullptr);
}

void TLeftPanel::SetSplitterTop(int height) {
  const int total = std::max(splitter2_->height(), height + 40);
  splitter2_->setSizes({height, total - height});
}

int TLeftPanel::SplitterTop() const {
  const QList<int> sizes = splitter2_->sizes();
  return sizes.isEmpty() ? 0 : sizes.first();
}

void TLeftPanel::TranslationChanged(TBible* bible) {
  // The lists take the module's font and character set.
  QFont font = this->font();
  if (!bible->Font.Name.empty()) font.setFamily(QString::fromStdString(bible->Font.Name));
  if (bible->Font.Size > 0) font.setPointSize(bible->Font.Size);
  const int charset = bible->Language.Charset();
  HistoryBox->setFont(font);
  HistoryBox->SetCharset(charset);
  LargeListBox1->SetFont(font);
  LargeListBox1->SetCharset(charset);
  ListBox2->setFont(font);
  ListBox2->clear();
  LargeListBox1->SetList(active_.WordList());
}

}  // namespace lectora
