// The navigator and the active translation without any widget: fake views
// stand for the Bible windows, a fake list for the verse history. The place
// must stay the same verse in every translation's own numbering through any
// sequence of moves and activations.
#include "navigation/Navigator.h"

#include <gtest/gtest.h>
#include <memory>
#include <random>

#include "modules/ModuleCompiler.h"
#include "navigation/ActiveTranslation.h"
#include "navigation/PlaceView.h"
#include "navigation/VerseHistory.h"
#include "store/Bible.h"
#include "store/BibleSet.h"
#include "store/StandardStructure.h"
#include "store/StoreSession.h"
#include "support/SampleModules.h"
#include "support/TestSupport.h"

namespace lectora {
namespace {

constexpr int kKingJames = 8;
constexpr int kShifted = 9;  // its Psalm 3:v is the standard Psalm 3:v+1

struct FakeView : IPlaceView {
  explicit FakeView(TBible& module) : module_(module) {}
  TBible* Module() const override { return &module_; }
  int ViewBook() const override { return book; }
  int ViewChapter() const override { return chapter; }
  int ViewVerse() const override { return verse; }
  void ShowPlace(int b, int c, int v, bool) override {
    book = b;
    chapter = c;
    verse = v;
    ++shown;
  }
  TBible& module_;
  int book = 1, chapter = 1, verse = 1, shown = 0;
};

struct RecordingHistory : IVerseHistory {
  void Add(std::uint16_t number, const std::string& reference, double) override {
    entries.emplace_back(number, reference);
  }
  int Count() const override { return static_cast<int>(entries.size()); }
  std::vector<std::pair<int, std::string>> entries;
};

class NavigatorTest : public testing::Test {
 protected:
  NavigatorTest() {
    test::CopySharedData(dir_.Path());
    test::InstallSampleModule(test::kKingJamesSample, dir_.File("KJVSN"));
    TModuleCompiler::Compile(test::TestDataDir() + "module-shifted", dir_.File("ASV"), 5, false);
    TStoreSessionOptions options;
    options.SetupFolder = dir_.Path();
    options.ConfigHome = dir_.File("config");
    options.ReadOnlySetup = true;
    session_ = std::make_unique<TStoreSession>(options);
    navigator_ = std::make_unique<TNavigator>(active_, session_->Standard());
    kjv_ = std::make_unique<FakeView>(session_->Bibles().Open(kKingJames));
    shifted_ = std::make_unique<FakeView>(session_->Bibles().Open(kShifted));
    navigator_->SetViews([this] { return std::vector<IPlaceView*>{kjv_.get(), shifted_.get()}; });
    navigator_->SetHistory(&history_);
    double now = 45000;
    navigator_->SetClock([now]() mutable { return now += 0.001; });
    Activate(*kjv_);
  }

  void Activate(FakeView& view) {
    active_.Activate(&view, "");
    navigator_->AdoptViewPlace(view);
  }

  // The place of the navigator's standard number in `view`'s numbering.
  void ExpectShowsStandardPlace(const FakeView& view, const std::string& context) {
    int book = 0, chapter = 0, verse = 0;
    session_->Standard().StandardToRef(navigator_->Place().StandardNumber, book, chapter, verse);
    view.Module()->StandardToOwnRef(book, chapter, verse);
    EXPECT_EQ(view.book, book) << context;
    EXPECT_EQ(view.chapter, chapter) << context;
    EXPECT_EQ(view.verse, verse) << context;
  }

  test::TempDir dir_;
  std::unique_ptr<TStoreSession> session_;
  TActiveTranslation active_{true};
  std::unique_ptr<TNavigator> navigator_;
  RecordingHistory history_;
  std::unique_ptr<FakeView> kjv_;
  std::unique_ptr<FakeView> shifted_;
};

TEST_F(NavigatorTest, AWindowOfAnotherNumberingKeepsItsOwnPlaceAndStepsFromIt) {
  ASSERT_TRUE(navigator_->GoToReference("Psalms 3:2"));
  EXPECT_EQ(kjv_->verse, 2);
  EXPECT_EQ(shifted_->verse, 1);
  Activate(*shifted_);
  EXPECT_EQ(navigator_->Place().Verse, 1);
  EXPECT_EQ(navigator_->CurrentReference(), "Psalms 3:1");
  navigator_->StepVerse(+1, navigator_->CurrentBookPosition(), 3, 1);
  EXPECT_EQ(shifted_->verse, 2);
  EXPECT_EQ(kjv_->verse, 3);
}

TEST_F(NavigatorTest, EveryWindowStaysOnTheSameVerseThroughRandomMoves) {
  std::mt19937 random(20261209);
  const auto pick = [&random](int bound) {
    return static_cast<int>(random() % static_cast<unsigned>(bound));
  };
  navigator_->SetRandom(pick);
  for (int step = 0; step < 600; ++step) {
    const int move = pick(7);
    TBible& active = *active_.Bible();
    const int position = navigator_->CurrentBookPosition();
    const TPlace place = navigator_->Place();
    switch (move) {
      case 0:
        navigator_->GoToVerse(pick(active.VerseTotal) + 1);
        break;
      case 1:
        navigator_->StepVerse(pick(2) == 0 ? -1 : 1, position, place.Chapter, place.Verse);
        break;
      case 2:
        navigator_->MoveBook(pick(2) == 0 ? -1 : 1, place.Chapter, place.Verse);
        break;
      case 3:
        navigator_->ShowPosition(position, pick(30) + 1, pick(40) + 1, true);
        break;
      case 4:
        navigator_->GoToRandomVerse();
        break;
      case 5:
        Activate(pick(2) == 0 ? *kjv_ : *shifted_);
        break;
      default:
        navigator_->GoToStandard(navigator_->Place().StandardNumber);
        break;
    }
    const std::string context = "step " + std::to_string(step) + " move " + std::to_string(move);
    FakeView& shown = active_.View() == kjv_.get() ? *kjv_ : *shifted_;
    FakeView& other = &shown == kjv_.get() ? *shifted_ : *kjv_;
    // The active window shows the navigator's place, the other the same
    // standard verse in its own numbering.
    EXPECT_EQ(shown.verse, navigator_->Place().Verse) << context;
    EXPECT_EQ(shown.chapter, navigator_->Place().Chapter) << context;
    EXPECT_EQ(
        navigator_->Place().VerseNumber,
        active_.Bible()->VerseNumber(navigator_->CurrentBookPosition(), shown.chapter, shown.verse))
        << context;
    if (move != 5) ExpectShowsStandardPlace(other, context);
  }
}

TEST_F(NavigatorTest, HistoryRecordsEveryMoveButTheSuspendedOne) {
  navigator_->GoToReference("John 3:16");
  navigator_->GoToReference("John 1:1");
  const std::size_t recorded = history_.entries.size();
  navigator_->SuspendHistoryRecording();
  navigator_->GoToReference("John 3:16");  // Back: not recorded
  EXPECT_EQ(history_.entries.size(), recorded);
  navigator_->StepVerse(+1, navigator_->CurrentBookPosition(), 3, 16);
  ASSERT_GT(history_.entries.size(), recorded);
  EXPECT_EQ(history_.entries.back().second, "John 3:17");
}

TEST_F(NavigatorTest, RandomVerseCoversTheModuleEnds) {
  const int total = active_.Bible()->VerseTotal;
  for (int drawn : {0, total - 1}) {
    navigator_->SetRandom([drawn, total](int bound) {
      EXPECT_EQ(bound, total);
      return drawn;
    });
    navigator_->GoToRandomVerse();
    EXPECT_EQ(navigator_->Place().VerseNumber, drawn + 1);
  }
}

TEST_F(NavigatorTest, BookmarkOnTheVerseJustLeftFollowsTheReader) {
  navigator_->GoToReference("Genesis 1:1");
  active_.AddBookmark("Genesis 1:1");
  navigator_->StepVerse(+1, navigator_->CurrentBookPosition(), 1, 1);
  EXPECT_EQ(active_.Bible()->Bookmarks, std::vector<std::string>{"Genesis 1:2"});
  navigator_->GoToReference("Genesis 1:5");
  EXPECT_EQ(active_.Bible()->Bookmarks, std::vector<std::string>{"Genesis 1:2"});
}

}  // namespace
}  // namespace lectora
