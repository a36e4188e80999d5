// The left panel of the main window (Panel3): a page control (PageControl1)
// with the search page (the word-order choice, Paste, the search box with
// the active translation's word list, the verse list) and the links page
// (the user link tree's place), a small close button (BitBtn1) at the top
// right, and the verse history (HistoryBox) at its foot. It gives the
// services its two history lists, and ToolButton12 takes the image of the
// page shown.
#pragma once

#include <QWidget>
#include <memory>

class QAction;
class QMenu;
class QTabWidget;
class QToolButton;

namespace lectora {

class TActiveTranslation;
class TBible;
class TBibleComboBox;
class THistoryListView;
class TLargeListBox;
class TLinksPage;
class TNavigator;
class TSearchPage;
struct TProgramServices;

class TLeftPanel : public QWidget {
  Q_OBJECT

 public:
  // Creates the controls and hands the histories to the active translation
  // and the verse history to the navigator; `services` must outlive the
  // panel.
  explicit TLeftPanel(const TProgramServices& services, QWidget* parent = nullptr);
  ~TLeftPanel() override;

  // The height of the word list above Splitter2 ("SplitterTop").
  void SetSplitterTop(int height);
  int SplitterTop() const;
  // The page shown ("TabPageIndex": 0 search, 1 user links).
  void SetPageIndex(int index);
  int PageIndex() const;

  TSearchPage* SearchPage = nullptr;
  TLargeListBox* LargeListBox1 = nullptr;
  QTabWidget* PageControl1 = nullptr;
  TLinksPage* LinksPage = nullptr;  // the user link tree (TabSheet2)
  QToolButton* BitBtn1 = nullptr;
  QWidget* Panel6 = nullptr;
  TBibleComboBox* HistoryBox = nullptr;
  QMenu* PopupMenu2 = nullptr;  // the search history's menu
  QMenu* PopupMenu3 = nullptr;  // the verse history's menu

 private:
  void CreatePages(const TProgramServices& services);
  void CreateHistoryBox(const TProgramServices& services);
  void TranslationChanged(TBible* bible);
  // ToolButton12 takes the image of the page shown.
  void PageChanged(int index);

  // The services themselves: the record handed in may go before the panel.
  TActiveTranslation& active_;
  TNavigator& navigator_;
  QAction* toolButton12_ = nullptr;
  std::unique_ptr<THistoryListView> searchHistory_;
  std::unique_ptr<THistoryListView> verseHistory_;
};

}  // namespace lectora
