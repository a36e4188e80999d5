// The left panel of the main window (Panel3): the active translation's word
// list with its search history above (LargeListBox1), the verse list
// (ListBox2), and the verse history at its foot (HistoryBox). It follows the
// active translation (font, word list) and gives the services its two
// history lists.
#pragma once

#include <QWidget>
#include <memory>

class QListWidget;
class QMenu;
class QSplitter;

namespace lectora {

class TActiveTranslation;
class TBible;
class TBibleComboBox;
class THistoryContext;
class THistoryListView;
class TLargeListBox;
class TListMessageForm1;
class TNavigator;

class TLeftPanel : public QWidget {
  Q_OBJECT

 public:
  // Creates the controls and hands the histories to `active` and the verse
  // history to `navigator`; all three services must outlive the panel.
  TLeftPanel(TNavigator& navigator, TActiveTranslation& active, THistoryContext& history,
             TListMessageForm1& limit, QWidget* parent = nullptr);
  ~TLeftPanel() override;

  // The height of the word list above the splitter ("SplitterTop").
  void SetSplitterTop(int height);
  int SplitterTop() const;

  TLargeListBox* LargeListBox1 = nullptr;
  QListWidget* ListBox2 = nullptr;
  TBibleComboBox* HistoryBox = nullptr;
  QMenu* PopupMenu2 = nullptr;  // the search history's menu
  QMenu* PopupMenu3 = nullptr;  // the verse history's menu

 private:
  void TranslationChanged(TBible* bible);

  TActiveTranslation& active_;
  QSplitter* splitter2_ = nullptr;
  std::unique_ptr<THistoryListView> searchHistory_;
  std::unique_ptr<THistoryListView> verseHistory_;
};

}  // namespace lectora
