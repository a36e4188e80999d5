// The notes window: the reader's notebook, one formatted note per standard
// verse number, so the same note shows whichever translation is read. It
// follows the current place: on every move while it is shown the note
// being edited is saved and the note of the new place loaded. A tool
// window of the main window: it stays above that window only.
#pragma once

#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>

#include "tools/notes/NoteBook.h"

class QAction;
class QMenu;
class QToolBar;
class QToolButton;

namespace lectora {

class TDisplayContext;
class TInterfaceTexts;
class TNavigator;
class TNoteEdit;
class TNotesStore;
class TOptionValues;
class TSettings;

class TNoteForm1 : public QWidget, public INoteBook {
  Q_OBJECT

 public:
  struct TServices {
    TSettings& Settings;
    TInterfaceTexts& Texts;
    TDisplayContext& Display;  // ClipboardWatch
    TNavigator& Navigator;
    TOptionValues& Options;  // "AutoMin"
  };

  // FormCreate: opens the store in the setup folder's "Notes" (read-only
  // when the folder cannot be written). The services must outlive the
  // window; `parent` is the main window.
  TNoteForm1(const TServices& services, QWidget* parent);
  ~TNoteForm1() override;

  // ---- INoteBook ----
  void ShowNotes(bool restore) override;
  bool IsShown() const override { return isVisible(); }
  void SaveOnExit() override;

  // Saves the note of CurrentNote() when edited and shows note `n`, which
  // becomes the current one. A note that could not be saved stays in the
  // editor as the current one, and the reader is told.
  void SetNote(std::int32_t n);
  // Algorithm of both tool buttons: the nearest note before (`forward`
  // false) or after the current place, moved to through the navigator.
  // KeepOpen is set either way.
  void StepNote(bool forward);

  std::int32_t CurrentNote() const { return currentNote_; }
  bool KeepOpen() const { return keepOpen_; }
  // The notices go here (the program's message dialog).
  std::function<void(const QString&)> ShowInfo;
  TNotesStore& Store() { return *store_; }
  TNoteEdit& Editor() { return *RichEdit1; }

  // ---- PopupMenu1 ----
  void PopupMenu1Popup();
  void Copy1Click();
  void Cut1Click();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void CreateControls();
  void CreateMenu();
  QAction* NewAction(const char* name);
  // Algorithm 1; false (nothing switched) when the old note could not be
  // saved. Does nothing while the window is hidden.
  bool SwitchNote(std::int32_t oldNote, std::int32_t newNote);
  bool SaveNote(std::int32_t n);
  void LoadNote(std::int32_t n);
  void ClearEditor();
  void ReadPlacement();
  void WritePlacement();
  // After a move: minimised under "AutoMin" unless a tool button moved.
  void AfterNavigation();
  void Tell(const QString& text) const;
  // The interface language's notice of `key`, `english` without one.
  QString Notice(const char* key, const char* english) const;

  TServices s_;
  std::unique_ptr<TNotesStore> store_;
  std::int32_t currentNote_ = 0;
  bool keepOpen_ = false;
  bool readOnlyTold_ = false;
  QToolBar* ToolBar1 = nullptr;
  QToolButton* ToolButton1 = nullptr;
  QToolButton* ToolButton2 = nullptr;
  TNoteEdit* RichEdit1 = nullptr;
  QMenu* PopupMenu1 = nullptr;
  QAction* Undu1 = nullptr;
  QAction* Cut1 = nullptr;
  QAction* Copy1 = nullptr;
  QAction* Paste1 = nullptr;
  QAction* SelectAll1 = nullptr;
};

}  // namespace lectora
