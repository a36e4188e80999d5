#include "mainwindow/MainWindowSettings.h"

#include <algorithm>

#include "store/IniFile.h"

namespace lectora {

namespace {

const std::string kSection = "MainWindow";
const std::string kBibleSection = "Bible";
constexpr int kDefaultBibleHndl = 1;
constexpr int kMaximized = 2;
// A window moved onto a screen is at least this big, unless the screen is
// smaller.
constexpr int kMinMovedSize = 200;
constexpr int kCoordinateLimit = 1 << 20;

int ReadRanged(const TMyIniFile& ini, const char* key, int current, int low, int high) {
  const int value = ini.ReadInteger(kSection, key, current);
  return value >= low && value <= high ? value : current;
}

std::string BibleSection(int i) { return kBibleSection + std::to_string(i); }

int ClampedCount(int count) { return std::clamp(count, 0, TMainWindowSettings::kMaxBibleWindows); }

}  // namespace

std::array<bool, TMainWindowSettings::kBookNumbers + 1> TMainWindowSettings::AllBooks() {
  std::array<bool, kBookNumbers + 1> all{};
  all.fill(true);
  return all;
}

std::array<bool, TMainWindowSettings::kBookNumbers + 1> TMainWindowSettings::ParseSearchRange(
    const std::string& text) {
  std::array<bool, kBookNumbers + 1> range = AllBooks();
  for (int book = 1; book <= kBookNumbers; ++book) {
    const std::size_t i = static_cast<std::size_t>(book - 1);
    if (i >= text.size() || (text[i] != '0' && text[i] != '1')) break;
    range[book] = text[i] == '1';
  }
  return range;
}

std::string TMainWindowSettings::SearchRangeText() const {
  std::string text;
  text.reserve(kBookNumbers);
  for (int book = 1; book <= kBookNumbers; ++book) text += SearchRange[book] ? '1' : '0';
  return text;
}

void TMainWindowSettings::Read(const TMyIniFile& ini) {
  ini.ReadWindow(kSection, Placement);
  PanelWidth = ini.ReadInteger(kSection, "PanelWidth", PanelWidth);
  SplitterTop = ini.ReadInteger(kSection, "SplitterTop", SplitterTop);
  CurrentVerseColor = static_cast<std::uint32_t>(
      ini.ReadInteger(kSection, "CurrentVerseColor", static_cast<int>(CurrentVerseColor)));
  FoundWordColor = static_cast<std::uint32_t>(
      ini.ReadInteger(kSection, "FoundWordColor", static_cast<int>(FoundWordColor)));
  FootntColor = static_cast<std::uint32_t>(
      ini.ReadInteger(kSection, "FootntColor", static_cast<int>(FootntColor)));
  SearchRangeType = ReadRanged(ini, "SearchRangeType", SearchRangeType, 0, 3);
  if (ini.ValueExists(kSection, "SearchRange")) {
    SearchRange = ParseSearchRange(ini.ReadString(kSection, "SearchRange", ""));
  }
  DifferentFonts = ini.ReadBool(kSection, "DifferentFonts", DifferentFonts);
  AllowChaset = ini.ReadBool(kSection, "AllowChaset", AllowChaset);
  HideStrong = ini.ReadBool(kSection, "HideStrong", HideStrong);
  ShowFinder = ini.ReadBool(kSection, "ShowFinder", ShowFinder);
  ShowLinks = ini.ReadBool(kSection, "ShowLinks", ShowLinks);
  Speak = ini.ReadBool(kSection, "Speak", Speak);
  GlVIndex = ini.ReadInteger(kSection, "GlVIndex", GlVIndex);
  MaxListCount = ini.ReadInteger(kSection, "MaxListCount", MaxListCount);
  TabPageIndex = ReadRanged(ini, "TabPageIndex", TabPageIndex, 0, 1);
  TileMode = ReadRanged(ini, "TileMode", TileMode, 0, 1);
  Order = ReadRanged(ini, "Order", Order, 0, 2);
  CmBB1Width = ini.ReadInteger(kSection, "CmBB1Width", CmBB1Width);
  AudioPath = ini.ReadString(kSection, "AudioPath", AudioPath);
  AudioFix = ini.ReadBool(kSection, "AudioFix", AudioFix);
  SearchText = ini.ReadString(kSection, "SearchText", SearchText);
  SearchTextLang = ini.ReadInteger(kSection, "SearchTextLang", SearchTextLang);
  IsDicVizible = ini.ReadBool(kSection, "IsDicVizible", IsDicVizible);
  IsFloatpane = ini.ReadBool(kSection, "IsFloatpane", IsFloatpane);
  IsNoteBookOpened = ini.ReadBool(kSection, "IsNoteBookOpened", IsNoteBookOpened);
  IsPictureShown = ini.ReadBool(kSection, "IsPictureShown", IsPictureShown);
  CheckClipboard = ini.ReadBool(kSection, "CheckClipboard", CheckClipboard);
  ShowAbout = ini.ReadBool(kSection, "ShowAbout", ShowAbout);

  const int count = ClampedCount(ini.ReadInteger(kSection, "MDIChildCount", 0));
  BibleHandles.assign(static_cast<std::size_t>(count), kDefaultBibleHndl);
  for (int i = 0; i < count; ++i) {
    const int handle = ini.ReadInteger(BibleSection(i), "BibleHndl", kDefaultBibleHndl);
    if (handle >= 0 && handle < kTranslationCount)
      BibleHandles[static_cast<std::size_t>(i)] = handle;
  }
}

void TMainWindowSettings::Write(TMyIniFile& ini) const {
  if (ini.ReadOnly()) return;
  ini.WriteWindow(kSection, Placement);
  ini.WriteInteger(kSection, "PanelWidth", PanelWidth);
  ini.WriteInteger(kSection, "SplitterTop", SplitterTop);
  ini.WriteInteger(kSection, "CurrentVerseColor", static_cast<int>(CurrentVerseColor));
  ini.WriteInteger(kSection, "FoundWordColor", static_cast<int>(FoundWordColor));
  ini.WriteInteger(kSection, "FootntColor", static_cast<int>(FootntColor));
  ini.WriteInteger(kSection, "SearchRangeType", SearchRangeType);
  ini.WriteString(kSection, "SearchRange", SearchRangeText());
  ini.WriteInteger(kSection, "GlVIndex", GlVIndex);

  // The old count says which sections the last run wrote; a damaged count
  // is clamped like on reading, so this cannot run away either.
  const int oldCount = ClampedCount(ini.ReadInteger(kSection, "MDIChildCount", 0));
  for (int i = 0; i < oldCount; ++i) ini.EraseSection(BibleSection(i));
  const int newCount = static_cast<int>(BibleHandles.size());
  ini.WriteInteger(kSection, "MDIChildCount", newCount);
  for (int i = 0; i < newCount; ++i) {
    ini.WriteInteger(BibleSection(i), "BibleHndl", BibleHandles[static_cast<std::size_t>(i)]);
  }

  ini.WriteBool(kSection, "DifferentFonts", DifferentFonts);
  ini.WriteBool(kSection, "AllowChaset", AllowChaset);
  ini.WriteBool(kSection, "CheckClipboard", CheckClipboard);
  ini.WriteBool(kSection, "ShowAbout", ShowAbout);
  ini.WriteBool(kSection, "IsDicVizible", IsDicVizible);
  ini.WriteBool(kSection, "IsFloatpane", IsFloatpane);
  ini.WriteBool(kSection, "IsNoteBookOpened", IsNoteBookOpened);
  ini.WriteBool(kSection, "IsPictureShown", IsPictureShown);
  ini.WriteBool(kSection, "HideStrong", HideStrong);
  ini.WriteBool(kSection, "ShowFinder", ShowFinder);
  ini.WriteBool(kSection, "ShowLinks", ShowLinks);
  ini.WriteBool(kSection, "Speak", Speak);
  ini.WriteString(kSection, "SearchText", SearchText);
  ini.WriteInteger(kSection, "SearchTextLang", SearchTextLang);
  ini.WriteString(kSection, "AudioPath", AudioPath);
  ini.WriteInteger(kSection, "MaxListCount", MaxListCount);
  ini.WriteInteger(kSection, "TabPageIndex", TabPageIndex);
  ini.WriteInteger(kSection, "TileMode", TileMode);
  ini.WriteInteger(kSection, "Order", Order);
  ini.WriteInteger(kSection, "CmBB1Width", CmBB1Width);
}

QRect FitOntoScreens(const QRect& stored, const QList<QRect>& screens) {
  if (screens.isEmpty()) return stored;
  const int needWidth = std::min(kMinVisible, std::max(1, stored.width()));
  const int needHeight = std::min(kMinVisible, std::max(1, stored.height()));
  qint64 bestArea = -1;
  QRect target = screens.first();
  for (const QRect& screen : screens) {
    const QRect shown = stored.intersected(screen);
    const bool topOnScreen = stored.top() >= screen.top() && stored.top() <= screen.bottom();
    if (stored.isValid() && topOnScreen && shown.width() >= needWidth &&
        shown.height() >= needHeight) {
      return stored;
    }
    const qint64 area = shown.isValid() ? qint64(shown.width()) * shown.height() : 0;
    if (area > bestArea) {
      bestArea = area;
      target = screen;
    }
  }
  if (bestArea <= 0) target = screens.first();
  const int width =
      std::clamp(stored.width(), std::min(kMinMovedSize, target.width()), target.width());
  const int height =
      std::clamp(stored.height(), std::min(kMinMovedSize, target.height()), target.height());
  const int left = std::clamp(stored.left(), target.left(), target.left() + target.width() - width);
  const int top = std::clamp(stored.top(), target.top(), target.top() + target.height() - height);
  return QRect(left, top, width, height);
}

void FitPlacementOntoScreens(TWindowPlacement& placement, const QList<QRect>& screens) {
  if (placement.WindowState == kMaximized || !placement.PositionStored) return;
  // Damaged numbers are brought into a range where rectangle arithmetic
  // cannot overflow; FitOntoScreens then moves them onto a screen.
  const auto sane = [](int value) {
    return std::clamp(value, -kCoordinateLimit, kCoordinateLimit);
  };
  const QRect fitted = FitOntoScreens(QRect(sane(placement.Left), sane(placement.Top),
                                            sane(placement.Width), sane(placement.Height)),
                                      screens);
  placement.Left = fitted.left();
  placement.Top = fitted.top();
  placement.Width = fitted.width();
  placement.Height = fitted.height();
}

}  // namespace lectora
