#include "display/BibleForm1.h"

#include <gtest/gtest.h>

#include <QMdiSubWindow>
#include <QSignalSpy>
#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include "FakeBibleWindowHost.h"
#include "display/BibleRichEdit1.h"
#include "display/VerseFilter.h"
#include "modules/ModuleCompiler.h"
#include "store/Bible.h"
#include "store/IniFile.h"
#include "support/TestSupport.h"

namespace lectora {
namespace {

using test::FakeBibleWindowHost;
using test::TempDir;

constexpr int kOrt = 0;    // never compiled here: "not found"
constexpr int kRu = 6;     // run-on, module-shifted in Windows-1251
constexpr int kKjvsn = 8;  // kjv-sample, with Strong's numbers
constexpr int kAsv = 9;    // module-shifted
constexpr int kVul = 11;   // built per test where needed

// ---- the verse filter ----

struct FilterCase {
  const char* name;
  std::string input;
  bool strongHidden;
  bool hasStrong;
  bool greek;
  bool footnotes;
  std::string expected;
};

TEST(BibleForm1FilterVerse, Table) {
  const FilterCase cases[] = {
      {"hidden group goes without a double space", "God <2316> so", true, true, false, true,
       "God so"},
      {"shown group stays", "God <2316> so", false, true, false, true, "God <2316> so"},
      {"space before punctuation goes", "light <216>. And", true, true, false, true, "light. And"},
      {"comma after a hidden group", "word <123>, next", true, true, false, true, "word, next"},
      {"parenthesised group hidden", "word (5625) more", true, true, false, true, "word more"},
      {"group at the very start is no group", "<123> God", true, true, false, true, "<123> God"},
      {"empty brackets are no group", "a <> b", true, true, false, true, "a <> b"},
      {"group at the end leaves its space", "end <123>", true, true, false, true, "end "},
      {"module without Strong's keeps markup", "darkness <i>was</i> upon", true, false, false, true,
       "darkness <i>was</i> upon"},
      {"footnote off vanishes with braces", "a{note} b", false, false, false, false, "a b"},
      {"footnote off before punctuation", "light {Heb. x}.", false, false, false, false, "light."},
      {"footnote on stays", "a {note} b", false, false, false, true, "a {note} b"},
      {"double spaces and space before colon", "a  b :c", false, false, false, true, "a b:c"},
      {"Greek morphology hidden", "x ab=st y", true, true, true, true, "x y"},
      {"Greek morphology shown", "x ab=st y", false, true, true, true, "x ab=st y"},
      {"Latin letters outside the Greek module", "ab=st", true, true, false, true, "ab=st"},
      {"empty text", "", true, true, true, false, ""},
  };
  for (const FilterCase& c : cases) {
    TVerseFilterOptions options;
    options.StrongHidden = c.strongHidden;
    options.HasStrongNumbers = c.hasStrong;
    options.GreekModule = c.greek;
    options.ShowFootnotes = c.footnotes;
    std::string text = c.input;
    FilterVerse(text, options);
    EXPECT_EQ(text, c.expected) << c.name;
  }
}

// ---- windows on compiled modules ----

class BibleForm1Test : public testing::Test {
 protected:
  BibleForm1Test() {
    test::CopySharedData(dir_.Path());
    const std::string data = test::TestDataDir();
    TModuleCompiler::Compile(data + "module-shifted", dir_.File("ASV"), 5, false);
    TModuleCompiler::Compile(data + "module-shifted", dir_.File("RU"), 3, false);
    TModuleCompiler::Compile(data + "kjv-sample", dir_.File("KJVSN"), 5, true);
    host_ = std::make_unique<FakeBibleWindowHost>(dir_.Path());
    host_->Texts["BibleNotFound"] = "The Bible was not found.";
    host_->Texts["ASV\\"] = "ASV";
    host_->Texts["KJVSN\\"] = "KJVSN";
    host_->Texts["RU\\"] = "RU";
    SetHeads(false, false, false, true);
    host_->OptionValues.SetOption(TOptionValues::kShowFootnotes, true);
  }

  // A window on `translation` at the standard place of book, chapter, verse.
  std::unique_ptr<TBibleForm1> Open(int translation, int book, int chapter, int verse) {
    host_->SetStandardNumber(host_->Standard().StandardNumber(book, chapter, verse));
    return std::make_unique<TBibleForm1>(*host_, host_->Navigator().Place().StandardNumber,
                                         translation);
  }

  // Shows the window's own place book, chapter, verse (as the navigator
  // does for a window that is not the active one).
  void Show(TBibleForm1& window, int book, int chapter, int verse) {
    host_->SetStandardNumber(window.Bible()->ToStandard(book, chapter, verse));
    window.ShowPlace(book, chapter, verse, false);
  }

  void SetHeads(bool book, bool abbreviated, bool chapter, bool verse) {
    host_->OptionValues.SetOption(TOptionValues::kViewBN, book);
    host_->OptionValues.SetOption(TOptionValues::kAbrev, abbreviated);
    host_->OptionValues.SetOption(TOptionValues::kViewCN, chapter);
    host_->OptionValues.SetOption(TOptionValues::kViewVN, verse);
  }

  static std::string ActiveText(const TBibleForm1& window) {
    const TBibleRichEdit1& edit = *window.BRichEdit1;
    return edit.Content().substr(static_cast<std::size_t>(edit.ActiveStart),
                                 static_cast<std::size_t>(edit.ActiveEnd - edit.ActiveStart));
  }

  TempDir dir_;
  std::unique_ptr<FakeBibleWindowHost> host_;
};

TEST_F(BibleForm1Test, CreationTakesTheSharedModuleAndSetsUpTheWindow) {
  auto asv = Open(kAsv, 1, 1, 1);
  auto second = Open(kAsv, 1, 1, 1);
  auto kjv = Open(kKjvsn, 1, 1, 1);
  ASSERT_TRUE(asv->Available());
  EXPECT_EQ(asv->Bible(), host_->Bibles()[kAsv]);
  EXPECT_EQ(second->Bible(), asv->Bible());
  EXPECT_EQ(asv->windowTitle(), QStringLiteral(" ASV"));
  EXPECT_EQ(asv->HelpContext(), 29);
  EXPECT_EQ(kjv->HelpContext(), 28);
  EXPECT_TRUE(host_->Checked[kAsv]);
  EXPECT_TRUE(host_->Checked[kKjvsn]);
  EXPECT_EQ(asv->BRichEdit1->CopyBtn(), host_->CopyAction());
  EXPECT_TRUE(asv->BRichEdit1->AutoMark);
  EXPECT_TRUE(asv->BRichEdit1->ColorMarks);
  // Digits are word letters only in the Strong's module.
  EXPECT_TRUE(kjv->BRichEdit1->Letters['7']);
  EXPECT_FALSE(asv->BRichEdit1->Letters['7']);
  EXPECT_TRUE(asv->BRichEdit1->Letters['a']);
  EXPECT_TRUE(host_->MessageLog.Messages.empty());
}

TEST_F(BibleForm1Test, MissingModuleIsAnnouncedFreedAndLeavesTheWindowEmpty) {
  auto window = Open(kOrt, 1, 1, 1);
  EXPECT_FALSE(window->Available());
  EXPECT_EQ(host_->Bibles()[kOrt], nullptr);
  EXPECT_EQ(host_->MessageLog.Messages, std::vector<std::string>{"The Bible was not found."});
  EXPECT_EQ(host_->Checked.count(kOrt), 0U);
  window->ShowChapter(window->Book, window->Chapter, window->Verse);
  window->FormActivate();
  EXPECT_TRUE(window->BRichEdit1->Content().empty());
  EXPECT_EQ(window->VerseAt(3), 0);
  TMyIniFile ini(dir_.File("state.ini"), false);
  window->SaveState(ini, "Bible0");
  EXPECT_EQ(ini.ReadInteger("Bible0", "BibleHndl", -1), kOrt);
}

TEST_F(BibleForm1Test, SaveStateWritesTheTranslationNumber) {
  auto window = Open(kKjvsn, 1, 1, 1);
  TMyIniFile ini(dir_.File("state.ini"), false);
  window->SaveState(ini, "Bible3");
  EXPECT_EQ(ini.ReadInteger("Bible3", "BibleHndl", -1), kKjvsn);
}

TEST_F(BibleForm1Test, HeadsFollowTheOptions) {
  const std::string prefix = "The First Book of Moses, called Genesis\r\nChapter 1\r\n";
  const std::string verse1 = "In the beginning God created the heaven and the earth.";
  struct HeadCase {
    bool book, abbreviated, chapter, verse;
    std::string head;
  } cases[] = {
      {false, false, false, true, "\r\n1 "},
      {false, false, true, true, "\r\n1:1 "},
      {false, false, true, false, "\r\n1 "},
      {false, false, false, false, "\r\n"},
      {true, false, true, true, "\r\nGenesis 1:1 "},
      // The abbreviation "Gen." ends with a full stop: no space after it.
      {true, true, true, true, "\r\nGen.1:1 "},
  };
  auto window = Open(kAsv, 1, 1, 1);
  for (const HeadCase& c : cases) {
    SetHeads(c.book, c.abbreviated, c.chapter, c.verse);
    Show(*window, 1, 1, 1);
    EXPECT_EQ(
        window->BRichEdit1->Content().substr(0, prefix.size() + c.head.size() + verse1.size()),
        prefix + c.head + verse1)
        << c.head;
  }
}

TEST_F(BibleForm1Test, RunOnTranslationsJoinVersesAndPilcrowStartsAnIndentedLine) {
  auto runOn = Open(kRu, 54, 3, 1);
  auto lines = Open(kAsv, 54, 3, 1);
  Show(*runOn, 54, 3, 1);
  Show(*lines, 54, 3, 1);
  const std::string& joined = runOn->BRichEdit1->Content();
  const std::string& separate = lines->BRichEdit1->Content();
  // The first verse of a run-on chapter still begins a line.
  EXPECT_NE(joined.find("\r\n1 There was a man"), std::string::npos);
  EXPECT_NE(joined.find("of the Jews: 2 The same came"), std::string::npos);
  EXPECT_NE(separate.find("of the Jews:\r\n2 The same came"), std::string::npos);
  for (const std::string* content : {&joined, &separate}) {
    EXPECT_NE(content->find("kingdom of God.\r\n    16 For God so loved"), std::string::npos);
    EXPECT_EQ(content->find('\xB6'), std::string::npos);
  }
}

TEST_F(BibleForm1Test, ActiveVerseIsMarkedAndColoured) {
  auto window = Open(kAsv, 1, 1, 2);
  Show(*window, 1, 1, 2);
  const TBibleRichEdit1& edit = *window->BRichEdit1;
  EXPECT_EQ(edit.ActiveVerse, 2);
  EXPECT_EQ(ActiveText(*window),
            "\r\n2 And the earth was without form, and void; and darkness was upon the face of "
            "the deep. And the Spirit of God moved upon the face of the waters.");
  bool activeSeen = false;
  for (const TTextFrag& frag : edit.Fragments()) {
    if (frag.Text.find("And the earth") != std::string::npos) {
      EXPECT_EQ(frag.Font.Color, host_->VerseColor);
      activeSeen = true;
    }
    if (frag.Text.find("In the beginning") != std::string::npos) {
      EXPECT_EQ(frag.Font.Color, QColor(0, 0, 0));
    }
  }
  EXPECT_TRUE(activeSeen);
  EXPECT_EQ(window->ShownVerse(), 2);
}

TEST_F(BibleForm1Test, StrongNumbersAndFootnotesFollowTheSwitches) {
  auto kjv = Open(kKjvsn, 1, 1, 1);
  host_->HideStrong = true;
  Show(*kjv, 1, 1, 1);
  EXPECT_NE(kjv->BRichEdit1->Content().find(
                "\r\n1 In the beginning God created the heaven and the earth.\r\n"),
            std::string::npos);
  host_->HideStrong = false;
  Show(*kjv, 1, 1, 1);
  EXPECT_NE(kjv->BRichEdit1->Content().find("beginning <7225> God <430>"), std::string::npos);

  auto asv = Open(kAsv, 1, 1, 1);
  host_->OptionValues.SetOption(TOptionValues::kShowFootnotes, false);
  Show(*asv, 1, 1, 1);
  EXPECT_EQ(asv->BRichEdit1->Content().find("Heb. between"), std::string::npos);
  EXPECT_NE(asv->BRichEdit1->Content().find("from the darkness.\r\n5 "), std::string::npos);
  host_->OptionValues.SetOption(TOptionValues::kShowFootnotes, true);
  Show(*asv, 1, 1, 1);
  EXPECT_NE(asv->BRichEdit1->Content().find("Heb. between"), std::string::npos);
}

TEST_F(BibleForm1Test, VerseEndsAndVerseAtCoverEmptyVerses) {
  auto window = Open(kAsv, 54, 3, 1);
  Show(*window, 54, 3, 1);
  ASSERT_EQ(window->ShownVerseCount(), 16);
  const auto& ends = window->VerseEnds();
  const int length = window->BRichEdit1->VisibleLength();
  EXPECT_EQ(ends[16], length);
  // Verses 4..15 are empty: no characters, the sequence stays flat.
  for (int v = 4; v <= 15; ++v) EXPECT_EQ(ends[v], ends[3]) << v;
  for (int v = 1; v <= 16; ++v) EXPECT_LE(ends[v - 1], ends[v]) << v;
  EXPECT_EQ(window->VerseAt(ends[0]), 1);
  EXPECT_EQ(window->VerseAt(ends[1] - 1), 1);
  EXPECT_EQ(window->VerseAt(ends[1]), 2);
  EXPECT_EQ(window->VerseAt(ends[3]), 16);
  // Headings belong to verse 1, the end of the text to the last verse.
  EXPECT_EQ(window->VerseAt(0), 1);
  EXPECT_EQ(window->VerseAt(length), 16);
  EXPECT_EQ(window->VerseAt(length + 1000), 16);
  for (int i = ends[0]; i < length; ++i) {
    const int v = window->VerseAt(i);
    ASSERT_TRUE(ends[v - 1] <= i && i < ends[v]) << i;
  }
}

TEST_F(BibleForm1Test, PlacesTheModuleLacksLeaveTheWindowEmpty) {
  auto window = Open(kAsv, 1, 1, 1);
  host_->ActiveWindow = window.get();  // no conversion: the place as given
  window->BRichEdit1->SetPopupMenu(window->PopupMenu1);
  struct Place {
    int book, chapter;
  } places[] = {{2, 1}, {1, 2}, {1, 0}, {0, 1}, {88, 1}, {-5, 1}, {22, 300}};
  for (const Place& p : places) {
    Show(*window, 1, 1, 1);
    ASSERT_FALSE(window->BRichEdit1->Content().empty());
    int book = p.book, chapter = p.chapter, verse = 1;
    window->ShowChapter(book, chapter, verse);
    EXPECT_TRUE(window->BRichEdit1->Content().empty()) << p.book << " " << p.chapter;
    EXPECT_EQ(window->BRichEdit1->PopupMenu(), nullptr);
    EXPECT_EQ(window->ShownBook(), p.book);
    EXPECT_EQ(window->ShownChapter(), p.chapter);
    EXPECT_EQ(window->VerseAt(2), 0);
    window->SelektVerse1Click();
    EXPECT_EQ(window->BRichEdit1->SelLength(), 0);
  }
}

TEST_F(BibleForm1Test, SameStandardVerseInDifferentlyNumberedModules) {
  // Standard Psalm 3:2 is verse 1 in the shifted module, 2 in the other.
  auto shifted = Open(kAsv, 22, 3, 2);
  auto plain = Open(kKjvsn, 22, 3, 2);
  EXPECT_EQ(shifted->Verse, 1);
  EXPECT_EQ(plain->Verse, 2);
  host_->Track(plain.get());
  host_->Track(shifted.get());
  for (TBibleForm1* window : {shifted.get(), plain.get()}) {
    window->Book = window->Chapter = window->Verse = 1;  // stale place: converted again
  }
  host_->ActiveWindow = plain.get();
  plain->FormActivate();
  ASSERT_TRUE(host_->Navigator().GoToReference("Psalms 3:2"));
  EXPECT_EQ(shifted->Verse, 1);
  EXPECT_EQ(plain->Verse, 2);
  EXPECT_EQ(shifted->BRichEdit1->ActiveVerse, 1);
  EXPECT_EQ(plain->BRichEdit1->ActiveVerse, 2);
  EXPECT_EQ(ActiveText(*shifted).rfind("\r\n1 LORD, how are they increased", 0), 0U);
  EXPECT_EQ(ActiveText(*plain).rfind("\r\n2 Many", 0), 0U);
  EXPECT_EQ(shifted->ShownVerseCount(), 8);
}

TEST_F(BibleForm1Test, ChapterBeyondTwoHundredVersesIsClampedAndReported) {
  const std::string source = dir_.File("long-src/");
  test::WriteFile(source + "books.tsv", "1\tGenesis\tGenesis\tGen\n");
  test::WriteFile(source + "verses.tsv", "1\t1\t1\tfirst\n1\t1\t199\tlate\n1\t1\t250\tlast\n");
  TModuleCompiler::Compile(source, dir_.File("VUL"), 7, false);
  auto window = Open(kVul, 1, 1, 1);
  Show(*window, 1, 1, 1);
  Show(*window, 1, 1, 1);
  EXPECT_EQ(window->ShownVerseCount(), TBibleForm1::kMaxVerses);
  ASSERT_EQ(host_->MessageLog.Messages.size(), 1U);
  EXPECT_NE(host_->MessageLog.Messages[0].find("200"), std::string::npos);
  EXPECT_NE(window->BRichEdit1->Content().find("late"), std::string::npos);
  EXPECT_EQ(window->BRichEdit1->Content().find("last"), std::string::npos);
  EXPECT_EQ(window->VerseEnds()[200], window->BRichEdit1->VisibleLength());
  EXPECT_EQ(window->VerseAt(window->BRichEdit1->VisibleLength()), 200);
}

TEST_F(BibleForm1Test, VerseCommandsSelectAndActivateTheVerse) {
  auto window = Open(kAsv, 1, 1, 3);
  Show(*window, 1, 1, 3);
  host_->Track(window.get());
  host_->ActiveWindow = window.get();
  window->FormActivate();
  const auto& ends = window->VerseEnds();
  TBibleRichEdit1& edit = *window->BRichEdit1;
  // Without a selection the window's own verse is selected.
  edit.SetSelStart(0);
  window->SelektVerse1Click();
  EXPECT_EQ(edit.SelStart(), ends[2]);
  EXPECT_EQ(edit.SelLength(), ends[3] - ends[2]);
  edit.SetSelStart(ends[1] + 4);
  edit.SetSelLength(0);
  window->SelektVerse1Click();
  EXPECT_EQ(edit.SelStart(), ends[1]);
  EXPECT_EQ(edit.SelLength(), ends[2] - ends[1]);
  EXPECT_EQ(edit.SelText().rfind("2 And the earth", 0), 0U);
  edit.SetSelStart(ends[3] + 2);
  window->ActivateVerse1Click();
  EXPECT_EQ(host_->VerseSpin().Value(), 4);
  EXPECT_EQ(window->Verse, 4);
  EXPECT_EQ(host_->Navigator().Place().Verse, 4);
  window->SelectAll1Click();
  EXPECT_EQ(edit.SelLength(), edit.VisibleLength());
  window->FormDeactivate();
  EXPECT_EQ(edit.SelLength(), 0);
  window->ShowPlace(1, 1, 2, false);
  EXPECT_EQ(window->CurrentVerseText().rfind("2 And the earth was without form", 0), 0U);
}

TEST_F(BibleForm1Test, MenuItemsComeInOrderAndFollowTheSelection) {
  auto window = Open(kAsv, 1, 1, 1);
  Show(*window, 1, 1, 1);
  std::vector<std::string> names;
  std::vector<QString> captions;
  for (QAction* action : window->PopupMenu1->actions()) {
    names.push_back(action->objectName().toStdString());
    captions.push_back(action->isSeparator() ? QStringLiteral("-") : action->text());
  }
  EXPECT_EQ(names,
            (std::vector<std::string>{"Copy1", "Translate1", "Navigate1", "Find1", "Picture1", "N1",
                                      "ActivateVerse1", "SelektVerse1", "SelectAll1", "N2",
                                      "AddBookmark1", "DeleteBookmark1"}));
  EXPECT_EQ(captions[0], QStringLiteral("Copy"));
  EXPECT_EQ(captions[3], QStringLiteral("Concordans"));
  EXPECT_EQ(captions[6], QString::fromUtf8("Активирай стиха"));
  EXPECT_EQ(captions[11], QString::fromUtf8("Махни отбелязването"));

  host_->ActiveWindow = window.get();
  window->BRichEdit1->resize(400, 300);
  window->BRichEdit1->SelectAll();
  QTest::mouseClick(window->BRichEdit1, Qt::RightButton, {}, QPoint(20, 20));
  EXPECT_EQ(window->BRichEdit1->PopupMenu(), window->PopupMenu1);
  EXPECT_TRUE(window->Copy1->isEnabled());
  EXPECT_FALSE(window->Translate1->isEnabled());  // no dictionary yet
  EXPECT_TRUE(window->Find1->isEnabled());        // "Concordans" follows "Copy"
  EXPECT_TRUE(window->BRichEdit1->Enable2("Psalms 3:2"));
  EXPECT_FALSE(window->BRichEdit1->Enable2("light"));
  EXPECT_FALSE(window->BRichEdit1->Enable0(""));
}

TEST_F(BibleForm1Test, RightClickOnAnInactiveWindowDefersTheActivation) {
  auto* asv = Open(kAsv, 1, 1, 1).release();
  auto* kjv = Open(kKjvsn, 1, 1, 1).release();
  Show(*asv, 1, 1, 1);
  Show(*kjv, 1, 1, 1);
  QMdiSubWindow* asvSub = host_->AddWindow(asv);
  QMdiSubWindow* kjvSub = host_->AddWindow(kjv);
  host_->UseWindowArea().setActiveSubWindow(kjvSub);
  ASSERT_EQ(host_->LastActiveBible(), kjv->Bible());
  const std::size_t changes = host_->TranslationChanges.size();
  // The history the deferred activation is to load.
  TBibleComboBox stored(host_->HistoryContext());
  stored.Add(7, "Psalms 3:1", 45000.5);
  ASSERT_TRUE(stored.SaveToFile(asv->Bible()->DefaultPath + "VerseHistory.txt"));
  QObject::connect(asv->BRichEdit1, &TBibleRichEdit1::OnMouseDown, asv,
                   [this] { host_->Events.push_back("press reaches the text control"); });
  host_->Events.clear();

  QTest::mouseClick(asv->BRichEdit1, Qt::RightButton, {}, QPoint(30, 30));
  // Qt activated the window before the press reached the control; the
  // window still knew it was a right click.
  EXPECT_EQ(host_->Events,
            (std::vector<std::string>{"activated ASV", "press reaches the text control"}));
  EXPECT_EQ(host_->UseWindowArea().activeSubWindow(), asvSub);
  EXPECT_TRUE(asv->PendingActivate());
  EXPECT_EQ(asv->BRichEdit1->PopupMenu(), nullptr);
  EXPECT_EQ(host_->LastActiveBible(), kjv->Bible());
  EXPECT_EQ(host_->TranslationChanges.size(), changes);
  EXPECT_EQ(host_->VerseHistory().IndexOf("Psalms 3:1"), -1);

  QTest::mouseClick(asv->BRichEdit1, Qt::LeftButton, {}, QPoint(30, 30));
  EXPECT_FALSE(asv->PendingActivate());
  EXPECT_EQ(host_->LastActiveBible(), asv->Bible());
  ASSERT_EQ(host_->TranslationChanges.size(), changes + 1);
  EXPECT_EQ(host_->TranslationChanges.back(), asv->Bible());
  EXPECT_GE(host_->VerseHistory().IndexOf("Psalms 3:1"), 0);
  EXPECT_EQ(host_->VerseHistory().Text(), "Genesis 1:1");
  EXPECT_EQ(host_->BookBox().Items(), (std::vector<std::string>{"Genesis", "Psalms", "John"}));
  EXPECT_EQ(host_->BookBox().ItemIndex(), 0);
  EXPECT_EQ(asv->BRichEdit1->PopupMenu(), asv->PopupMenu1);
  EXPECT_TRUE(test::ReadFile(kjv->Bible()->DefaultPath + "VerseHistory.txt").size() > 0);
  EXPECT_EQ(host_->ActiveTranslation().View(), asv);

  // A left click on an inactive window activates it at once.
  QTest::mouseClick(kjv->BRichEdit1, Qt::LeftButton, {}, QPoint(30, 30));
  EXPECT_FALSE(kjv->PendingActivate());
  EXPECT_EQ(host_->LastActiveBible(), kjv->Bible());
}

TEST_F(BibleForm1Test, ActivationWritesThePlaceIntoTheMainWindow) {
  auto window = Open(kAsv, 22, 3, 5);  // own Psalm 3:4
  host_->ActiveWindow = window.get();
  window->FormActivate();
  EXPECT_EQ(host_->ChapterSpin().text(), QStringLiteral("3"));
  EXPECT_EQ(host_->VerseSpin().text(), QStringLiteral("4"));
  EXPECT_EQ(host_->Navigator().Place().Book, 22);
  EXPECT_EQ(host_->Navigator().CurrentReference(), "Psalms 3:4");
  EXPECT_EQ(host_->BookBox().ItemIndex(), 1);
  EXPECT_EQ(host_->BookBox().Text(), "Psalms");
  EXPECT_EQ(host_->VerseHistory().Text(), "Psalms 3:4");
  EXPECT_EQ(host_->LastActiveBible(), window->Bible());
}

TEST_F(BibleForm1Test, BookmarksAddFindDeleteAndRebuild) {
  auto asv = Open(kAsv, 1, 1, 1);
  auto kjv = Open(kKjvsn, 54, 3, 16);
  QMenu& menu = host_->BookmarkMenu();
  host_->ActiveWindow = asv.get();
  asv->FormActivate();
  ASSERT_EQ(menu.actions().size(), 1);
  EXPECT_EQ(asv->FindBookmarkItem(), -1);
  asv->PopupMenu1Popup();
  EXPECT_TRUE(asv->AddBookmark1->isVisible());
  EXPECT_FALSE(asv->DeleteBookmark1->isVisible());

  asv->AddBookmark1Click();
  asv->AddBookmark1Click();
  ASSERT_EQ(menu.actions().size(), 3);
  QPointer<QAction> first = menu.actions()[1];
  QPointer<QAction> second = menu.actions()[2];
  EXPECT_EQ(first->text(), QStringLiteral("Genesis 1:1"));
  EXPECT_EQ(asv->Bible()->Bookmarks, (std::vector<std::string>{"Genesis 1:1", "Genesis 1:1"}));
  EXPECT_EQ(asv->FindBookmarkItem(), 1);
  asv->PopupMenu1Popup();
  EXPECT_FALSE(asv->AddBookmark1->isVisible());
  EXPECT_TRUE(asv->DeleteBookmark1->isVisible());
  host_->Navigator().GoToReference("Genesis 1:3");
  second->trigger();
  EXPECT_EQ(host_->Navigator().CurrentReference(), "Genesis 1:1");

  asv->DeleteBookmark1Click();
  EXPECT_TRUE(first.isNull());
  EXPECT_FALSE(second.isNull());
  EXPECT_EQ(menu.actions().size(), 2);
  EXPECT_EQ(asv->Bible()->Bookmarks.size(), 1U);

  // Another translation brings its own bookmarks, and back again.
  kjv->Bible()->Bookmarks = {"John 3:16", "Psalms 23:1"};
  host_->ActiveWindow = kjv.get();
  kjv->FormActivate();
  ASSERT_EQ(menu.actions().size(), 3);
  EXPECT_FALSE(menu.actions()[0]->isVisible());
  EXPECT_EQ(menu.actions()[1]->text(), QStringLiteral("John 3:16"));
  EXPECT_EQ(menu.actions()[2]->text(), QStringLiteral("Psalms 23:1"));
  EXPECT_EQ(kjv->FindBookmarkItem(), 1);
  host_->ActiveWindow = asv.get();
  asv->FormActivate();
  ASSERT_EQ(menu.actions().size(), 2);
  EXPECT_EQ(menu.actions()[1]->text(), QStringLiteral("Genesis 1:1"));
}

TEST_F(BibleForm1Test, ClosingUnchecksTheTranslationWithItsLastWindow) {
  auto* a1 = Open(kAsv, 1, 1, 1).release();
  auto* a2 = Open(kAsv, 1, 1, 1).release();
  auto* k = Open(kKjvsn, 1, 1, 1).release();
  QMdiSubWindow* sub1 = host_->AddWindow(a1);
  QMdiSubWindow* sub2 = host_->AddWindow(a2);
  host_->AddWindow(k);
  ASSERT_TRUE(host_->Checked[kAsv]);
  sub1->close();
  EXPECT_TRUE(host_->Checked[kAsv]);
  EXPECT_EQ(host_->ClosedWindows, std::vector<TBibleForm1*>{a1});
  QPointer<TBibleForm1> watch(a2);
  sub2->close();
  EXPECT_FALSE(host_->Checked[kAsv]);
  EXPECT_TRUE(host_->Checked[kKjvsn]);
  EXPECT_EQ(host_->ClosedWindows.size(), 2U);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(watch.isNull());
}

}  // namespace
}  // namespace lectora
