// The program's side of the interface "DdeServerConv1": the six items other
// programs poke text into, each keeping its last text for a request. SetBook
// moves as Enter in the book box does, SetChapter and SetVerse go through
// the spin edits (and their typing rule), Explane looks a word up in the
// dictionary, Concordance searches and opens the first verse found, and
// CloseOnTop lets the on-top viewer go. After SetBook and SetVerse the item
// "SetVerse" holds the text of the current verse. Texts arrive as Unicode and
// are converted to the code page they are meant for: the active
// translation's for places and searches, Windows-1251 for the dictionary.
// The main window gives its controls through THooks; nothing here reads a
// widget.
#pragma once

#include <QObject>
#include <QString>
#include <array>
#include <functional>
#include <string>

#include "tools/dde/DdeServerItems.h"

namespace lectora {

class IDictionary;
class ISearchBox;
class TActiveTranslation;
class TOnTopClient;
class TOptionValues;
class TSearchService;

class TDdeServer : public QObject, public IDdeServerItems {
  Q_OBJECT

 public:
  // What the main window lends the server; each may be empty until the
  // window is built (a poke then does nothing).
  struct THooks {
    // A Bible window is open (the place pokes need one).
    std::function<bool()> HasBibleWindow;
    // Book box text := `text` (8-bit), then as Enter in the book box.
    std::function<void(const std::string& text)> EnterBookBox;
    // SpinEdit1 / SpinEdit2 text := `text`; the spin's change applies it.
    std::function<void(const QString& text)> SetChapterText;
    std::function<void(const QString& text)> SetVerseText;
    // CurrentVerseText of the active Bible window (8-bit, its code page).
    std::function<std::string()> CurrentVerseText;
    // The clipboard's BringToFront: the program comes forward.
    std::function<void()> BringToFront;
    // Minimises the dictionary window when it is shown.
    std::function<void()> MinimizeDictionary;
    // The search box (not owned; may be null).
    ISearchBox* SearchBox = nullptr;
  };

  // Every reference must outlive the server.
  TDdeServer(TActiveTranslation& active, TOptionValues& options, IDictionary& dictionary,
             TSearchService& search, TOnTopClient& onTop, QObject* parent = nullptr);

  // Filled by the main window (its controls) and the program (the windows).
  THooks Hooks;

  // ---- IDdeServerItems ----
  bool Poke(const QString& item, const QString& text) override;
  bool Request(const QString& item, QString& text) const override;

  // The pokes, by item; each first keeps `text` as the item's text.
  void SetBookPokeData(const QString& text);
  void SetChapterPokeData(const QString& text);
  void SetVersePokeData(const QString& text);
  void ExplanePokeData(const QString& text);
  void ConcordancePokeData(const QString& text);
  void CloseOnTopPokeData(const QString& text);

 Q_SIGNALS:
  // A poke has run to completion (benchmarks wait for it).
  void Poked(const QString& item);

 private:
  enum TItem { kSetBook, kSetChapter, kSetVerse, kExplane, kConcordance, kCloseOnTop, kItems };
  // -1 for an unknown item.
  static int ItemOf(const QString& item);
  // The active translation's character set (Windows-1251 without one).
  int Charset() const;
  bool HasBibleWindow() const { return Hooks.HasBibleWindow && Hooks.HasBibleWindow(); }
  // Item "SetVerse" := the current verse's text.
  void TakeCurrentVerse();

  TActiveTranslation& active_;
  TOptionValues& options_;
  IDictionary& dictionary_;
  TSearchService& search_;
  TOnTopClient& onTop_;
  std::array<QString, kItems> items_;
};

}  // namespace lectora
