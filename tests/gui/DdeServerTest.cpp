// The program's bus interface driven from another connection, as a script
// or an editor drives it: the places poked into SetBook, SetChapter and
// SetVerse, the item SetVerse read back, the spin edit's typing rule, the
// dictionary and the concordance, unknown items, a program without Bible
// windows, and calls that are no place at all (empty, 100 KB, words, another
// script, a flood). Runs on a private session bus (ctest gui_tests_dde).
#include <gtest/gtest.h>

#include <QDBusConnection>
#include <QDBusError>
#include <QSignalSpy>
#include <QTest>
#include <memory>

#include "DdeTestSupport.h"
#include "app/Program.h"
#include "display/BibleForm1.h"
#include "display/QtText.h"
#include "mainwindow/Lectora2Form1.h"
#include "mainwindow/PBJustOne.h"
#include "navigation/Navigator.h"
#include "settings/MySpinEdit.h"
#include "store/Bible.h"
#include "tools/dde/DdeServer.h"
#include "tools/dictionary/Dic_Form1.h"
#include "tools/search/SearchService.h"

namespace lectora {
namespace {

constexpr int kPsalms = 22;
constexpr int kJohn = 54;

class DdeDBusServer : public testing::Test {
 protected:
  void SetUp() override {
    if (!QDBusConnection::sessionBus().isConnected()) {
      GTEST_SKIP() << "no session bus; ctest runs these under dbus-run-session";
    }
    service_ = test::UniqueDdeServiceName();
    TPBJustOne::TOptions options;
    options.ServiceName = service_;
    options.Transport = TPBJustOne::TTransport::DBus;
    options.BusConnectionName = service_ + QStringLiteral(".server");
    justOne_ = std::make_unique<TPBJustOne>(options);
    ASSERT_EQ(justOne_->Check(), TPBJustOne::TResult::First) << justOne_->LastError().toStdString();
    window_ = setup_.Start();
    justOne_->SetItems(&window_->Program().DdeServer());
    client_ = QDBusConnection::connectToBus(QDBusConnection::SessionBus,
                                            service_ + QStringLiteral(".client"));
  }
  void TearDown() override {
    if (justOne_) justOne_->SetItems(nullptr);
    window_.reset();
    justOne_.reset();
    QDBusConnection::disconnectFromBus(service_ + QStringLiteral(".client"));
  }

  QDBusMessage Call(const QString& method, const QVariantList& arguments = {}) {
    return test::CallDde(client_, service_, method, arguments);
  }
  void Poke(const char* item, const QString& text) {
    const QDBusMessage reply = Call(QString::fromLatin1(item), {text});
    ASSERT_EQ(reply.type(), QDBusMessage::ReplyMessage) << reply.errorMessage().toStdString();
  }
  QString Request(const char* item) {
    const QDBusMessage reply = Call(QStringLiteral("Request"), {QString::fromLatin1(item)});
    EXPECT_EQ(reply.type(), QDBusMessage::ReplyMessage) << reply.errorMessage().toStdString();
    return reply.arguments().value(0).toString();
  }
  const TPlace& Place() { return window_->Program().Navigator().Place(); }
  // The active window's current verse, as the bus should answer it.
  QString ShownVerse() {
    TBibleForm1* active = window_->ActiveBibleWindow();
    return DecodeCharset(active->CurrentVerseText(), active->Bible()->Language.Charset());
  }
  // Every window shows book:chapter:verse.
  void ExpectEveryWindowAt(int book, int chapter, int verse) {
    for (TBibleForm1* window : window_->BibleWindows()) {
      EXPECT_EQ(window->ShownBook(), book);
      EXPECT_EQ(window->ShownChapter(), chapter);
      EXPECT_EQ(window->ShownVerse(), verse);
    }
  }

  test::TDdeSetup setup_;
  QString service_;
  std::unique_ptr<TPBJustOne> justOne_;
  std::unique_ptr<test::MainWindowDriver> window_;
  QDBusConnection client_{QString()};
};

TEST_F(DdeDBusServer, SetBookWithTheFirstBookMovesAndRequestReturnsThatVerse) {
  window_->OpenTranslation(test::kKingJamesAsAsv);
  window_->OpenTranslation(test::kKingJames);
  Poke("SetBook", QStringLiteral("Genesis 1:3"));
  EXPECT_EQ(Place().Book, 1);
  EXPECT_EQ(Place().Chapter, 1);
  EXPECT_EQ(Place().Verse, 3);
  ExpectEveryWindowAt(1, 1, 3);
  const QString verse = Request("SetVerse");
  EXPECT_TRUE(verse.contains(QStringLiteral("said")) && verse.contains(QStringLiteral("light")))
      << verse.toStdString();
  EXPECT_EQ(verse, ShownVerse());
  EXPECT_EQ(Request("SetBook"), QStringLiteral("Genesis 1:3"));
}

TEST_F(DdeDBusServer, AReferenceWithoutBookStaysInTheBookAndAnUnknownTextKeepsThePlace) {
  window_->OpenTranslation(test::kKingJames);
  Poke("SetBook", QStringLiteral("John 3:16"));
  Poke("SetBook", QStringLiteral("2:1"));
  EXPECT_EQ(Place().Book, kJohn);
  EXPECT_EQ(Place().Chapter, 2);
  EXPECT_EQ(Place().Verse, 1);
  Poke("SetBook", QStringLiteral("Nowhere"));
  EXPECT_EQ(Place().Chapter, 2);
  // The item then holds the unchanged current verse.
  EXPECT_EQ(Request("SetVerse"), ShownVerse());
  EXPECT_FALSE(ShownVerse().isEmpty());
}

TEST_F(DdeDBusServer, SetVerseMovesAndSetChapterMovesButLeavesTheItemSetVerse) {
  window_->OpenTranslation(test::kKingJames);
  Poke("SetBook", QStringLiteral("Psalms 3:1"));
  Poke("SetVerse", QStringLiteral("5"));
  EXPECT_EQ(Place().Verse, 5);
  const QString fifth = Request("SetVerse");
  EXPECT_EQ(fifth, ShownVerse());
  EXPECT_TRUE(fifth.contains(QStringLiteral("I laid me down"))) << fifth.toStdString();
  Poke("SetVerse", QStringLiteral("8"));
  const QString eighth = Request("SetVerse");
  // Psalm 4 has 8 verses, Psalm 5 has 12: the verse stays 8 in both.
  Poke("SetChapter", QStringLiteral("5"));
  EXPECT_EQ(Place().Book, kPsalms);
  EXPECT_EQ(Place().Chapter, 5);
  EXPECT_EQ(Place().Verse, 8);
  EXPECT_EQ(Request("SetVerse"), eighth);
  EXPECT_EQ(Request("SetChapter"), QStringLiteral("5"));
  Poke("SetVerse", QStringLiteral("12"));
  Poke("SetChapter", QStringLiteral("4"));
  EXPECT_EQ(Place().Chapter, 4);
  EXPECT_EQ(Place().Verse, 8) << "clamped into Psalm 4";
}

TEST_F(DdeDBusServer, AChapterTypedBeforeSwallowsTheNextSetChapter) {
  window_->OpenTranslation(test::kKingJames);
  Poke("SetBook", QStringLiteral("Psalms 3:1"));
  TMySpinEdit& chapter = window_->ChapterSpin();
  chapter.setFocus();
  // A typed key that changed nothing (Backspace at the start) leaves the
  // flag set for the next change.
  QTest::keyClick(&chapter, Qt::Key_Home);
  QTest::keyClick(&chapter, Qt::Key_Backspace);
  Poke("SetChapter", QStringLiteral("7"));
  EXPECT_EQ(Place().Chapter, 3) << "the typed key swallows this one change";
  Poke("SetChapter", QStringLiteral("8"));
  EXPECT_EQ(Place().Chapter, 8);
}

TEST_F(DdeDBusServer, WithoutABibleWindowThePlacePokesDoNothing) {
  const TPlace before = Place();
  Poke("SetBook", QStringLiteral("John 3:16"));
  Poke("SetVerse", QStringLiteral("5"));
  Poke("SetChapter", QStringLiteral("2"));
  EXPECT_EQ(Place().Book, before.Book);
  EXPECT_EQ(Place().StandardNumber, before.StandardNumber);
  EXPECT_EQ(Request("SetVerse"), QStringLiteral("5")) << "the poked text, nothing shown";
}

TEST_F(DdeDBusServer, ARequestForAnUnknownItemIsAnError) {
  const QDBusMessage reply = Call(QStringLiteral("Request"), {QStringLiteral("Nonsense")});
  EXPECT_EQ(reply.type(), QDBusMessage::ErrorMessage);
  EXPECT_EQ(reply.errorName(), QDBusError::errorString(QDBusError::InvalidArgs));
  // Item names are not case-sensitive.
  EXPECT_EQ(Call(QStringLiteral("Request"), {QStringLiteral("setverse")}).type(),
            QDBusMessage::ReplyMessage);
}

TEST_F(DdeDBusServer, ExplaneLooksTheWordUpInTheDictionary) {
  window_->OpenTranslation(test::kKingJames);
  Poke("Explane", QStringLiteral(u"Йоан"));
  EXPECT_TRUE(window_->Program().DictionaryWindow().IsShown());
  EXPECT_EQ(Request("Explane"), QStringLiteral(u"Йоан"));
}

TEST_F(DdeDBusServer, ConcordanceSearchesOpensTheFirstVerseAndTheSameTextDoesNotSearchAgain) {
  window_->OpenTranslation(test::kKingJames);
  Poke("SetBook", QStringLiteral("Psalms 23:1"));
  TSearchService& search = window_->Program().WordSearch();
  QSignalSpy shown(&search, &TSearchService::ListShown);
  TDic_Form1& dictionary = window_->Program().DictionaryWindow();
  dictionary.ShowDictionary();
  Poke("Concordance", QStringLiteral("light"));
  EXPECT_FALSE(dictionary.isVisible()) << "AutoMin (option 11) is on";
  ASSERT_NE(search.SearchRoot(), nullptr);
  ASSERT_GT(search.CurrentList()->Count(), 0U);
  EXPECT_EQ(Place().VerseNumber, search.CurrentList()->Items.front()) << "first found opened";
  EXPECT_EQ(Place().Book, 1);
  const int searches = static_cast<int>(shown.count());
  EXPECT_GE(searches, 1);
  Poke("SetBook", QStringLiteral("John 3:16"));
  Poke("Concordance", QStringLiteral("light"));
  EXPECT_EQ(shown.count(), searches) << "the same text does not search again";
  EXPECT_EQ(Place().Book, 1) << "the first found verse is opened again";
}

// ---- calls that are no place ----

struct TBadCall {
  const char* Item;
  QString Text;
};

TEST_F(DdeDBusServer, BadTextsNeverCrashAndLeaveTheWindowsAtAValidPlace) {
  window_->OpenTranslation(test::kKingJames);
  Poke("SetBook", QStringLiteral("John 3:16"));
  const QString big(qsizetype{100} * 1024, QLatin1Char('7'));
  const QString words(qsizetype{100} * 1024, QLatin1Char('x'));
  const TBadCall calls[] = {
      {"SetBook", QString()},
      {"SetBook", big},
      {"SetBook", words},
      {"SetBook", QStringLiteral(u"Псалми 3:1")},
      {"SetBook", QStringLiteral(u"\u05D1\u05E8\u05D0\u05E9\u05D9\u05EA 1:1 \U0001F600")},
      {"SetBook", QStringLiteral("John 999:999")},
      {"SetChapter", QString()},
      {"SetChapter", big},
      {"SetChapter", QStringLiteral("not a number")},
      {"SetChapter", QStringLiteral("-5")},
      {"SetVerse", QString()},
      {"SetVerse", big},
      {"SetVerse", QStringLiteral("99999999999999999999")},
      {"Explane", big},
      {"Concordance", QString()},
      {"Concordance", words},
      {"CloseOnTop", big},
  };
  for (const TBadCall& call : calls) {
    SCOPED_TRACE(std::string(call.Item) + " of " + std::to_string(call.Text.size()));
    Poke(call.Item, call.Text);
    const TPlace& place = Place();
    ASSERT_GE(place.VerseNumber, 1);
    ASSERT_LE(place.VerseNumber, window_->ActiveBible()->VerseTotal);
    TBibleForm1* active = window_->ActiveBibleWindow();
    EXPECT_EQ(active->ShownBook(), place.Book);
    EXPECT_EQ(active->ShownChapter(), place.Chapter);
    // The item SetVerse holds the current verse after a SetVerse.
    EXPECT_EQ(Request(call.Item), std::string(call.Item) == "SetVerse" ? ShownVerse() : call.Text);
  }
}

TEST_F(DdeDBusServer, AFloodOfTenThousandCallsIsServedInOrder) {
  window_->OpenTranslation(test::kKingJames);
  Poke("SetBook", QStringLiteral("Psalms 23:1"));
  for (int i = 0; i < 10000; ++i) {
    QDBusMessage call = QDBusMessage::createMethodCall(
        service_, QStringLiteral("/Lectora"), QStringLiteral("org.darsel.Lectora.DdeServerConv1"),
        i % 2 == 0 ? QStringLiteral("SetVerse") : QStringLiteral("Request"));
    call << (i % 2 == 0 ? QString::number(i % 7 + 1) : QStringLiteral("SetVerse"));
    ASSERT_TRUE(client_.send(call));
  }
  // The calls of one connection arrive in order: this answer comes last.
  Poke("SetVerse", QStringLiteral("4"));
  EXPECT_EQ(Place().Book, kPsalms);
  EXPECT_EQ(Place().Chapter, 23);
  EXPECT_EQ(Place().Verse, 4);
  EXPECT_EQ(Request("SetVerse"), ShownVerse());
}

}  // namespace
}  // namespace lectora
