// The window area of the main window (a QMdiArea) and the Bible windows in
// it: opening a translation's window, activation, closing, tiling, and the
// window order the navigator moves them in. It is the host of every Bible
// window, answering from the services, and hands out none of the main
// window's widgets.
#pragma once

#include <QObject>
#include <QPointer>
#include <functional>
#include <vector>

#include "display/BibleWindowHost.h"

class QMdiArea;
class QMdiSubWindow;
class QWidget;

namespace lectora {

class TActionRegistry;
class TInterfaceTexts;

class TBibleWindowArea : public QObject, public IBibleWindowHost {
  Q_OBJECT

 public:
  // What the windows share; every reference must outlive the area.
  struct TServices {
    TBibleSet& Bibles;
    const TStandardStructure& Standard;
    TNavigator& Navigator;
    TActiveTranslation& Active;
    const TOptionValues& Options;
    const TInterfaceTexts& Texts;
    IMessageService& Messages;
    TDisplayContext& Display;
    TActionRegistry& Actions;  // "AOVer0".."AOVer11" and "ToolButton6" (Copy)
  };

  TBibleWindowArea(const TServices& services, QWidget* parent);
  ~TBibleWindowArea() override;

  QMdiArea* Area() const { return area_; }
  // True while the Strong's numbers are hidden (the frame's tool button).
  std::function<bool()> StrongNumbersHidden;
  // Called for every new window before it is shown (the interface
  // language captions it).
  std::function<void(TBibleForm1&)> WindowCreated;
  // 0: one below the other, 1: side by side ("TileMode").
  int TileMode = 0;

  // A window for translation `number` at the current standard number.
  // A module that is not found leaves no window and no check mark; null then.
  TBibleForm1* OpenBibleWindow(int number);
  // The translation command: opens, tiles and shows the place.
  void OpenTranslation(int number);
  // The Bible windows in window order: the topmost (last active) first.
  std::vector<TBibleForm1*> BibleWindows() const;
  TBibleForm1* ActiveWindow() const;
  void TileWindows();
  // Closes every window, the active one first.
  void CloseAllWindows();
  // Shows every window's place again (Strong's or footnotes toggled).
  void RefreshAllWindows();
  // Brings every window's current verse into view.
  void ShowActiveVerses();
  // After a font change: unless each translation keeps its own font
  // ("DifferentFonts"), every window takes the active window's font in its
  // own character set; every window shows its passage again, its current
  // verse in view, and the windows are tiled.
  void ApplyDisplayOptions();

  // ---- IBibleWindowHost ----
  TBibleSet& Bibles() override { return s_.Bibles; }
  const TStandardStructure& Standard() const override { return s_.Standard; }
  TNavigator& Navigator() override { return s_.Navigator; }
  TActiveTranslation& ActiveTranslation() override { return s_.Active; }
  const TOptionValues& Options() const override { return s_.Options; }
  bool StrongHidden() const override { return StrongNumbersHidden && StrongNumbersHidden(); }
  QColor CurrentVerseColor() const override;
  std::string Translate(const std::string& key) const override;
  IMessageService& Messages() override { return s_.Messages; }
  TDisplayContext& DisplayContext() override { return s_.Display; }
  QAction* CopyAction() override;
  bool IsActiveBibleWindow(const TBibleForm1* window) const override;
  void SetTranslationChecked(int number, bool checked) override;
  bool TranslationShownElsewhere(int number, const TBibleForm1* except) const override;
  void BibleWindowClosed(TBibleForm1* window) override;
  // The search panel's SearchFor, given by the frame (may be empty).
  std::function<void(const std::string&)> FindCommand;
  void SearchFor(const std::string& text) override {
    if (FindCommand) FindCommand(text);
  }
  // dictionary: given by the frame (may be null)
  IDictionary* DictionaryLink = nullptr;
  IDictionary* Dictionary() override { return DictionaryLink; }
  // pictures: given by the frame (may be null)
  IWordPictures* PicturesLink = nullptr;
  IWordPictures* Pictures() override { return PicturesLink; }

 Q_SIGNALS:
  // The first window opened (true) or the last one closed (false).
  void WindowsPresent(bool present);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void SubWindowActivated(QMdiSubWindow* window);
  TBibleForm1* WindowOf(QMdiSubWindow* window) const;

  TServices s_;
  int windowsCreated_ = 0;
  QMdiArea* area_ = nullptr;
  QPointer<TBibleForm1> activeWindow_;
};

}  // namespace lectora
