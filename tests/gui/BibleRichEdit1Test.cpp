#include "display/BibleRichEdit1.h"

#include <gtest/gtest.h>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QKeySequence>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace lectora {
namespace {

std::string WithoutLineEnds(const std::string& text) {
  std::string out;
  for (const char c : text) {
    if (c != '\r' && c != '\n') out += c;
  }
  return out;
}

int CountPixels(const QImage& image, const QRect& area, const std::function<bool(QColor)>& test) {
  int count = 0;
  const QRect clipped = area.intersected(image.rect());
  for (int y = clipped.top(); y <= clipped.bottom(); ++y) {
    for (int x = clipped.left(); x <= clipped.right(); ++x) {
      if (test(image.pixelColor(x, y))) ++count;
    }
  }
  return count;
}

bool IsReddish(QColor c) { return c.red() > 150 && c.green() < 110 && c.blue() < 110; }
bool IsBluish(QColor c) { return c.blue() > 150 && c.red() < 110 && c.green() < 110; }

class BibleRichEdit1Test : public testing::Test {
 protected:
  void SetUp() override {
    edit = std::make_unique<TBibleRichEdit1>(context);
    mono = QFont(QStringLiteral("DejaVu Sans Mono"));
    mono.setPixelSize(12);
  }

  // Monospaced text makes the expected character positions independent of
  // the control's own measuring.
  void UseMono() {
    ASSERT_TRUE(QFontInfo(mono).fixedPitch()) << "DejaVu Sans Mono is not installed";
    edit->Font().Font = mono;
    edit->CanvasFont() = edit->Font();
    QFont unkerned = mono;
    unkerned.setKerning(false);
    charWidth = QFontMetricsF(unkerned).horizontalAdvance(QLatin1Char('a'));
  }
  // Width of `count` monospaced characters as the control rounds it.
  int MonoWidth(int count) const { return static_cast<int>(std::lround(count * charWidth)); }
  // The middle of the character `index` (0-based) of `box`.
  QPoint CharPoint(const TTextBox& box, int index) const {
    return {box.Left + static_cast<int>((index + 0.5) * charWidth),
            (box.Top + box.Bottom) / 2 - edit->ScrollBar()->value()};
  }
  int BarWidth() const { return edit->ScrollBar()->width(); }
  void ShowAt(int width, int height) {
    edit->resize(width, height);
    edit->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(edit.get()));
    edit->Layout();
  }
  const TTextFrag* FindFragment(const std::string& text) const {
    for (const TTextFrag& frag : edit->Fragments()) {
      if (frag.Text == text) return &frag;
    }
    return nullptr;
  }
  const TTextBox* FindBox(const std::string& text) const {
    for (const TTextBox& box : edit->Boxes()) {
      if (box.Text == text) return &box;
    }
    return nullptr;
  }

  std::vector<std::string> searchWords;
  TDisplayContext context{searchWords};
  std::unique_ptr<TBibleRichEdit1> edit;
  QFont mono;
  double charWidth = 0;
};

// ---- appending and markup ----

TEST_F(BibleRichEdit1Test, MarkupIsDroppedAndStyles) {
  edit->ColorMarks = true;
  edit->AddText("\\Gen 1:1\\ In |the| {note} end.");
  EXPECT_EQ(edit->Content(), "Gen 1:1 In the {note} end.");
  EXPECT_EQ(edit->VisibleLength(), 26);
  const TTextFrag* head = FindFragment("Gen 1:1");
  ASSERT_NE(head, nullptr);
  EXPECT_TRUE(head->Font.Font.bold());
  const TTextFrag* the = FindFragment("the");
  ASSERT_NE(the, nullptr);
  EXPECT_TRUE(the->Font.Font.italic());
  EXPECT_FALSE(the->Font.Font.bold());
  const TTextFrag* note = FindFragment("{note}");
  ASSERT_NE(note, nullptr);
  EXPECT_EQ(note->Font.Color, context.BraceColor);
  const TTextFrag* end = FindFragment(" end.");
  ASSERT_NE(end, nullptr);
  EXPECT_EQ(end->Font.Color, QColor(Qt::black));
}

TEST_F(BibleRichEdit1Test, BracesKeepTheColourWithoutColorMarks) {
  edit->AddText("a {note} b");
  const TTextFrag* note = FindFragment("{note}");
  ASSERT_NE(note, nullptr);
  EXPECT_EQ(note->Font.Color, QColor(Qt::black));
}

TEST_F(BibleRichEdit1Test, SearchedWordBecomesItsOwnFragment) {
  searchWords = {"god", "\xe1\xee\xe3"};  // "бог" in cp1251
  for (const bool colorMarks : {false, true}) {
    edit->Clear(true);
    edit->ColorMarks = colorMarks;
    edit->AddText("In the beginning GOD created; \xc1\xee\xe3 spoke. Praise God");
    EXPECT_EQ(edit->Content(), "In the beginning GOD created; \xc1\xee\xe3 spoke. Praise God");
    const TTextFrag* god = FindFragment("GOD");
    ASSERT_NE(god, nullptr);
    EXPECT_EQ(god->Font.Color, colorMarks ? context.MarkColor : QColor(Qt::black));
    EXPECT_NE(FindFragment("In the beginning "), nullptr);
    EXPECT_NE(FindFragment("\xc1\xee\xe3"), nullptr);
    // The word that ends the appended text is not looked up.
    EXPECT_EQ(FindFragment("God"), nullptr);
    EXPECT_NE(FindFragment(" spoke. Praise God"), nullptr);
  }
}

TEST_F(BibleRichEdit1Test, AddPairSetsBoldHeadAndCharsets) {
  edit->Font().Charset = 204;
  edit->Font().Color = QColor(0, 128, 0);
  edit->AddPairCharset("12 ", "\xe0\xe1", 161, 238);
  ASSERT_GE(edit->Fragments().size(), 2u);
  const TTextFrag* head = FindFragment("12 ");
  const TTextFrag* body = FindFragment("\xe0\xe1");
  ASSERT_TRUE(head && body);
  EXPECT_TRUE(head->Font.Font.bold());
  EXPECT_EQ(head->Font.Charset, 238);
  EXPECT_FALSE(body->Font.Font.bold());
  EXPECT_EQ(body->Font.Charset, 161);
  EXPECT_EQ(body->Font.Color, QColor(0, 128, 0));
  edit->AddPair("13 ", "x");
  EXPECT_EQ(FindFragment("x")->Font.Charset, 204);
}

// ---- painting ----

TEST_F(BibleRichEdit1Test, MarkedWordIsRedOnlyWithColorMarks) {
  searchWords = {"god"};
  for (const bool colorMarks : {false, true}) {
    edit->Clear(true);
    edit->ColorMarks = colorMarks;
    edit->AddText("In the beginning God created the heaven.");
    ShowAt(500, 100);
    const TTextBox* box = FindBox("God");
    ASSERT_NE(box, nullptr);
    const QImage image = edit->grab().toImage();
    const QRect area(box->Left, box->Top, box->Right - box->Left, box->Bottom - box->Top);
    const int red = CountPixels(image, area, IsReddish);
    if (colorMarks) {
      EXPECT_GT(red, 5);
    } else {
      EXPECT_EQ(red, 0);
    }
    EXPECT_EQ(CountPixels(image, QRect(0, 0, area.left(), 40), IsReddish), 0);
  }
}

TEST_F(BibleRichEdit1Test, BraceNoteIsBlueWithColorMarks) {
  edit->ColorMarks = true;
  edit->AddText("Text {a note here} more.");
  ShowAt(500, 100);
  const TTextBox* box = FindBox("{a note here}");
  ASSERT_NE(box, nullptr);
  const QImage image = edit->grab().toImage();
  EXPECT_GT(CountPixels(image, QRect(box->Left, box->Top, box->Right - box->Left, 20), IsBluish),
            5);
  EXPECT_EQ(CountPixels(image, QRect(0, 0, box->Left, 20), IsBluish), 0);
}

TEST_F(BibleRichEdit1Test, SelectionIsPaintedInTheHighlightColour) {
  UseMono();
  edit->AddText("abcdefghij");
  ShowAt(400, 60);
  edit->SetSelStart(2);
  edit->SetSelLength(3);
  const QImage image = edit->grab().toImage();
  const QColor highlight = edit->palette().color(QPalette::Highlight);
  const auto isHighlight = [&](QColor c) { return c == highlight; };
  const int y = edit->Boxes()[0].Bottom - 1;  // below the letters: no descenders in "cde"
  EXPECT_EQ(CountPixels(image, QRect(MonoWidth(2) + 1, y, MonoWidth(3) - 2, 1), isHighlight),
            MonoWidth(3) - 2);
  EXPECT_EQ(CountPixels(image, QRect(0, 0, MonoWidth(2) - 1, 60), isHighlight), 0);
  EXPECT_EQ(CountPixels(image, QRect(MonoWidth(5) + 1, 0, 300, 60), isHighlight), 0);
}

TEST_F(BibleRichEdit1Test, EmptyControlPaintsOnlyTheBackground) {
  ShowAt(200, 120);
  const QImage image = edit->grab().toImage();
  const QRect textArea(0, 0, edit->ScrollBar()->x(), edit->height());
  EXPECT_EQ(CountPixels(image, textArea, [&](QColor c) { return c == edit->Color(); }),
            textArea.width() * textArea.height());
  EXPECT_FALSE(edit->CopyToClipboard());
  edit->AddText("");
  EXPECT_EQ(edit->grab().toImage(), image);
}

TEST_F(BibleRichEdit1Test, ZeroSizeControlNeverFails) {
  edit->AddText("Some words\r\nand more words {note} \\bold\\");
  edit->resize(0, 0);
  edit->Layout();
  EXPECT_EQ(WithoutLineEnds(edit->Content()).size(), static_cast<std::size_t>(edit->TextLength()));
  QImage image(20, 20, QImage::Format_ARGB32);
  QPainter painter(&image);
  edit->Paint(painter);
  EXPECT_GE(edit->CharIndexAt(0, 0), 0);
  edit->ShowActive();
}

// ---- layout ----

// Every character lands in one box, in order; boxes of a line touch; a box
// runs past the edge only when it holds one unbreakable run.
TEST_F(BibleRichEdit1Test, LayoutInvariantHoldsForManyWidths) {
  const std::vector<std::vector<std::string>> texts = {
      {"In the beginning God created the heaven and the earth."},
      {"\\1 \\", "And the earth was without form,\r\nand void;\r\n\r\nand darkness", " {was} upon"},
      {"Incomprehensibilities antidisestablishmentarianism x", " y  z   ", "\tw\tv"},
      {"  leading spaces and a lone\nline feed\rcarriage", "\r\n"},
      {"\\Bold\\ |italic| \xc2 \xed\xe0\xf7\xe0\xeb\xee \xe1\xe5\xf8\xe5 "
       "\xd1\xeb\xee\xe2\xee\xf2\xee"},
      {"nospacesatallinthiswholefragmentwhichisverylong", "another", " ", "word"},
      {""},
  };
  const int widths[] = {0, 1, 10, 25, 40, 60, 90, 130, 200, 320, 500, 900};
  for (std::size_t t = 0; t < texts.size(); ++t) {
    edit->Clear(true);
    for (const std::string& part : texts[t]) edit->AddText(part);
    for (const int extra : widths) {
      edit->resize(extra + BarWidth(), 200);
      edit->Layout();
      const int edge = edit->ScrollBar()->x();
      const std::vector<TTextBox>& boxes = edit->Boxes();
      std::string all;
      for (const TTextBox& box : boxes) all += box.Text;
      const std::string where = "text " + std::to_string(t) + " width " + std::to_string(extra);
      // The layout turns TABs into spaces; Content() keeps them.
      std::string expected = WithoutLineEnds(edit->Content());
      std::replace(expected.begin(), expected.end(), '\t', ' ');
      ASSERT_EQ(all, expected) << where;
      EXPECT_EQ(edit->TextLength(), edit->VisibleLength()) << where;
      for (std::size_t b = 0; b < boxes.size(); ++b) {
        const TTextBox& box = boxes[b];
        EXPECT_EQ(box.Text.find_first_of("\r\n"), std::string::npos) << where;
        EXPECT_GT(box.Bottom, box.Top) << where;
        EXPECT_LE(box.Left, box.Right) << where;
        if (b == 0) {
          EXPECT_EQ(box.Left, 0);
          EXPECT_EQ(box.Top, 0);
        } else if (box.Top == boxes[b - 1].Top) {
          EXPECT_EQ(box.Left, boxes[b - 1].Right) << where << " box " << b;
        } else {
          EXPECT_EQ(box.Left, 0) << where;
          EXPECT_EQ(box.Top, boxes[b - 1].Bottom) << where;
          EXPECT_EQ(boxes[b - 1].Right, std::max(boxes[b - 1].Left, edge - 1)) << where;
        }
        std::string run = box.Text;
        if (!run.empty() && run.back() == ' ') run.pop_back();
        const TTextFrag& frag = edit->Fragments()[box.Frag];
        const int runWidth = frag.Width(box.Offset, box.Offset + run.size());
        if (box.Left + runWidth > edge) {
          if (!run.empty() && run.front() == ' ') run.erase(0, 1);
          EXPECT_EQ(run.find(' '), std::string::npos)
              << where << ": \"" << box.Text << "\" runs past the edge";
        }
      }
    }
  }
}

TEST_F(BibleRichEdit1Test, BreaksUseLessThanAtSpacesAndLessOrEqualAtTheEnd) {
  UseMono();
  const struct {
    const char* text;
    int columns;
    std::vector<std::string> lines;
  } cases[] = {
      {"aaaa bbbb", 9, {"aaaa bbbb"}},
      {"aaaa bbbb c", 9, {"aaaa ", "bbbb c"}},
      {"aaaa bbbb", 8, {"aaaa", " bbbb"}},
      {"aa bb cc dd", 6, {"aa bb ", "cc dd"}},
      {"aa\r\nbb cc", 20, {"aa", "bb cc"}},
      // The last word before a line end wraps too.
      {"aaaa bbbb\r\ncc", 6, {"aaaa", " bbbb", "cc"}},
      // A run wider than the line keeps its characters together.
      {"a verylongword b", 5, {"a ", "verylongword ", "b"}},
      {"verylongword", 5, {"verylongword"}},
  };
  for (const auto& c : cases) {
    edit->Clear(true);
    edit->AddText(c.text);
    edit->resize(MonoWidth(c.columns) + BarWidth(), 300);
    edit->Layout();
    std::vector<std::string> lines;
    int top = -1;
    for (const TTextBox& box : edit->Boxes()) {
      if (box.Top != top) lines.emplace_back();
      top = box.Top;
      lines.back() += box.Text;
    }
    EXPECT_EQ(lines, c.lines) << c.text;
  }
}

TEST_F(BibleRichEdit1Test, LastBoxOfALineReachesTheEdge) {
  UseMono();
  edit->AddText("aaaa bbbb");
  edit->AddText(" cc");
  edit->resize(MonoWidth(7) + BarWidth(), 300);
  edit->Layout();
  const std::vector<TTextBox>& boxes = edit->Boxes();
  ASSERT_EQ(boxes.size(), 4u);  // "aaaa", " bbbb", "", " cc"
  const int edge = edit->ScrollBar()->x();
  EXPECT_EQ(boxes[0].Right, edge - 1);
  EXPECT_EQ(boxes[1].Left, 0);
  EXPECT_EQ(boxes[1].Right, MonoWidth(5));  // followed by the next fragment's box
  EXPECT_EQ(boxes[2].Right, edge - 1);
  EXPECT_EQ(boxes[3].Right, MonoWidth(3));  // the very last box is not widened
  QFont unkerned = mono;
  unkerned.setKerning(false);
  EXPECT_EQ(boxes[0].Bottom - boxes[0].Top, QFontMetrics(unkerned).height());
}

TEST_F(BibleRichEdit1Test, ResizingNarrowerRewrapsAndSetsTheScrollBar) {
  for (int v = 1; v <= 12; ++v)
    edit->AddPair(std::to_string(v) + " ", "the words of a verse go on. ");
  ShowAt(900, 400);
  const int wideLines = edit->Boxes().back().Top;
  EXPECT_FALSE(edit->ScrollBar()->isEnabled());
  EXPECT_EQ(edit->ScrollBar()->maximum(), 0);

  edit->resize(120, 200);
  QApplication::processEvents();
  EXPECT_GT(edit->Boxes().back().Top, wideLines);
  const int bottom = edit->Boxes().back().Bottom;
  ASSERT_GT(bottom, edit->height());
  EXPECT_TRUE(edit->ScrollBar()->isEnabled());
  EXPECT_EQ(edit->ScrollBar()->maximum(), bottom - edit->ScrollBar()->height());
  EXPECT_EQ(edit->ScrollBar()->singleStep(), 2 * bottom / edit->BoxCount());
  EXPECT_EQ(edit->ScrollBar()->pageStep(),
            edit->ScrollBar()->height() - edit->ScrollBar()->singleStep());
}

TEST_F(BibleRichEdit1Test, TextAppendedAfterLayoutIsLaidOutAtTheNextPaint) {
  edit->AddText("first part ");
  ShowAt(300, 100);
  edit->AddText("second part");
  edit->grab();
  EXPECT_EQ(edit->TextLength(), edit->VisibleLength());
}

// ---- hit testing and the mouse ----

TEST_F(BibleRichEdit1Test, CharIndexAtFindsEachCharacter) {
  UseMono();
  edit->AddText("abcdefghij klmnopqrst");
  edit->resize(MonoWidth(12) + BarWidth(), 200);
  edit->Layout();
  // The break space opens the second line: "abcdefghij" and " klmnopqrst".
  ASSERT_EQ(edit->Boxes().size(), 2u);
  for (int b = 0; b < 2; ++b) {
    const TTextBox& box = edit->Boxes()[static_cast<std::size_t>(b)];
    for (int i = 0; i < static_cast<int>(box.Text.size()); ++i) {
      const QPoint p = CharPoint(box, i);
      EXPECT_EQ(edit->CharIndexAt(p.x(), p.y()), b * 10 + i) << b << " " << i;
    }
  }
  const TTextBox& last = edit->Boxes()[1];
  EXPECT_EQ(edit->CharIndexAt(last.Right + 3, last.Top + 2), edit->TextLength());
  EXPECT_EQ(edit->CharIndexAt(5, last.Bottom + 30), edit->TextLength());
  int before = -1;
  EXPECT_EQ(edit->BoxAt(5, last.Bottom + 30, before), nullptr);
  EXPECT_EQ(before, edit->TextLength());
  EXPECT_EQ(edit->CharInBox(10, nullptr), 0);
}

TEST_F(BibleRichEdit1Test, DragSelectsUpToButNotIncludingTheReleaseCharacter) {
  UseMono();
  edit->AddText("abcdefghij");
  ShowAt(400, 60);
  const TTextBox& box = edit->Boxes()[0];
  QTest::mousePress(edit.get(), Qt::LeftButton, Qt::NoModifier, CharPoint(box, 2));
  QTest::mouseMove(edit.get(), CharPoint(box, 4));
  EXPECT_EQ(edit->SelStart(), 2);
  EXPECT_EQ(edit->SelLength(), 2);
  QTest::mouseRelease(edit.get(), Qt::LeftButton, Qt::NoModifier, CharPoint(box, 6));
  EXPECT_EQ(edit->SelStart(), 2);
  EXPECT_EQ(edit->SelLength(), 4);
  EXPECT_EQ(edit->SelText(), "cdef");

  QTest::mousePress(edit.get(), Qt::LeftButton, Qt::NoModifier, CharPoint(box, 8));
  QTest::mouseRelease(edit.get(), Qt::LeftButton, Qt::NoModifier, CharPoint(box, 3));
  EXPECT_EQ(edit->SelStart(), 3);
  EXPECT_EQ(edit->SelLength(), 5);
}

TEST_F(BibleRichEdit1Test, ShiftClickExtendsFromTheFarEnd) {
  UseMono();
  edit->AddText("abcdefghijklmnopqrst");
  ShowAt(400, 60);
  const TTextBox& box = edit->Boxes()[0];
  QTest::mousePress(edit.get(), Qt::LeftButton, Qt::NoModifier, CharPoint(box, 5));
  QTest::mouseRelease(edit.get(), Qt::LeftButton, Qt::NoModifier, CharPoint(box, 10));
  ASSERT_EQ(edit->SelStart(), 5);
  ASSERT_EQ(edit->SelLength(), 5);
  QTest::mouseClick(edit.get(), Qt::LeftButton, Qt::ShiftModifier, CharPoint(box, 15));
  EXPECT_EQ(edit->SelStart(), 5);
  EXPECT_EQ(edit->SelLength(), 10);
  QTest::mouseClick(edit.get(), Qt::LeftButton, Qt::ShiftModifier, CharPoint(box, 2));
  EXPECT_EQ(edit->SelStart(), 2);
  EXPECT_EQ(edit->SelLength(), 13);
}

TEST_F(BibleRichEdit1Test, AutoMarkClickSelectsTheWordOrNothing) {
  UseMono();
  edit->AutoMark = true;
  edit->AddText("In the beginning was");
  ShowAt(400, 60);
  const TTextBox& box = edit->Boxes()[0];
  QTest::mouseClick(edit.get(), Qt::LeftButton, Qt::NoModifier, CharPoint(box, 10));
  EXPECT_EQ(edit->SelStart(), 7);
  EXPECT_EQ(edit->SelLength(), 9);
  EXPECT_EQ(edit->SelText(), "beginning");
  QTest::mouseClick(edit.get(), Qt::LeftButton, Qt::NoModifier, CharPoint(box, 0));
  EXPECT_EQ(edit->SelText(), "In");
  QTest::mouseClick(edit.get(), Qt::LeftButton, Qt::NoModifier, CharPoint(box, 19));
  EXPECT_EQ(edit->SelText(), "was");
  QTest::mouseClick(edit.get(), Qt::LeftButton, Qt::NoModifier, CharPoint(box, 6));  // space
  EXPECT_EQ(edit->SelStart(), 6);
  EXPECT_EQ(edit->SelLength(), 0);

  edit->AutoMark = false;
  QTest::mouseClick(edit.get(), Qt::LeftButton, Qt::NoModifier, CharPoint(box, 10));
  EXPECT_EQ(edit->SelLength(), 0);
}

TEST_F(BibleRichEdit1Test, MouseDownReadiesThePopupMenuAndSignals) {
  UseMono();
  edit->AddText("abcdef");
  ShowAt(300, 60);
  QMenu menu;
  QAction* items[4];
  for (QAction*& item : items) item = menu.addAction(QStringLiteral("item"));
  items[1]->setEnabled(false);
  edit->SetPopupMenu(&menu);
  std::string seen;
  edit->Enable0 = [&](const std::string& t) {
    seen = t;
    return !t.empty();
  };
  edit->Enable2 = [](const std::string& t) { return t == "cd"; };
  edit->SetSelStart(2);
  edit->SetSelLength(2);
  QSignalSpy downs(edit.get(), &TBibleRichEdit1::OnMouseDown);
  QTest::mousePress(edit.get(), Qt::RightButton, Qt::NoModifier, QPoint(3, 3));
  EXPECT_EQ(seen, "cd");
  EXPECT_TRUE(items[0]->isEnabled());
  EXPECT_FALSE(items[1]->isEnabled());  // no function: left alone
  EXPECT_TRUE(items[2]->isEnabled());
  EXPECT_EQ(downs.count(), 1);
  QTest::mouseRelease(edit.get(), Qt::RightButton, Qt::NoModifier, QPoint(3, 3));
  menu.hide();
  edit->SetSelLength(0);
  QTest::mousePress(edit.get(), Qt::RightButton, Qt::NoModifier, QPoint(3, 3));
  EXPECT_FALSE(items[0]->isEnabled());
  EXPECT_FALSE(items[2]->isEnabled());
  QTest::mouseRelease(edit.get(), Qt::RightButton, Qt::NoModifier, QPoint(3, 3));
  menu.hide();
}

// ---- selection, copy button and clipboard ----

TEST_F(BibleRichEdit1Test, SelTextTable) {
  edit->AddText("ab\r\ncd");
  const struct {
    int start;
    int length;
    std::string text;
  } cases[] = {
      {0, 0, ""},  {0, 1, "a"},        {1, 2, "b\r\nc"}, {1, 1, "b\r\n"}, {2, 2, "cd"},
      {3, 1, "d"}, {0, 4, "ab\r\ncd"}, {3, 9, "d"},      {4, 2, ""},
  };
  for (const auto& c : cases) {
    edit->SetSelStart(c.start);
    edit->SetSelLength(c.length);
    EXPECT_EQ(edit->SelText(), c.text) << c.start << "+" << c.length;
  }
}

TEST_F(BibleRichEdit1Test, CopyButtonFollowsTheSelectionAndItsOwner) {
  QAction first;
  QAction second;
  edit->SetCopyBtn(&first);
  TBibleRichEdit1 other(context);
  other.SetCopyBtn(&second);
  edit->SetSelLength(3);
  EXPECT_TRUE(first.isEnabled());
  EXPECT_EQ(context.SelectionOwner, edit.get());
  other.SetSelLength(2);
  EXPECT_EQ(context.SelectionOwner, &other);
  other.SetSelLength(0);
  EXPECT_FALSE(second.isEnabled());
  EXPECT_EQ(context.SelectionOwner, nullptr);
  edit->Clear(true);
  EXPECT_FALSE(first.isEnabled());
}

TEST_F(BibleRichEdit1Test, CtrlAAndCtrlCPutThreeFormats) {
  edit->Font().Charset = 204;
  edit->Font().Font = QFont(QStringLiteral("Verdana"));
  edit->AddPair("1 ", "\xc2 \xed\xe0\xf7\xe0\xeb\xee {\\note\\}");
  ShowAt(400, 80);
  std::vector<bool> watchWhileWriting;
  QObject guard;
  QObject::connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, &guard,
                   [&] { watchWhileWriting.push_back(context.ClipboardWatch); });
  QTest::keyClick(edit.get(), Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(edit->SelStart(), 0);
  EXPECT_EQ(edit->SelLength(), edit->TextLength());
  QTest::keyClick(edit.get(), Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(edit->CopyText(), "1 \xc2 \xed\xe0\xf7\xe0\xeb\xee {note}");
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  ASSERT_NE(data, nullptr);
  EXPECT_EQ(data->text(), QString::fromUtf8("1 В начало {note}"));
  const std::string rtf = edit->CopyRtf().substr(0, edit->CopyRtf().size() - 1);
  EXPECT_EQ(edit->CopyRtf().back(), '\0');
  EXPECT_EQ(rtf.rfind("{\\rtf1\\ansi\\deff0\\deftab720", 0), 0u);
  EXPECT_NE(rtf.find("\\{\\b note\\b0 \\}"), std::string::npos) << rtf;
  for (const char* format : {"text/rtf", "text/richtext", "application/rtf"}) {
    EXPECT_EQ(data->data(QString::fromLatin1(format)).toStdString(), rtf) << format;
  }
  EXPECT_EQ(watchWhileWriting, std::vector<bool>{false});
  EXPECT_TRUE(context.ClipboardWatch);
}

TEST_F(BibleRichEdit1Test, ScrollBarCarriesCtrlKeysToo) {
  for (int v = 1; v <= 30; ++v) edit->AddPair(std::to_string(v) + " ", "a verse of text. ");
  ShowAt(200, 80);
  ASSERT_TRUE(edit->ScrollBar()->isEnabled());
  QTest::keyClick(edit->ScrollBar(), Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(edit->SelLength(), edit->TextLength());
}

// English text in charset 0 with ¶ … ’ (bytes from 128 up) copies as the
// characters shown; so does a charset no table names (drawn as Western).
TEST_F(BibleRichEdit1Test, WesternTextCopiesWithItsPunctuation) {
  std::vector<std::string> errors;
  context.ShowError = [&](const std::string& message) { errors.push_back(message); };
  for (const int charset : {0, 1, 186}) {
    edit->Clear(true);
    edit->Font().Charset = charset;
    edit->AddPair("1 ", "\xb6In the Lord\x92s house\x85 caf\xe9");
    edit->SelectAll();
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    EXPECT_TRUE(edit->CopyToClipboard());
    EXPECT_EQ(QGuiApplication::clipboard()->text(),
              QString::fromUtf8("1 ¶In the Lord’s house… café"))
        << charset;
    EXPECT_EQ(
        QGuiApplication::clipboard()->mimeData()->data(TBibleRichEdit1::EightBitMimeType(1252)),
        QByteArray("1 \xb6In the Lord\x92s house\x85 caf\xe9"));
  }
  EXPECT_TRUE(errors.empty());
  EXPECT_TRUE(context.ClipboardWatch);
}

// ---- scrolling ----

TEST_F(BibleRichEdit1Test, WheelAndKeysScrollBySteps) {
  for (int v = 1; v <= 40; ++v) edit->AddPair(std::to_string(v) + " ", "a verse of text. ");
  ShowAt(200, 100);
  QScrollBar* bar = edit->ScrollBar();
  ASSERT_TRUE(bar->isEnabled());
  const QPointF at(20, 20);
  QWheelEvent back(at, edit->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                   Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(edit.get(), &back);
  EXPECT_EQ(bar->value(), bar->singleStep());
  QWheelEvent forward(at, edit->mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(edit.get(), &forward);
  EXPECT_EQ(bar->value(), 0);
  QTest::keyClick(edit.get(), Qt::Key_PageDown);
  EXPECT_EQ(bar->value(), bar->pageStep());
  QTest::keyClick(edit.get(), Qt::Key_Up);
  EXPECT_EQ(bar->value(), bar->pageStep() - bar->singleStep());
  QTest::keyClick(edit.get(), Qt::Key_PageUp);
  EXPECT_EQ(bar->value(), 0);
}

// After a click the keys go wherever the application sends them (the
// focus widget); each key must act exactly once there.
TEST_F(BibleRichEdit1Test, KeysAfterAClickActOnce) {
  for (int v = 1; v <= 80; ++v) edit->AddPair(std::to_string(v) + " ", "a verse of text. ");
  ShowAt(200, 100);
  edit->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(edit.get()));
  QScrollBar* bar = edit->ScrollBar();
  ASSERT_TRUE(bar->isEnabled());
  ASSERT_GT(bar->maximum(), 4 * bar->pageStep());
  QTest::mouseClick(edit.get(), Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
  QWidget* focus = QApplication::focusWidget();
  ASSERT_NE(focus, nullptr);
  QSignalSpy keyUps(edit.get(), &TBibleRichEdit1::OnKeyUp);

  bar->setValue(bar->maximum() / 2);
  const struct {
    Qt::Key key;
    int step;
  } moves[] = {
      {Qt::Key_Down, bar->singleStep()},
      {Qt::Key_Up, -bar->singleStep()},
      {Qt::Key_PageDown, bar->pageStep()},
      {Qt::Key_PageUp, -bar->pageStep()},
  };
  for (const auto& move : moves) {
    const int before = bar->value();
    QTest::keyClick(QApplication::focusWidget(), move.key);
    EXPECT_EQ(bar->value() - before, move.step) << QKeySequence(move.key).toString().toStdString();
  }
  EXPECT_EQ(keyUps.count(), 4);

  int writes = 0;
  QObject guard;
  QObject::connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, &guard,
                   [&] { ++writes; });
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(edit->SelLength(), edit->TextLength());
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(writes, 1);
}

// Keys sent to the scroll bar itself (it may be given the focus by code)
// reach the control once and do not move the bar on their own.
TEST_F(BibleRichEdit1Test, KeysSentToTheScrollBarActOnce) {
  for (int v = 1; v <= 80; ++v) edit->AddPair(std::to_string(v) + " ", "a verse of text. ");
  ShowAt(200, 100);
  QScrollBar* bar = edit->ScrollBar();
  bar->setValue(bar->maximum() / 2);
  const int before = bar->value();
  QTest::keyClick(bar, Qt::Key_PageDown);
  EXPECT_EQ(bar->value() - before, bar->pageStep());
  int writes = 0;
  QObject guard;
  QObject::connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, &guard,
                   [&] { ++writes; });
  edit->SelectAll();
  QTest::keyClick(bar, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(writes, 1);
}

TEST_F(BibleRichEdit1Test, ShowActiveBringsTheVerseIntoView) {
  std::vector<std::pair<int, int>> spans;
  for (int v = 1; v <= 60; ++v) {
    const int start = static_cast<int>(edit->Content().size());
    // As the Bible window appends: a line end opens each verse.
    edit->AddPair("\r\n" + std::to_string(v) + " ",
                  "the words of verse " + std::to_string(v) + ".");
    spans.emplace_back(start, static_cast<int>(edit->Content().size()));
  }
  ShowAt(250, 150);
  QScrollBar* bar = edit->ScrollBar();
  ASSERT_TRUE(bar->isEnabled());

  // The boxes of a verse, found by its visible characters.
  const auto verseBoxes = [&](int verse) {
    const auto [start, end] = spans[static_cast<std::size_t>(verse - 1)];
    const auto visible = [&](int pos) {
      return static_cast<int>(WithoutLineEnds(edit->Content().substr(0, pos)).size());
    };
    const int first = visible(start);
    const int last = visible(end);
    std::pair<int, int> range{-1, -1};
    int before = 0;
    for (const TTextBox& box : edit->Boxes()) {
      const int after = before + static_cast<int>(box.Text.size());
      if (after > first && before < last) {
        if (range.first < 0) range.first = box.Top;
        range.second = box.Bottom;
      }
      before = after;
    }
    return range;
  };

  edit->ActiveVerse = 45;
  edit->ActiveStart = spans[44].first;
  edit->ActiveEnd = spans[44].second;
  edit->ShowActive();
  const auto [top45, bottom45] = verseBoxes(45);
  EXPECT_EQ(bar->value(), bottom45 - edit->height());
  EXPECT_GE(top45, bar->value());

  edit->ActiveVerse = 3;
  edit->ActiveStart = spans[2].first;
  edit->ActiveEnd = spans[2].second;
  edit->ShowActive();
  const auto [top3, bottom3] = verseBoxes(3);
  EXPECT_LE(bar->value(), top3);
  EXPECT_GE(bar->value() + edit->height(), bottom3);

  bar->setValue(bar->maximum());
  edit->ActiveVerse = 1;
  edit->ShowActive();
  EXPECT_EQ(bar->value(), 0);
}

TEST_F(BibleRichEdit1Test, ClearEmptiesAndResetsTheScroll) {
  for (int v = 1; v <= 40; ++v) edit->AddPair(std::to_string(v) + " ", "a verse of text. ");
  ShowAt(200, 100);
  edit->ScrollBar()->setValue(40);
  edit->SetSelStart(3);
  edit->SetSelLength(5);
  edit->ActiveVerse = 7;
  edit->Clear(false);
  EXPECT_EQ(edit->ScrollBar()->value(), 40);
  edit->Clear(true);
  EXPECT_TRUE(edit->Content().empty());
  EXPECT_TRUE(edit->Fragments().empty());
  EXPECT_EQ(edit->BoxCount(), 0);
  EXPECT_EQ(edit->SelStart(), 0);
  EXPECT_EQ(edit->SelLength(), 0);
  EXPECT_EQ(edit->VisibleLength(), 0);
  EXPECT_EQ(edit->ScrollBar()->value(), 0);
  EXPECT_EQ(edit->ActiveVerse, 7);
}

}  // namespace
}  // namespace lectora
