// The on-top viewer's window: the chapter shown with its line ends, the
// passage between two GoToPos positions (visible characters) selected,
// positions beyond the text, texts that are no number, the font items, and
// the placement kept across starts.
#include "FloatpaneWindow.h"

#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <QTest>

#include "support/TestSupport.h"

namespace lectora {
namespace {

// Visible characters: "Title" 0-4, "Chapter 1" 5-13, " 1 In the beginning" 14-32,
// " 2 And the earth" 33-48.
const QString kChapter =
    QStringLiteral("Title\r\nChapter 1\r\n\r\n 1 In the beginning\r\n 2 And the earth");

struct TPassage {
  const char* Start;
  const char* End;
  const char* Selected;
};

TEST(FloatpaneWindowTest, TwoPositionsSelectThePassageBetweenThem) {
  TFloatpaneWindow window({});
  window.SetText(kChapter);
  EXPECT_EQ(window.ShownText(),
            QStringLiteral("Title\nChapter 1\n\n 1 In the beginning\n 2 And the earth"));
  const TPassage passages[] = {
      {"14", "33", " 1 In the beginning"},
      {"33", "49", " 2 And the earth"},
      {"0", "5", "Title"},
      {"33", "100000", " 2 And the earth"},  // beyond the end: to the end
      {"-4", "5", "Title"},                  // before the start: from the start
      {"20", "20", ""},
  };
  for (const TPassage& passage : passages) {
    SCOPED_TRACE(std::string(passage.Start) + ".." + passage.End);
    window.GoToPos(QString::fromLatin1(passage.Start));
    window.GoToPos(QString::fromLatin1(passage.End));
    EXPECT_EQ(window.SelectedText(), QString::fromLatin1(passage.Selected));
  }
}

TEST(FloatpaneWindowTest, ANewTextStartsANewPairAndNoNumberIsIgnored) {
  TFloatpaneWindow window({});
  window.SetText(kChapter);
  window.GoToPos(QStringLiteral("14"));
  window.SetText(kChapter);  // the pending start is dropped
  window.GoToPos(QStringLiteral("33"));
  window.GoToPos(QStringLiteral("not a number"));
  window.GoToPos(QString());
  window.GoToPos(QStringLiteral("49"));
  EXPECT_EQ(window.SelectedText(), QStringLiteral(" 2 And the earth"));
}

TEST(FloatpaneWindowTest, TheFontItemsChangeTheTextFontAndBadSizesAreIgnored) {
  TFloatpaneWindow window({});
  window.SetFont(QStringLiteral("DejaVu Serif"));
  window.SetFontSize(QStringLiteral("14"));
  EXPECT_EQ(window.Text()->font().family(), QStringLiteral("DejaVu Serif"));
  EXPECT_EQ(window.Text()->font().pointSize(), 14);
  for (const char* bad : {"0", "-3", "large", "100000"}) {
    window.SetFontSize(QString::fromLatin1(bad));
    EXPECT_EQ(window.Text()->font().pointSize(), 14) << bad;
  }
  window.SetFontCharSet(QStringLiteral("204"));
  EXPECT_EQ(window.FontCharSet(), 204);
  window.SetCaption(QStringLiteral(u" Библия"));
  EXPECT_EQ(window.windowTitle(), QStringLiteral(u" Библия"));
  EXPECT_TRUE(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
}

TEST(FloatpaneWindowTest, ThePlacementIsKeptForTheNextStart) {
  test::TempDir dir;
  const QString file = QString::fromStdString(dir.File("Floatpane.ini"));
  {
    TFloatpaneWindow window(file);
    window.setGeometry(40, 50, 300, 200);
    window.SavePlacement();
  }
  TFloatpaneWindow again(file);
  EXPECT_EQ(again.geometry().size(), QSize(300, 200));
  EXPECT_NE(test::ReadFile(dir.File("Floatpane.ini")).find("Width=300"), std::string::npos);
}

}  // namespace
}  // namespace lectora
