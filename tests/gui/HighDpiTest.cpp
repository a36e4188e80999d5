// The verse text control at fractional and double device pixel ratios: the
// words it paints lie where its layout measured them, and a click on a
// painted word selects that word. The same cases run at the screen's own
// ratio (1 in the plain run; 1.5 and 2 in the gui_tests_scale_* runs under
// QT_SCALE_FACTOR) and into a pixmap of ratio 2; the tool icons are SVG and
// come out at the ratio's pixel size.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QScrollBar>
#include <QTest>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "FakeBibleWindowHost.h"
#include "display/BibleForm1.h"
#include "display/BibleRichEdit1.h"
#include "modules/ModuleCompiler.h"
#include "store/Bible.h"
#include "support/TestSupport.h"
#include "tools/icons/ToolIcon.h"

namespace lectora {
namespace {

constexpr int kAsv = 9;

// A word of one laid-out line and where the layout put it (logical pixels).
struct TMeasuredWord {
  std::string Text;
  double Left = 0;
  double Right = 0;
};

// The blank-separated words of the line whose boxes start at `top`.
std::vector<TMeasuredWord> LineWords(const TBibleRichEdit1& edit, int top) {
  std::vector<TMeasuredWord> words;
  bool open = false;
  for (const TTextBox& box : edit.Boxes()) {
    if (box.Top != top) continue;
    const TTextFrag& frag = edit.Fragments()[box.Frag];
    for (std::size_t j = 0; j < box.Text.size(); ++j) {
      if (box.Text[j] == ' ') {
        open = false;
        continue;
      }
      const double left = box.Left + frag.Width(box.Offset, box.Offset + j);
      const double right = box.Left + frag.Width(box.Offset, box.Offset + j + 1);
      if (!open) words.push_back({std::string(), left, right});
      open = true;
      words.back().Text += box.Text[j];
      words.back().Right = right;
    }
  }
  return words;
}

// True when any pixel of columns x0..x1-1, rows y0..y1-1 of `image` is
// clearly not `background` (anti-aliased fringes do not count).
bool InkIn(const QImage& image, int x0, int x1, int y0, int y1, const QColor& background) {
  for (int x = std::max(0, x0); x < std::min(x1, image.width()); ++x) {
    for (int y = std::max(0, y0); y < std::min(y1, image.height()); ++y) {
      const QColor c = image.pixelColor(x, y);
      if (std::abs(c.red() - background.red()) + std::abs(c.green() - background.green()) +
              std::abs(c.blue() - background.blue()) >
          120) {
        return true;
      }
    }
  }
  return false;
}

class HighDpiTest : public testing::Test {
 protected:
  HighDpiTest() {
    test::CopySharedData(dir_.Path());
    TModuleCompiler::Compile(test::TestDataDir() + "module-shifted", dir_.File("ASV"), 5, false);
    host_ = std::make_unique<test::FakeBibleWindowHost>(dir_.Path());
    host_->SetStandardNumber(host_->Standard().StandardNumber(1, 1, 1));
    window_ =
        std::make_unique<TBibleForm1>(*host_, host_->Navigator().Place().StandardNumber, kAsv);
    // Large enough that a blank is several pixels wide at ratio 1.
    window_->Bible()->Font.Size = 16;
    window_->resize(420, 320);
    window_->show();
    window_->ShowPlace(window_->Book, window_->Chapter, window_->Verse, false);
    QTest::qWait(1);
  }

  // The first line of verse text with at least `count` words: its top.
  int VerseLine(std::size_t count) const {
    const TBibleRichEdit1& edit = *window_->BRichEdit1;
    for (const TTextBox& box : edit.Boxes()) {
      if (LineWords(edit, box.Top).size() >= count && box.Top > 0) return box.Top;
    }
    return -1;
  }

  // With `image` the control painted at ratio `dpr`: each word of a line
  // has ink inside the span the layout measured for it and none inside
  // the blanks between (text drawn wider or narrower than measured drifts
  // into them along the line), and a click on the word selects its
  // letters.
  void CheckPaintedWords(const QImage& image, double dpr) {
    TBibleRichEdit1& edit = *window_->BRichEdit1;
    ASSERT_EQ(edit.ScrollBar()->value(), 0);
    const int top = VerseLine(6);
    ASSERT_GE(top, 0) << "no line of six words";
    const std::vector<TMeasuredWord> words = LineWords(edit, top);
    int bottom = top;
    for (const TTextBox& box : edit.Boxes()) {
      if (box.Top == top) bottom = std::max(bottom, box.Bottom);
    }
    const int y0 = static_cast<int>(std::floor(top * dpr));
    const int y1 = static_cast<int>(std::ceil(bottom * dpr));
    const auto device = [dpr](double x) { return static_cast<int>(std::lround(x * dpr)); };
    const QColor background = edit.Color();
    for (std::size_t i = 0; i < words.size(); ++i) {
      const TMeasuredWord& word = words[i];
      EXPECT_TRUE(InkIn(image, device(word.Left), device(word.Right), y0, y1, background))
          << word.Text << " at ratio " << dpr;
      if (i + 1 < words.size()) {
        // Half a logical pixel of each blank's edges is left to side
        // bearings and rounding.
        EXPECT_FALSE(InkIn(image, device(word.Right + 0.5), device(words[i + 1].Left - 0.5), y0, y1,
                           background))
            << "between " << word.Text << " and " << words[i + 1].Text << " at ratio " << dpr;
      }
      std::string letters;
      for (const char c : word.Text) {
        if (edit.Letters[static_cast<unsigned char>(c)]) letters += c;
      }
      if (letters.empty() || letters.size() != word.Text.size()) continue;
      const QPoint centre(static_cast<int>((word.Left + word.Right) / 2), (top + bottom) / 2);
      QTest::mouseClick(&edit, Qt::LeftButton, Qt::NoModifier, centre);
      EXPECT_EQ(edit.SelText(), letters) << "click at " << centre.x() << " ratio " << dpr;
    }
  }

  test::TempDir dir_;
  std::unique_ptr<test::FakeBibleWindowHost> host_;
  std::unique_ptr<TBibleForm1> window_;
};

TEST_F(HighDpiTest, PaintedWordsMatchTheLayoutAtTheScreensRatio) {
  TBibleRichEdit1& edit = *window_->BRichEdit1;
  const QPixmap pixmap = edit.grab();
  const double dpr = pixmap.devicePixelRatio();
  EXPECT_DOUBLE_EQ(dpr, edit.devicePixelRatioF());
  if (const char* scale = std::getenv("QT_SCALE_FACTOR")) {
    EXPECT_DOUBLE_EQ(dpr, std::atof(scale)) << "the scale factor reaches the control";
  }
  CheckPaintedWords(pixmap.toImage(), dpr);
}

TEST_F(HighDpiTest, PaintedWordsMatchTheLayoutInAPixmapOfRatioTwo) {
  TBibleRichEdit1& edit = *window_->BRichEdit1;
  QPixmap pixmap(edit.size() * 2);
  pixmap.setDevicePixelRatio(2);
  pixmap.fill(Qt::magenta);
  {
    QPainter painter(&pixmap);
    edit.render(&painter);
  }
  CheckPaintedWords(pixmap.toImage(), 2);
}

TEST(HighDpiIcons, ToolIconsComeOutAtThePixelSizeOfTheRatio) {
  for (const char* name : {"copy", "footnotes", "strong-numbers", "back"}) {
    const QIcon icon = ToolIcon(QString::fromLatin1(name));
    ASSERT_FALSE(icon.isNull()) << name;
    for (const double dpr : {1.0, 1.5, 2.0}) {
      const QPixmap pixmap = icon.pixmap(QSize(16, 16), dpr);
      EXPECT_EQ(pixmap.width(), static_cast<int>(std::lround(16 * dpr))) << name << " " << dpr;
    }
  }
}

}  // namespace
}  // namespace lectora
