#include "mainwindow/LeftPanel.h"

#include <QAction>
#include <QGridLayout>
#include <QMenu>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/ActionRegistry.h"
#include "app/DesignCaption.h"
#include "app/ProgramServices.h"
#include "display/BibleComboBox.h"
#include "display/HistoryContext.h"
#include "display/LargeListBox.h"
#include "mainwindow/HistoryListView.h"
#include "navigation/ActiveTranslation.h"
#include "navigation/Navigator.h"
#include "store/Bible.h"
#include "store/Settings.h"
#include "tools/icons/ToolIcon.h"
#include "tools/links/LinksPage.h"
#include "tools/search/SearchPage.h"

namespace lectora {

namespace {

constexpr const char* kForm = "Lectora2Form1";

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
    QAction* action = menu->addAction(DesignCaption(kForm, name));
    action->setObjectName(QString::fromLatin1(name));
    action->setCheckable(std::string_view(name).starts_with("Sort"));
  }
  return menu;
}

}  // namespace

TLeftPanel::TLeftPanel(const TProgramServices& services, QWidget* parent)
    : QWidget(parent), active_(services.Active), navigator_(services.Navigator) {
  setObjectName(QStringLiteral("Panel3"));
  toolButton12_ = &services.Actions.Get(QStringLiteral("ToolButton12"));
  auto* layout = new QGridLayout(this);
  layout->setContentsMargins(2, 2, 2, 2);
  layout->setVerticalSpacing(2);
  CreatePages(services);
  layout->addWidget(PageControl1, 0, 0);
  // In the tab row's corner, so that no tab's caption runs under it; in a
  // narrow panel the two tabs shrink rather than scroll out of sight.
  PageControl1->setCornerWidget(BitBtn1, Qt::TopRightCorner);
  PageControl1->setUsesScrollButtons(false);
  PageControl1->setElideMode(Qt::ElideRight);
  CreateHistoryBox(services);
  layout->addWidget(Panel6, 1, 0);
  layout->setRowStretch(0, 1);
  setMinimumWidth(164);
  connect(&services.Active, &TActiveTranslation::TranslationChanged, this,
          &TLeftPanel::TranslationChanged);
  PageChanged(0);
}

void TLeftPanel::CreatePages(const TProgramServices& services) {
  PageControl1 = new QTabWidget(this);
  PageControl1->setObjectName(QStringLiteral("PageControl1"));
  SearchPage = new TSearchPage({services.WordSearch, services.Active, services.History,
                                services.Display, services.Options, services.Texts},
                               PageControl1);
  LargeListBox1 = SearchPage->LargeListBox1;
  PopupMenu2 = HistoryMenu(this);
  LargeListBox1->SetPopupMenu(PopupMenu2);
  PageControl1->addTab(SearchPage, DesignCaption(kForm, "TabSheet1"));
  const std::string linkTree = services.Settings.SetupFolder() + "LinkTree.txt";
  LinksPage = new TLinksPage(services.Links, services.Texts, services.Settings.ReadPath(linkTree),
                             PageControl1);
  LinksPage->SetSaveFileName(
      services.Settings.RunningFromCD() ? std::string() : services.Settings.WritePath(linkTree));
  PageControl1->addTab(LinksPage, DesignCaption(kForm, "TabSheet2"));
  connect(PageControl1, &QTabWidget::currentChanged, this, &TLeftPanel::PageChanged);
  BitBtn1 = new QToolButton(this);
  BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
  BitBtn1->setIcon(ToolIcon(QStringLiteral("close-panel")));
  if (BitBtn1->icon().isNull()) BitBtn1->setText(QStringLiteral("x"));
  BitBtn1->setAutoRaise(true);
  BitBtn1->setToolTip(DesignHint(kForm, "BitBtn1"));
  BitBtn1->setAccessibleName(DesignHint(kForm, "BitBtn1"));
  // The panel hides as when ToolButton12 is raised, and the windows tile.
  connect(BitBtn1, &QToolButton::clicked, this, [this] { toolButton12_->setChecked(false); });
  connect(&services.WordSearch, &TSearchService::SearchPageWanted, this, [this] {
    PageControl1->setCurrentIndex(0);
    toolButton12_->setChecked(true);
  });
}

void TLeftPanel::CreateHistoryBox(const TProgramServices& services) {
  Panel6 = new QWidget(this);
  Panel6->setObjectName(QStringLiteral("Panel6"));
  auto* foot = new QVBoxLayout(Panel6);
  foot->setContentsMargins(0, 0, 0, 0);
  HistoryBox = new TBibleComboBox(services.History, Panel6);
  HistoryBox->setObjectName(QStringLiteral("HistoryBox"));
  HistoryBox->SetReadOnly(true);
  HistoryBox->SetDropDownCount(8);
  HistoryBox->SetDropUp(true);
  PopupMenu3 = HistoryMenu(this);
  HistoryBox->SetPopupMenu(PopupMenu3);
  foot->addWidget(HistoryBox);

  THistoryContext& history = services.History;
  const auto translate = [&history](const std::string& key) { return history.Translate(key); };
  searchHistory_ = std::make_unique<THistoryListView>(
      *LargeListBox1->ComboBox(), services.ListMessage, "SearchedWords", translate);
  verseHistory_ = std::make_unique<THistoryListView>(*HistoryBox, services.ListMessage,
                                                     "OpenedVerses", translate);
  services.Active.AttachHistories(searchHistory_.get(), verseHistory_.get());
  services.Navigator.SetHistory(verseHistory_.get());
  TNavigator& navigator = services.Navigator;
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
  navigator_.SetHistory(nullptr);
  LargeListBox1->SetList(nullptr);
}

void TLeftPanel::SetSplitterTop(int height) { SearchPage->SetSplitterTop(height); }

int TLeftPanel::SplitterTop() const { return SearchPage->SplitterTop(); }

void TLeftPanel::SetPageIndex(int index) { PageControl1->setCurrentIndex(index == 1 ? 1 : 0); }

int TLeftPanel::PageIndex() const { return PageControl1->currentIndex(); }

void TLeftPanel::PageChanged(int index) {
  toolButton12_->setIcon(
      ToolIcon(index == 1 ? QStringLiteral("links-panel") : QStringLiteral("search-panel")));
}

void TLeftPanel::TranslationChanged(TBible* bible) {
  // The verse history takes the module's font and character set; the
  // search page follows by itself.
  QFont font = this->font();
  if (!bible->Font.Name.empty()) font.setFamily(QString::fromStdString(bible->Font.Name));
  if (bible->Font.Size > 0) font.setPointSize(bible->Font.Size);
  HistoryBox->setFont(font);
  HistoryBox->SetCharset(bible->Language.Charset());
}

}  // namespace lectora
