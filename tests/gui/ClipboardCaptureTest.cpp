// Clipboard capture: what ClipboardText takes from the clipboard (the
// 49-character limit, the zero that ends the text, the 8-bit mapping,
// images, HTML only, 1 MB), and the real program reacting to copies: a
// reference moves every window and brings the program forward, long texts
// and non-references change nothing, its own copies are ignored, and
// option 0 off (ToolButton19) examines nothing. The cases named OnX11 copy
// with xclip from another process under Xvfb (ctest gui_tests_x11).
#include "tools/clipboard/ClipboardCapture.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QMimeData>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <memory>

#include "DdeTestSupport.h"
#include "app/ActionRegistry.h"
#include "app/Program.h"
#include "display/BibleForm1.h"
#include "display/BibleRichEdit1.h"
#include "mainwindow/Lectora2Form1.h"
#include "navigation/Navigator.h"
#include "settings/OptionValues.h"

namespace lectora {
namespace {

constexpr int kJohn = 54;

struct TClipText {
  QString Text;
  std::string Expected;
};

TEST(ClipboardTextTest, TakesShortUnicodeTextsInEightBits) {
  const TClipText cases[] = {
      {QStringLiteral("John 3:16"), "John 3:16"},
      {QString(49, QLatin1Char('a')), std::string(49, 'a')},
      {QString(50, QLatin1Char('a')), ""},
      {QString(60, QLatin1Char('a')), ""},
      {QStringLiteral(u"Йоан 3:16"), "\xC9\xEE\xE0\xED 3:16"},
      {QStringLiteral(u"Ιωάννης"), "\xC9\xF9\xDC\xED\xED\xE7\xF2"},
      {QStringLiteral(u"\u015Fi \u0163ara \u2014 \u20AC"),
       "\xBAi \xFE"
       "ara \x97 ?"},
      {QStringLiteral("Rom 8:28") + QChar(0) + QStringLiteral("tail"), "Rom 8:28"},
      {QString(), ""},
  };
  for (const TClipText& c : cases) {
    SCOPED_TRACE(c.Text.toStdString());
    QMimeData data;
    data.setText(c.Text);
    EXPECT_EQ(TClipboardCapture::ClipboardText(&data), c.Expected);
  }
}

TEST(ClipboardTextTest, ImagesHtmlOnlyAndAMegabyteGiveNothing) {
  EXPECT_EQ(TClipboardCapture::ClipboardText(nullptr), "");
  QMimeData image;
  image.setImageData(QImage(4, 4, QImage::Format_RGB32));
  EXPECT_EQ(TClipboardCapture::ClipboardText(&image), "");
  QMimeData html;
  html.setHtml(QStringLiteral("<b>John 3:16</b>"));
  EXPECT_EQ(TClipboardCapture::ClipboardText(&html), "");
  QMimeData huge;
  huge.setText(QStringLiteral("John 3:16 ") + QString(qsizetype{1024} * 1024, QLatin1Char('x')));
  EXPECT_EQ(TClipboardCapture::ClipboardText(&huge), "");
}

class ClipboardCaptureTest : public testing::Test {
 protected:
  void SetUp() override {
    window_ = setup_.Start();
    window_->OpenTranslation(test::kKingJamesAsAsv);
    window_->OpenTranslation(test::kKingJames);
    window_->Program().Navigator().GoToReference("Genesis 1:1");
  }
  TClipboardCapture& Capture() { return window_->Program().ClipboardCapture(); }
  const TPlace& Place() { return window_->Program().Navigator().Place(); }
  void ExpectEveryWindowIn(int book) {
    for (TBibleForm1* window : window_->BibleWindows()) EXPECT_EQ(window->ShownBook(), book);
  }

  test::TDdeSetup setup_;
  std::unique_ptr<test::MainWindowDriver> window_;
};

// Offscreen, the program's clipboard is its own: a text set here stands for
// a copy made elsewhere (the flag of the program's own copies is not set).
TEST_F(ClipboardCaptureTest, ACopiedReferenceMovesEveryWindowAndBringsTheProgramForward) {
  window_->Window().showMinimized();
  QApplication::clipboard()->setText(QStringLiteral("John 3:16"));
  EXPECT_EQ(Place().Book, kJohn);
  EXPECT_EQ(Place().Chapter, 3);
  EXPECT_EQ(Place().Verse, 16);
  ExpectEveryWindowIn(kJohn);
  EXPECT_FALSE(window_->Window().isMinimized());
  // Blanks and bracketed parts go before the reference is read.
  QApplication::clipboard()->setText(QStringLiteral("  Psalms   23:4 (KJV) "));
  EXPECT_EQ(Place().Chapter, 23);
  EXPECT_EQ(Place().Verse, 4);
}

TEST_F(ClipboardCaptureTest, LongTextsAndOtherTextsChangeNothing) {
  const QString texts[] = {
      QStringLiteral("John 3:16") + QString(51, QLatin1Char(' ')),
      QString(40, QLatin1Char(' ')) + QStringLiteral("John 3:16") + QString(11, QLatin1Char(' ')),
      QStringLiteral("love one another"), QStringLiteral("Hezekiah 3:16"), QString()};
  for (const QString& text : texts) {
    QApplication::clipboard()->setText(text);
    EXPECT_EQ(Place().Book, 1) << text.toStdString();
  }
  QApplication::clipboard()->setText(QStringLiteral("John 3:16") + QString(40, QLatin1Char(' ')));
  EXPECT_EQ(Place().Book, kJohn) << "49 characters are examined";
}

TEST_F(ClipboardCaptureTest, TheProgramsOwnCopyMovesNothing) {
  TBibleRichEdit1& text = *window_->ActiveBibleWindow()->BRichEdit1;
  window_->Program().Navigator().GoToReference("John 3:16");
  window_->Program().Navigator().GoToReference("Genesis 1:1");
  const int examined = Capture().ExaminedCount();
  // A selection that reads as a reference of the module.
  text.SetSelStart(0);
  text.SetSelLength(7);
  ASSERT_TRUE(text.CopyToClipboard());
  EXPECT_EQ(Capture().ExaminedCount(), examined);
  EXPECT_EQ(Place().Book, 1);
}

TEST_F(ClipboardCaptureTest, OptionZeroOffExaminesNothingAndToolButton19Mirrors) {
  QAction& button = window_->Program().Actions().Get(QStringLiteral("ToolButton19"));
  ASSERT_TRUE(button.isChecked());
  button.trigger();
  EXPECT_FALSE(window_->Program().Options().GetOption(TOptionValues::kCheckClipboard));
  const int examined = Capture().ExaminedCount();
  QApplication::clipboard()->setText(QStringLiteral("John 3:16"));
  EXPECT_EQ(Capture().ExaminedCount(), examined);
  EXPECT_EQ(Place().Book, 1);
  window_->Program().Options().SetOption(TOptionValues::kCheckClipboard, true);
  EXPECT_TRUE(button.isChecked());
  QApplication::clipboard()->setText(QStringLiteral("John 2:1"));
  EXPECT_EQ(Place().Book, kJohn);
}

// ---- under Xvfb, copies of another process ----

class ClipboardCaptureX11Test : public ClipboardCaptureTest {
 protected:
  void SetUp() override {
    if (!QApplication::clipboard()->supportsSelection()) {
      GTEST_SKIP() << "needs X11 (QT_QPA_PLATFORM=xcb under xvfb-run)";
    }
    if (QStandardPaths::findExecutable(QStringLiteral("xclip")).isEmpty()) {
      GTEST_SKIP() << "needs xclip";
    }
    ClipboardCaptureTest::SetUp();
  }
  void TearDown() override {
    // Taking the clipboard back ends the xclip that served it.
    if (window_) QApplication::clipboard()->setText(QStringLiteral("-"));
  }
  // Copies `bytes` as `target` with xclip, as another program does.
  static void Xclip(const QByteArray& bytes, const char* target = "UTF8_STRING") {
    QProcess xclip;
    xclip.start(QStringLiteral("xclip"), {QStringLiteral("-selection"), QStringLiteral("clipboard"),
                                          QStringLiteral("-t"), QString::fromLatin1(target)});
    ASSERT_TRUE(xclip.waitForStarted());
    xclip.write(bytes);
    xclip.closeWriteChannel();
    ASSERT_TRUE(xclip.waitForFinished(5000));
  }
};

TEST_F(ClipboardCaptureX11Test, AReferenceCopiedElsewhereMovesEveryWindowOnX11) {
  window_->Window().showMinimized();
  Xclip("John 3:16");
  ASSERT_TRUE(QTest::qWaitFor([&] { return Place().Book == kJohn; }, 5000));
  EXPECT_EQ(Place().Verse, 16);
  ExpectEveryWindowIn(kJohn);
  EXPECT_TRUE(QTest::qWaitFor([&] { return !window_->Window().isMinimized(); }, 2000));
}

TEST_F(ClipboardCaptureX11Test, LongTextsImagesAndHtmlChangeNothingOnX11) {
  const int examined = Capture().ExaminedCount();
  Xclip("John 3:16" + QByteArray(51, ' '));
  Xclip("<b>John 3:16</b>", "text/html");
  Xclip(QByteArray(qsizetype{1024} * 1024, 'x'));
  ASSERT_TRUE(QTest::qWaitFor([&] { return Capture().ExaminedCount() >= examined + 3; }, 5000));
  EXPECT_EQ(Place().Book, 1);
}

TEST_F(ClipboardCaptureX11Test, OptionZeroOffExaminesNothingOnX11) {
  window_->Program().Options().SetOption(TOptionValues::kCheckClipboard, false);
  const int examined = Capture().ExaminedCount();
  Xclip("John 3:16");
  QTest::qWait(300);
  EXPECT_EQ(Capture().ExaminedCount(), examined);
  EXPECT_EQ(Place().Book, 1);
}

}  // namespace
}  // namespace lectora
