// The search page of the left panel: the word-order choice (ComboBox2) and
// the Paste button (Button1) above the search box with the active module's
// word list (LargeListBox1), and below a splitter the verse list (ListBox2)
// with its copy menu; the status text of the list (Label1) goes to the main
// window's status line. It is the view of the search service: it hands the
// reader's events to the service and shows what the service answers.
#pragma once

#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "tools/search/SearchListCopy.h"
#include "tools/search/SearchService.h"

class QAction;
class QComboBox;
class QLabel;
class QListView;
class QMenu;
class QPushButton;
class QSplitter;

namespace lectora {

class IDictionary;
class TActiveTranslation;
class TBible;
class TDisplayContext;
class THistoryContext;
class TInterfaceTexts;
class TKeyTranslator;
class TLargeListBox;
class TOptionValues;
class TVerseListModel;

class TSearchPage : public QWidget, public ISearchBox {
  Q_OBJECT

 public:
  struct TServices {
    TSearchService& Search;
    TActiveTranslation& Active;
    THistoryContext& History;
    TDisplayContext& Display;
    const TOptionValues& Options;
    const TInterfaceTexts& Texts;
  };
  // Creates the controls and attaches itself to the service as its search
  // box; every service must outlive the page.
  TSearchPage(const TServices& services, QWidget* parent = nullptr);
  ~TSearchPage() override;

  // The height of the search box above Splitter2.
  void SetSplitterTop(int height);
  int SplitterTop() const;

  // ---- ISearchBox ----
  // The box text in the module's code page; an accented Greek letter or
  // a typographic mark the alphabet lacks becomes its plain form.
  std::string BoxText() const override;
  void PutText(const std::string& text) override;
  bool WordSelected() const override;
  void AddToHistory(const std::string& text, std::uint16_t firstVerse) override;

  // The language of the box text: the active module's, or the service's
  // kForeignLanguage when it holds a letter the module's code page lacks.
  int BoxLanguage() const;
  // The rows of ListBox2 that are selected, ascending.
  std::vector<int> SelectedRows() const;

  // ---- commands (the menu items and Button1) ----
  void Button1Click();
  void Copy1Click();
  void Copy2Click();
  void Copy3Click();
  void Copy4Click();

  // ---- components ----
  QWidget* Panel1 = nullptr;
  QComboBox* ComboBox2 = nullptr;
  QPushButton* Button1 = nullptr;
  TLargeListBox* LargeListBox1 = nullptr;
  QListView* ListBox2 = nullptr;
  QLabel* Label1 = nullptr;
  QMenu* PopupMenu1 = nullptr;
  QAction* Copy1 = nullptr;
  QAction* Copy2 = nullptr;
  QAction* Copy3 = nullptr;
  QMenu* PopupMenu5 = nullptr;
  QAction* Copy4 = nullptr;
  QAction* Dictionary2 = nullptr;
  TSearchListCopy& Copier() { return *copier_; }
  // The dictionary Dictionary2 looks the selected word up in (not owned,
  // may be null: the item then stays disabled).
  void SetDictionary(IDictionary* dictionary) { dictionary_ = dictionary; }
  // The word of the selected row of LargeListBox1; empty when none is.
  std::string SelectedWord() const;

 protected:
  // Enter in the search box.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CreatePanel1();
  void CreateLists();
  void CreateMenus();
  void Wire();
  void WireSearchBox();
  void TranslationChanged(TBible* bible);
  void ListShown();
  void SelectRow(int row);
  // Runs `copy` with what a copy of the list needs; nothing without a
  // module or a list.
  void WithCopySource(const std::function<void(const TSearchListCopy::TSource&)>& copy);

  TServices s_;
  QSplitter* splitter2_ = nullptr;
  TVerseListModel* model_ = nullptr;
  TKeyTranslator* keys_ = nullptr;
  std::unique_ptr<TSearchListCopy> copier_;
  IDictionary* dictionary_ = nullptr;
};

}  // namespace lectora
