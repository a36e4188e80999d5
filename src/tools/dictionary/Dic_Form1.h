// The dictionary window: the headword list of one installed dictionary
// beside the explanation of the selected headword, switching by itself to
// the dictionary that holds a word looked up. A tool window of the main
// window: it stays above that window only, never above other programs.
#pragma once

#include <QDateTime>
#include <QWidget>
#include <cstdint>
#include <string>
#include <vector>

#include "search/DictionaryCatalogue.h"
#include "tools/dictionary/Dictionary.h"

class QAction;
class QMenu;
class QSplitter;
class QToolButton;

namespace lectora {

class TActiveTranslation;
class IWordPictures;
class TBibleRichEdit1;
class TNavigator;
class TSearchService;
class TDisplayContext;
class THistoryContext;
class TInterfaceTexts;
class TLargeListBox;
class TSettings;

class TDic_Form1 : public QWidget, public IDictionary {
  Q_OBJECT

 public:
  // The services (not owned) must outlive the window; `parent` is the main
  // window, which the window stays above.
  TDic_Form1(TSettings& settings, TInterfaceTexts& texts, TDisplayContext& display,
             THistoryContext& history, QWidget* parent);

  // The services the popup menus reach beyond the window: the active
  // translation (its module reads a selected reference and lends the
  // window its font), the navigator a reference moves, and the word
  // search. Not owned; they outlive the window. Until this is called the
  // Bible and search items stay disabled.
  void ConnectProgram(TActiveTranslation& active, TNavigator& navigator, TSearchService& search);

  // ---- IDictionary ----
  void LookUpWord(const std::string& word) override;
  void ShowDictionary() override;
  bool IsDictionaryWord(const std::string& word) override;
  bool IsShown() const override { return isVisible(); }
  void SaveSettings() override;

  // Opens the dictionary that should show `word` and positions the list on
  // it (or where it would stand).
  void SelectWord(const std::string& word);
  // Opens catalogue entry `number`; false when there is none.
  bool OpenDictionary(int number);
  // Shows explanation CurrentExplanation() of the selected headword.
  void ShowExplanation();
  // Adds or updates the list text's history entry with the explanation
  // number and the present time.
  void RecordHistory();

  // Gives the list and the text the active Bible module's font with the
  // Cyrillic character set; keeps the present font when no Bible window is
  // active.
  void ApplyBibleFont();
  // pictures: the illustration button shows the list text's pictures;
  // `pictures` (not owned) takes the stored "PicFile" and must outlive this.
  void SetPictures(IWordPictures* pictures);

  // After a change of the interface language: the dictionary menu's
  // titles through the new message table.
  void ApplyMessages();

  const TDictionaryCatalogue& Catalogue() const { return catalogue_; }
  int CurrentExplanation() const { return currentExplanation_; }
  int ExplanationCount() const { return static_cast<int>(explanations_.size()); }

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void CreateControls();
  void ReadSettings();
  // Builds the catalogue when it is empty, with tool button 6's menu and
  // the message of what to do next.
  void BuildCatalogue();
  void BuildDictionaryMenu();
  void ChooseDictionary(int number);
  void ListChanged();
  void HeadwordSelected();
  void StepExplanation(int step);
  QString Message(const std::string& key) const;
  // ---- the popup menus (Dic_Form1Menus.cpp) ----
  void CreateMenus();
  QAction* NewMenuItem(QMenu* menu, const char* name);
  void TextMenuShown();
  bool Enable0(const std::string& sel) const;
  bool Enable1(const std::string& sel);
  bool Enable2(const std::string& sel) const;
  void Copy1Click();
  void Translate1Click();
  void Navigate1Click();
  void Find1Click();
  void BibleWSearch1Click();

  QString TitleCaption() const;

  TSettings& settings_;
  TInterfaceTexts& texts_;
  TDictionaryCatalogue catalogue_;
  TLargeListBox* LargeListBox1 = nullptr;
  QToolButton* ToolButton1 = nullptr;
  QToolButton* ToolButton2 = nullptr;
  QToolButton* ToolButton3 = nullptr;
  QToolButton* ToolButton4 = nullptr;
  QToolButton* ToolButton5 = nullptr;
  QToolButton* ToolButton6 = nullptr;
  QMenu* DicMenu = nullptr;
  // The text's menu: Copy1, Translate1, Navigate1, Find1, SelectAll1.
  QMenu* PopupMenu1 = nullptr;
  // The history order and commands of the list's edit field.
  QMenu* PopupMenu2 = nullptr;
  // The list rows' menu: BibleWSearch1.
  QMenu* PopupMenu3 = nullptr;
  TActiveTranslation* active_ = nullptr;
  TNavigator* navigator_ = nullptr;
  TSearchService* search_ = nullptr;
  TBibleRichEdit1* BRichEdit1 = nullptr;
  QSplitter* splitter_ = nullptr;
  // Record numbers of the selected headword's explanations.
  std::vector<std::uint16_t> explanations_;
  int currentExplanation_ = 1;
  std::string lastListText_;
  QDateTime viewTime_;
  int pictureIndex_ = 0;
  IWordPictures* pictures_ = nullptr;  // pictures
};

}  // namespace lectora
