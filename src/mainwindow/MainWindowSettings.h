// The main window's own settings, section "MainWindow" of the settings file,
// and the sections "Bible0", "Bible1", ... that remember which translation
// each Bible window showed. Read when the program starts, written when the
// main window closes; the main window moves the values between this record
// and its controls. Nothing is written when the settings are read-only (the
// program runs from a medium it cannot write).
//
// "SearchRange" holds one character per book number 1..87, "1" searched and
// "0" not. A stored value that is too short or holds other characters keeps
// its valid leading characters; the books from the first bad character (or
// the end of the value) on are searched, as if the value had been "1" there.
#pragma once

#include <QList>
#include <QRect>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "store/WindowPlacement.h"

namespace lectora {

class TMyIniFile;

class TMainWindowSettings {
 public:
  static constexpr int kBookNumbers = 87;
  // More Bible windows than this are not reopened: a damaged count must not
  // open thousands of windows.
  static constexpr int kMaxBibleWindows = 64;
  static constexpr int kTranslationCount = 12;

  // "WindowState", "Top", "Left", "Width", "Height"; the form's design
  // values are the defaults (set them before Read).
  TWindowPlacement Placement;
  int PanelWidth = 164;
  int SplitterTop = 114;
  std::uint32_t CurrentVerseColor = 0x008000;
  std::uint32_t FoundWordColor = 0x0000FF;
  std::uint32_t FootntColor = 0xFF0000;
  int SearchRangeType = 0;  // 0..3
  // By book number 1..87; element 0 unused.
  std::array<bool, kBookNumbers + 1> SearchRange = AllBooks();
  bool DifferentFonts = false;
  bool AllowChaset = true;
  bool HideStrong = false;
  bool ShowFinder = true;
  bool ShowLinks = false;
  bool Speak = false;
  int GlVIndex = 1;
  int MaxListCount = 200;
  int TabPageIndex = 0;  // 0 search, 1 user links
  int TileMode = 0;      // 0 horizontally, 1 vertically
  int Order = 0;         // 0..2
  int CmBB1Width = 96;
  std::string AudioPath;
  bool AudioFix = false;  // read, never written
  std::string SearchText;
  int SearchTextLang = 0;
  bool IsDicVizible = false;
  bool IsFloatpane = false;
  bool IsNoteBookOpened = false;
  bool IsPictureShown = false;
  // "CheckClipboard" and "ShowAbout", options 0 and 9: the options read
  // them themselves; the main window sets these from the options before
  // Write. Read reads them too, so a record read and written back keeps them.
  bool CheckClipboard = true;
  bool ShowAbout = true;
  // "MDIChildCount" and "BibleHndl" of "Bible" + i: BibleHandles[i] is the
  // translation number of window i (in window order). Windows are reopened
  // from the last to the first.
  std::vector<int> BibleHandles;

  // Every key of the table, in table order; missing keys keep the values
  // this record holds (the defaults above unless the caller changed them).
  // Integers with a fixed range (SearchRangeType, TabPageIndex, TileMode,
  // Order) and translation numbers outside 0..11 take their defaults, so a
  // damaged file cannot select what does not exist.
  void Read(const TMyIniFile& ini);
  // Writes the placement and the keys in the closing order: first the
  // placement, PanelWidth .. GlVIndex; then the "Bible" sections (the old
  // "MDIChildCount" sections are erased before the new count and sections
  // are written); then DifferentFonts .. CmBB1Width. Writes nothing when
  // `ini` is read-only.
  void Write(TMyIniFile& ini) const;

  // SearchRange as stored: 87 characters "1" or "0".
  std::string SearchRangeText() const;
  // Parses a stored SearchRange as the header comment says.
  static std::array<bool, kBookNumbers + 1> ParseSearchRange(const std::string& text);
  static std::array<bool, kBookNumbers + 1> AllBooks();
};

// A stored window rectangle moved onto a visible screen. `screens` are the
// available geometries of the screens, the primary one first. A rectangle
// whose top edge lies on a screen with at least kMinVisible pixels of it
// showing in both directions stays as it is; any other is moved onto the
// screen it overlaps most (the primary one when it overlaps none), shrunk to
// fit that screen and kept whole inside it. With no screens it is returned
// unchanged. REQUIRES: coordinates well inside the int range (a stored
// placement goes through FitPlacementOntoScreens, which sees to that).
QRect FitOntoScreens(const QRect& stored, const QList<QRect>& screens);
inline constexpr int kMinVisible = 50;
// FitOntoScreens applied to a placement read with a stored position (Left,
// Top, Width, Height); a maximised placement or one without a stored
// position is left alone.
void FitPlacementOntoScreens(TWindowPlacement& placement, const QList<QRect>& screens);

}  // namespace lectora
