#include "display/BibleForm1.h"

#include <QAction>
#include <QCloseEvent>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QTimer>
#include <QVBoxLayout>
#include <exception>
#include <vector>

#include "app/DesignCaption.h"
#include "display/BibleRichEdit1.h"
#include "display/BibleWindowHost.h"
#include "display/DisplayContext.h"
#include "display/QtText.h"
#include "display/TrimmedSelection.h"
#include "display/VerseFilter.h"
#include "navigation/ActiveTranslation.h"
#include "navigation/Navigator.h"
#include "settings/OptionValues.h"
#include "store/Bible.h"
#include "store/BibleSet.h"
#include "store/IniFile.h"
#include "store/MessageService.h"
#include "store/StandardStructure.h"
#include "store/TranslationTable.h"
#include "tools/dde/OnTopLink.h"
#include "tools/dictionary/Dictionary.h"
#include "tools/picture/WordPictures.h"

namespace lectora {

namespace {

constexpr int kGreekLanguage = 6;
// Greek modules draw their verse heads in the Cyrillic character set.
constexpr int kGreekHeadCharset = 204;
constexpr unsigned char kPilcrow = 182;
// Message texts of the interface language are Windows-1251.
constexpr int kMessageCharset = 204;

TTextFont TextFontOf(const TFontInfo& info, int charset) {
  TTextFont font;
  font.Font = QFont(QString::fromLatin1(info.Name.data(), static_cast<int>(info.Name.size())));
  font.Font.setPointSize(info.Size > 0 ? info.Size : 10);
  font.Font.setBold((info.Style & 1) != 0);
  font.Font.setItalic((info.Style & 2) != 0);
  font.Font.setUnderline((info.Style & 4) != 0);
  font.Font.setStrikeOut((info.Style & 8) != 0);
  font.Charset = charset;
  // Settings written on Windows may hold a system colour (clWindowText is
  // 0x80000008): plain text, which is black here.
  const std::uint32_t color = (info.Color & 0xFF000000U) != 0 ? 0 : info.Color;
  font.Color = QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                      static_cast<int>((color >> 16) & 0xFF));
  return font;
}

// The interface text of `key`, or `fallback` while no language gives one.
std::string TextOrDefault(const IBibleWindowHost& host, const std::string& key,
                          const std::string& fallback) {
  std::string text = host.Translate(key);
  return text == key ? fallback : text;
}

}  // namespace

TBibleForm1::TBibleForm1(IBibleWindowHost& host, std::int32_t standardNumber, int translationNumber,
                         QWidget* parent)
    : QWidget(parent), host_(host), translationNumber_(translationNumber) {
  BRichEdit1 = new TBibleRichEdit1(host.DisplayContext(), this);
  BRichEdit1->setObjectName(QStringLiteral("BRichEdit1"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(BRichEdit1);
  CreateMenu();

  if (translationNumber < 0 || translationNumber >= kTranslationCount) {
    host.Messages().ShowMessage(host.Translate("BibleNotFound"));
    return;
  }
  TBibleSet& bibles = host.Bibles();
  TBible* module = bibles[translationNumber];
  if (module == nullptr) {
    try {
      module = &bibles.Open(translationNumber);
    } catch (const std::exception& error) {
      // A damaged module file: the message names it; the slot stays empty.
      host.Messages().ShowMessage(error.what());
      return;
    }
  }
  if (!module->Loaded()) {
    host.Messages().ShowMessage(host.Translate("BibleNotFound"));
    bibles.Close(translationNumber);
    return;
  }
  bible_ = module;
  host.Standard().StandardToRef(standardNumber, Book, Chapter, Verse);
  bible_->StandardToOwnRef(Book, Chapter, Verse);
  FormCreate();
  BRichEdit1->ColorMarks = true;
  const TTranslationInfo& info = TranslationInfo(translationNumber);
  setWindowTitle(QStringLiteral(" ") + DecodeCharset(host.Translate(info.Folder), kMessageCharset));
  helpContext_ = info.HelpTopic;
}

TBibleForm1::~TBibleForm1() = default;

void TBibleForm1::CreateMenu() {
  PopupMenu1 = new QMenu(this);
  PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
  const auto item = [this](const char* name, void (TBibleForm1::*handler)()) {
    QAction* action = PopupMenu1->addAction(DesignCaption("BibleForm1", name));
    action->setObjectName(QString::fromLatin1(name));
    connect(action, &QAction::triggered, this, handler);
    return action;
  };
  // Items 0..3 follow the text control's Enable0..Enable3; they start
  // disabled until the first press enables them.
  Copy1 = item("Copy1", &TBibleForm1::Copy1Click);
  Translate1 = item("Translate1", &TBibleForm1::Translate1Click);
  Navigate1 = item("Navigate1", &TBibleForm1::Navigate1Click);
  Find1 = item("Find1", &TBibleForm1::Find1Click);
  for (QAction* first : {Copy1, Translate1, Navigate1, Find1}) first->setEnabled(false);
  Picture1 = item("Picture1", &TBibleForm1::Picture1Click);
  // Shown by PopupMenu1Popup for a word that has pictures.
  Picture1->setVisible(false);
  N1 = PopupMenu1->addSeparator();
  N1->setObjectName(QStringLiteral("N1"));
  ActivateVerse1 = item("ActivateVerse1", &TBibleForm1::ActivateVerse1Click);
  SelektVerse1 = item("SelektVerse1", &TBibleForm1::SelektVerse1Click);
  SelectAll1 = item("SelectAll1", &TBibleForm1::SelectAll1Click);
  N2 = PopupMenu1->addSeparator();
  N2->setObjectName(QStringLiteral("N2"));
  AddBookmark1 = item("AddBookmark1", &TBibleForm1::AddBookmark1Click);
  DeleteBookmark1 = item("DeleteBookmark1", &TBibleForm1::DeleteBookmark1Click);
  connect(PopupMenu1, &QMenu::aboutToShow, this, &TBibleForm1::PopupMenu1Popup);
}

void TBibleForm1::FormCreate() {
  // The window stays hidden (it has no parent yet) until the host shows its
  // sub-window. The menu keeps the design captions until the interface
  // language replaces them.
  BRichEdit1->AutoMark = true;
  BRichEdit1->SetCopyBtn(host_.CopyAction());
  BRichEdit1->Enable0 = [this](const std::string& sel) { return BRichEdit1Enable0(sel); };
  BRichEdit1->Enable1 = [this](const std::string& sel) { return BRichEdit1Enable1(sel); };
  BRichEdit1->Enable2 = [this](const std::string& sel) { return BRichEdit1Enable2(sel); };
  BRichEdit1->Enable3 = [this](const std::string& sel) { return BRichEdit1Enable0(sel); };
  connect(BRichEdit1, &TBibleRichEdit1::OnDblClick, this, &TBibleForm1::Find1Click);
  BRichEdit1->ColorMarks = true;
  std::bitset<256> letters = bible_->Language.Letters;
  if (std::string(TranslationInfo(translationNumber_).Folder) == "KJVSN\\") {
    // Strong's numbers count as words there.
    for (unsigned char c = '0'; c <= '9'; ++c) letters.set(c);
  }
  BRichEdit1->Letters = letters;
  BRichEdit1->installEventFilter(this);
  host_.SetTranslationChecked(translationNumber_, true);
  TTextZoom& zoom = host_.DisplayContext().Zoom;
  zoom.Watch(BRichEdit1, [this] { return bible_; });
  connect(&zoom, &TTextZoom::FontZoomed, this, &TBibleForm1::FontZoomed);
}

void TBibleForm1::FontZoomed(TBible* module) {
  if (bible_ == nullptr || module == nullptr) return;
  if (module != bible_) {
    if (host_.Options().DifferentFonts()) return;
    bible_->Font.Size = module->Font.Size;
  }
  ShowPlace(Book, Chapter, Verse, true);
}

int TBibleForm1::Charset() const { return bible_ ? bible_->Language.Charset() : 0; }

// ---- showing ----

void TBibleForm1::ShowPlace(int book, int chapter, int verse, bool scroll) {
  Book = book;
  Chapter = chapter;
  Verse = verse;
  ShowChapter(Book, Chapter, Verse);
  if (scroll) BRichEdit1->ShowActive();
  BRichEdit1->update();
}

void TBibleForm1::ShowChapter(int book, int chapter, int verse) {
  if (bible_ == nullptr) return;
  if (book < 1 || book > TBible::kBookNumbers || bible_->BookPosition[book] == 0 || chapter < 1 ||
      static_cast<std::size_t>(chapter) > bible_->Books[book].VerseCounts.size()) {
    ShowEmpty(book, chapter, verse);
    return;
  }
  const TBook& b = bible_->Books[book];
  const int first = bible_->VerseNumber(bible_->BookPosition[book], chapter, 1);
  int count = b.VerseCounts[static_cast<std::size_t>(chapter - 1)];
  if (count > kMaxVerses) {
    // VerseEnds ends at kMaxVerses; say so once for this chapter.
    if (overflowBook_ != book || overflowChapter_ != chapter) {
      overflowBook_ = book;
      overflowChapter_ = chapter;
      host_.Messages().ShowMessage(TextOrDefault(
          host_, "ChapterTooLong", "Only the first 200 verses of this chapter are shown."));
    }
    count = kMaxVerses;
  }
  const bool runOn = TranslationInfo(translationNumber_).RunOn;
  const int cs = Charset();
  const int headCs = bible_->Language.LanguageNumber() == kGreekLanguage ? kGreekHeadCharset : cs;

  BRichEdit1->Clear(false);
  BRichEdit1->SetFont(TextFontOf(bible_->Font, cs));
  BRichEdit1->ActiveVerse = 0;
  BRichEdit1->ActiveStart = 0;
  BRichEdit1->ActiveEnd = 0;
  BRichEdit1->AddPairCharset(b.Title + "\r\n", {}, cs, cs);
  std::string word;
  bible_->ChapterWord(book, word);
  BRichEdit1->AddPairCharset(word + std::to_string(chapter) + "\r\n", {}, cs, headCs);
  verseEnds_[0] = BRichEdit1->VisibleLength();

  const QColor activeColor = host_.CurrentVerseColor();
  bool readErrorShown = false;
  std::string text;
  for (int v = 1; v <= count; ++v) {
    try {
      bible_->ReadVerse(first + v - 1, text);
    } catch (const std::exception& error) {
      // A damaged record: the rest of the chapter still shows.
      ReportOnce(error.what(), readErrorShown);
      text.clear();
    }
    if (!text.empty()) {
      FilterVerse(text);
      const std::string head = VerseHead(text, b, chapter, v, runOn);
      if (v == verse) {
        BRichEdit1->ActiveVerse = verse;
        BRichEdit1->ActiveStart = static_cast<int>(BRichEdit1->Content().size());
        BRichEdit1->Font().Color = activeColor;
      } else {
        BRichEdit1->Font().Color = QColor(0, 0, 0);
      }
      BRichEdit1->AddPairCharset(head, text, cs, headCs);
      if (v == verse) BRichEdit1->ActiveEnd = static_cast<int>(BRichEdit1->Content().size());
    }
    verseEnds_[static_cast<std::size_t>(v)] = BRichEdit1->VisibleLength();
  }
  shownCount_ = count;
  // Screen readers name the active verse by its reference.
  std::string reference;
  if (verse >= 1 && verse <= count) bible_->ReferenceText(first + verse - 1, false, reference);
  BRichEdit1->SetActiveVerseDescription(DecodeCharset(reference, cs));
  BRichEdit1->update();
  SendToOnTop();
  SendVersePos(verse);
  shownBook_ = book;
  shownChapter_ = chapter;
  shownVerse_ = verse;
}

std::string TBibleForm1::VerseHead(std::string& text, const TBook& book, int chapter, int verse,
                                   bool runOn) const {
  std::string head;
  if (!text.empty() && static_cast<unsigned char>(text[0]) == kPilcrow) {
    text.erase(0, 1);
    head = "\r\n    ";
  } else {
    head = runOn && verse >= 2 ? " " : "\r\n";
  }
  const TOptionValues& options = host_.Options();
  const bool viewVerse = options.GetOption(TOptionValues::kViewVN);
  if (options.GetOption(TOptionValues::kViewBN)) {
    head += options.GetOption(TOptionValues::kAbrev) ? book.AltName : book.Name;
    if (head.back() != '.') head += ' ';
  }
  if (options.GetOption(TOptionValues::kViewCN)) {
    head += std::to_string(chapter) + (viewVerse ? ":" : " ");
  }
  if (viewVerse) head += std::to_string(verse) + " ";
  return head;
}

void TBibleForm1::ShowEmpty(int book, int chapter, int verse) {
  BRichEdit1->Clear(true);
  BRichEdit1->SetActiveVerseDescription(QString());
  BRichEdit1->ActiveVerse = 0;
  BRichEdit1->ActiveStart = 0;
  BRichEdit1->ActiveEnd = 0;
  BRichEdit1->repaint();
  BRichEdit1->SetPopupMenu(nullptr);
  verseEnds_.fill(0);
  shownCount_ = 0;
  shownBook_ = book;
  shownChapter_ = chapter;
  shownVerse_ = verse;
}

void TBibleForm1::ReportOnce(const std::string& text, bool& shown) {
  if (shown) return;
  shown = true;
  host_.Messages().ShowMessage(text);
}

void TBibleForm1::FilterVerse(std::string& text) const {
  TVerseFilterOptions options;
  options.StrongHidden = host_.StrongHidden();
  options.HasStrongNumbers = bible_ != nullptr && bible_->HasStrongNumbers();
  options.GreekModule = std::string(TranslationInfo(translationNumber_).Folder) == "Gr\\";
  options.ShowFootnotes = host_.Options().GetOption(TOptionValues::kShowFootnotes);
  lectora::FilterVerse(text, options);
}

int TBibleForm1::VerseAt(int index) const {
  if (shownCount_ == 0) return 0;
  // The headings belong to the first verse, the end of the text to the
  // last, so that no index names a verse the chapter lacks.
  if (index < verseEnds_[0]) return 1;
  for (int v = 1; v <= shownCount_; ++v) {
    if (verseEnds_[static_cast<std::size_t>(v - 1)] <= index &&
        index < verseEnds_[static_cast<std::size_t>(v)]) {
      return v;
    }
  }
  return shownCount_;
}

std::string TBibleForm1::CurrentVerseText() const {
  const int v = Verse;
  if (v < 1 || v > shownCount_) return {};
  const int start = verseEnds_[static_cast<std::size_t>(v - 1)];
  const int end = verseEnds_[static_cast<std::size_t>(v)];
  std::string result;
  int visible = 0;
  for (char c : BRichEdit1->Content()) {
    if (visible >= end) break;
    if (c == '\r' || c == '\n') continue;
    if (visible >= start) result += c;
    ++visible;
  }
  const std::size_t lead = result.find_first_not_of(' ');
  return lead == std::string::npos ? std::string() : result.substr(lead);
}

void TBibleForm1::SaveState(TMyIniFile& ini, const std::string& section) const {
  // Also for a window whose module was not found: the main window reopens
  // windows by counting sections, and a missing key would read as 1.
  ini.WriteInteger(section, "BibleHndl", translationNumber_);
}

bool TBibleForm1::OnTopWanted() const {
  return OnTopLink != nullptr && OnTopLink->Connected() && bible_ != nullptr &&
         host_.IsActiveBibleWindow(this);
}

void TBibleForm1::SendToOnTop() {
  if (!OnTopWanted()) return;
  const int cs = Charset();
  const QFont& font = BRichEdit1->Font().Font;
  OnTopLink->Poke(QStringLiteral("SetLetters"), DecodeCharset(bible_->Language.Alphabet, cs));
  OnTopLink->Poke(QStringLiteral("SetCaption"), windowTitle());
  OnTopLink->Poke(QStringLiteral("SetFont"), font.family());
  OnTopLink->Poke(QStringLiteral("SetFontSize"), QString::number(font.pointSize()));
  OnTopLink->Poke(QStringLiteral("SetFontCharSet"), QString::number(cs));
  // Each run in its own character set (Greek heads are Cyrillic), line ends kept.
  QString text;
  for (const TTextFrag& frag : BRichEdit1->Fragments()) {
    text += DecodeCharset(frag.Text, frag.Font.Charset);
  }
  OnTopLink->Poke(QStringLiteral("SetText"), text);
}

void TBibleForm1::SendVersePos(int verse) {
  if (!OnTopWanted() || verse < 1 || verse > shownCount_) return;
  OnTopLink->Poke(QStringLiteral("GoToPos"),
                  QString::number(verseEnds_[static_cast<std::size_t>(verse - 1)]));
  OnTopLink->Poke(QStringLiteral("GoToPos"),
                  QString::number(verseEnds_[static_cast<std::size_t>(verse)]));
}

// ---- activation ----

void TBibleForm1::FormActivate() {
  if (rightClickActivation_) {
    pendingActivate_ = rightClicked_;
    rightClickActivation_ = false;
    return;
  }
  pendingActivate_ = false;
  if (bible_ == nullptr) return;
  host_.ActiveTranslation().Activate(this, ReferenceText());
  host_.Navigator().AdoptViewPlace(*this);
  SendToOnTop();
  SendVersePos(Verse);
}

void TBibleForm1::FormDeactivate() {
  BRichEdit1->SetSelLength(0);
  BRichEdit1->update();
}

void TBibleForm1::FormClose() {
  if (closed_) return;
  closed_ = true;
  if (bible_ != nullptr && !host_.TranslationShownElsewhere(translationNumber_, this)) {
    host_.SetTranslationChecked(translationNumber_, false);
  }
  host_.BibleWindowClosed(this);
}

void TBibleForm1::closeEvent(QCloseEvent* event) {
  FormClose();
  event->accept();
}

// ---- mouse ----

void TBibleForm1::BRichEdit1MouseDown(Qt::MouseButton button) {
  rightClicked_ = button == Qt::RightButton;
  rightClickActivation_ = rightClicked_;
  const bool active = host_.IsActiveBibleWindow(this);
  // An inactive window is activated by this very press; the activation
  // then does the work itself.
  if (button == Qt::LeftButton && pendingActivate_ && active) FormActivate();
  BRichEdit1->SetPopupMenu(active && shownCount_ > 0 ? PopupMenu1 : nullptr);
}

void TBibleForm1::EndPress() {
  pressSeen_ = false;
  rightClickActivation_ = false;
}

bool TBibleForm1::eventFilter(QObject* watched, QEvent* event) {
  if (watched != BRichEdit1) return QWidget::eventFilter(watched, event);
  switch (event->type()) {
    case QEvent::FocusIn: {
      // Qt gives the focus for a click before it delivers the press, and
      // the focus change is what activates an inactive sub-window; so the
      // press is handled here, ahead of the activation, when a button is
      // down.
      const Qt::MouseButtons buttons = QGuiApplication::mouseButtons();
      if (static_cast<QFocusEvent*>(event)->reason() == Qt::MouseFocusReason &&
          buttons != Qt::NoButton && !pressSeen_) {
        BRichEdit1MouseDown((buttons & Qt::RightButton)  ? Qt::RightButton
                            : (buttons & Qt::LeftButton) ? Qt::LeftButton
                                                         : Qt::MiddleButton);
        pressSeen_ = true;
        // The press may end on the scroll bar and never reach the filter.
        QTimer::singleShot(0, this, &TBibleForm1::EndPress);
      }
      break;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
      if (!pressSeen_) BRichEdit1MouseDown(static_cast<QMouseEvent*>(event)->button());
      EndPress();
      break;
    default:
      break;
  }
  return QWidget::eventFilter(watched, event);
}

// ---- popup menu ----

bool TBibleForm1::BRichEdit1Enable0(const std::string& sel) const { return !sel.empty(); }

bool TBibleForm1::BRichEdit1Enable1(const std::string& sel) const {
  IDictionary* dictionary = host_.Dictionary();
  return dictionary != nullptr && dictionary->IsDictionaryWord(TrimmedSelection(sel));
}

bool TBibleForm1::BRichEdit1Enable2(const std::string& sel) const {
  if (bible_ == nullptr || sel.empty()) return false;
  int position = 0;
  int chapter = 0;
  int verse = 0;
  return bible_->ParseReference(sel, position, chapter, verse);
}

void TBibleForm1::PopupMenu1Popup() {
  const int k = FindBookmarkItem();
  DeleteBookmark1->setVisible(k >= 0);
  AddBookmark1->setVisible(k == -1);
  // pictures: shown for a selection the picture list has an entry for
  IWordPictures* pictures = host_.Pictures();
  Picture1->setVisible(pictures != nullptr &&
                       pictures->HasPicture(TrimmedSelection(BRichEdit1->SelText())));
}

void TBibleForm1::Copy1Click() { BRichEdit1->CopyToClipboard(); }

void TBibleForm1::Translate1Click() {
  IDictionary* dictionary = host_.Dictionary();
  const std::string word = TrimmedSelection(BRichEdit1->SelText());
  if (dictionary != nullptr && !word.empty()) dictionary->LookUpWord(word);
}

void TBibleForm1::Navigate1Click() {
  const std::string sel = BRichEdit1->SelText();
  if (!sel.empty()) host_.Navigator().GoToReference(sel);
}

void TBibleForm1::Find1Click() {
  const std::string sel = TrimmedSelection(BRichEdit1->SelText());
  if (!sel.empty()) host_.SearchFor(sel);
}

void TBibleForm1::Picture1Click() {
  IWordPictures* pictures = host_.Pictures();
  const std::string word = TrimmedSelection(BRichEdit1->SelText());
  if (pictures != nullptr && !word.empty()) pictures->ShowWordPicture(word);
}

void TBibleForm1::ActivateVerse1Click() {
  const int v = VerseAt(BRichEdit1->SelStart());
  TNavigator& navigator = host_.Navigator();
  if (v >= 1) navigator.ShowPosition(navigator.CurrentBookPosition(), Chapter, v, true);
}

void TBibleForm1::SelektVerse1Click() {
  const int v = BRichEdit1->SelStart() != 0 ? VerseAt(BRichEdit1->SelStart()) : Verse;
  if (v < 1 || v > shownCount_) return;
  const int start = verseEnds_[static_cast<std::size_t>(v - 1)];
  BRichEdit1->SetSelStart(start);
  BRichEdit1->SetSelLength(verseEnds_[static_cast<std::size_t>(v)] - start);
  BRichEdit1->update();
}

void TBibleForm1::SelectAll1Click() { BRichEdit1->SelectAll(); }

// ---- bookmarks ----

std::string TBibleForm1::ReferenceText() const {
  if (bible_ == nullptr || Book < 1 || Book > TBible::kBookNumbers) return {};
  const int position = bible_->BookPosition[Book];
  if (position == 0) return {};
  const int number = bible_->VerseNumber(position, Chapter, Verse);
  std::string text;
  bible_->ReferenceText(number, false, text);
  return text;
}

int TBibleForm1::FindBookmarkItem() const {
  const std::string reference = ReferenceText();
  if (reference.empty()) return -1;
  const int index = host_.ActiveTranslation().FindBookmark(reference);
  return index < 0 ? -1 : index + 1;
}

void TBibleForm1::AddBookmark1Click() { host_.ActiveTranslation().AddBookmark(ReferenceText()); }

void TBibleForm1::DeleteBookmark1Click() {
  const int k = FindBookmarkItem();
  if (k >= 1) host_.ActiveTranslation().RemoveBookmark(k - 1);
}

}  // namespace lectora
