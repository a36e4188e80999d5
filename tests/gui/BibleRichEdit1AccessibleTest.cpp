// The verse text control as Qt's accessibility layer (and through it a
// screen reader) sees it.
#include <gtest/gtest.h>
#include <QAccessible>
#include <QApplication>
#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include "display/BibleRichEdit1.h"
#include "store/CodePage.h"

namespace lectora {
namespace {

// The events Qt's accessibility layer was given, while a test listens.
std::vector<QAccessible::Event>* gEvents = nullptr;

void RecordEvent(QAccessibleEvent* event) {
  if (gEvents) gEvents->push_back(event->type());
}

std::string Cp1251(const std::string& utf8) {
  std::string out;
  EXPECT_TRUE(Utf8ToCodePage(utf8, 1251, out)) << utf8;
  return out;
}

class BibleRichEdit1AccessibleTest : public testing::Test {
 protected:
  void SetUp() override {
    edit = std::make_unique<TBibleRichEdit1>(context);
    edit->Font().Font = QFont(QStringLiteral("DejaVu Sans"));
    edit->Font().Charset = 204;
    // As the Bible window fills it: a title line, then one verse a line.
    edit->AddPairCharset(Cp1251("Глава 1\r\n"), {}, 204, 204);
    verseStarts.push_back(static_cast<int>(edit->Content().size()));
    edit->AddPair(Cp1251("1 "), Cp1251("В начале сотворил Бог небо и землю."));
    verseStarts.push_back(static_cast<int>(edit->Content().size()));
    edit->AddPair(Cp1251("\r\n2 "), Cp1251("Земля же была безвидна и пуста, и тьма над бездною, и "
                                           "Дух Божий носился над водою; ёлка, «Ёж» и Ђ."));
    verseStarts.push_back(static_cast<int>(edit->Content().size()));
    edit->resize(260, 200);
    edit->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(edit.get()));
    edit->Layout();
    iface = QAccessible::queryAccessibleInterface(edit.get());
    ASSERT_NE(iface, nullptr);
    text = iface->textInterface();
    ASSERT_NE(text, nullptr);
  }

  const QString kVisible = QString::fromUtf8(
      "Глава 11 В начале сотворил Бог небо и землю.2 Земля же была безвидна и пуста, и тьма над "
      "бездною, и Дух Божий носился над водою; ёлка, «Ёж» и Ђ.");

  std::vector<std::string> searchWords;
  TDisplayContext context{searchWords};
  std::unique_ptr<TBibleRichEdit1> edit;
  std::vector<int> verseStarts;
  QAccessibleInterface* iface = nullptr;
  QAccessibleTextInterface* text = nullptr;
};

TEST_F(BibleRichEdit1AccessibleTest, ExposesTheVisibleTextReadOnly) {
  EXPECT_EQ(iface->role(), QAccessible::EditableText);
  EXPECT_TRUE(iface->state().readOnly);
  EXPECT_FALSE(iface->state().editable);
  EXPECT_TRUE(iface->state().selectableText);
  EXPECT_EQ(text->characterCount(), edit->VisibleLength());
  EXPECT_EQ(text->text(0, text->characterCount()), kVisible);
  EXPECT_EQ(text->text(6, 8), QStringLiteral("11"));
  EXPECT_EQ(text->text(-1, 0), QString());
}

TEST_F(BibleRichEdit1AccessibleTest, LineEndsSeparateWordsAndLinesFollowTheLayout) {
  int start = -1;
  int end = -1;
  // The chapter number and the first verse number are separate words,
  // though no visible character lies between them.
  EXPECT_EQ(text->textAtOffset(6, QAccessible::WordBoundary, &start, &end), QStringLiteral("1"));
  EXPECT_EQ(start, 6);
  EXPECT_EQ(end, 7);
  EXPECT_EQ(text->textAtOffset(7, QAccessible::WordBoundary, &start, &end), QStringLiteral("1"));
  EXPECT_EQ(start, 7);
  EXPECT_EQ(text->textAtOffset(1, QAccessible::CharBoundary, &start, &end), QString::fromUtf8("л"));

  // Lines are the control's own: every laid-out line, in order, with no gap.
  const QString first = text->textAtOffset(0, QAccessible::LineBoundary, &start, &end);
  EXPECT_EQ(first, QString::fromUtf8("Глава 1"));
  QString joined;
  int offset = 0;
  int lines = 0;
  while (offset < text->characterCount()) {
    joined += text->textAtOffset(offset, QAccessible::LineBoundary, &start, &end);
    ASSERT_EQ(start, offset);
    ASSERT_GT(end, start);
    offset = end;
    ++lines;
  }
  EXPECT_EQ(joined, kVisible);
  EXPECT_GE(lines, 4);  // the title, two verses and a wrapped line at least
  EXPECT_EQ(text->textAfterOffset(0, QAccessible::LineBoundary, &start, &end).left(2),
            QStringLiteral("1 "));
  EXPECT_EQ(start, 7);
}

TEST_F(BibleRichEdit1AccessibleTest, SelectionAndCaretFollowTheMouseAndCanBeSet) {
  EXPECT_EQ(text->selectionCount(), 0);
  // Drag across the first verse's text with the mouse.
  const QRect from = text->characterRect(11);
  const QRect to = text->characterRect(17);
  ASSERT_FALSE(from.isEmpty());
  QTest::mousePress(edit.get(), Qt::LeftButton, Qt::NoModifier, edit->mapFromGlobal(from.center()));
  QTest::mouseMove(edit.get(), edit->mapFromGlobal(to.center()));
  QTest::mouseRelease(edit.get(), Qt::LeftButton, Qt::NoModifier, edit->mapFromGlobal(to.center()));
  ASSERT_EQ(text->selectionCount(), 1);
  int start = -1;
  int end = -1;
  text->selection(0, &start, &end);
  EXPECT_EQ(start, 11);
  EXPECT_EQ(end, 17);
  EXPECT_EQ(text->cursorPosition(), 17);
  EXPECT_EQ(text->text(start, end), QString::fromUtf8("начале"));

  // A screen reader selects backwards.
  text->setSelection(0, 30, 20);
  EXPECT_EQ(edit->SelStart(), 20);
  EXPECT_EQ(edit->SelLength(), 10);
  text->setCursorPosition(5);
  EXPECT_EQ(text->selectionCount(), 0);
  EXPECT_EQ(text->cursorPosition(), 5);
  EXPECT_EQ(edit->SelStart(), 5);
}

TEST_F(BibleRichEdit1AccessibleTest, CharacterExtentsComeFromTheLayout) {
  int start = -1;
  int end = -1;
  text->textAtOffset(8, QAccessible::LineBoundary, &start, &end);
  ASSERT_GT(end - start, 5);
  QRect previous;
  for (int i = start; i < end; ++i) {
    const QRect r = text->characterRect(i);
    ASSERT_FALSE(r.isEmpty()) << i;
    EXPECT_TRUE(edit->rect().intersects(QRect(edit->mapFromGlobal(r.topLeft()), r.size()))) << i;
    if (i > start) {
      EXPECT_GT(r.left(), previous.left()) << i;
      EXPECT_EQ(r.top(), previous.top()) << i;
    }
    EXPECT_EQ(text->offsetAtPoint(r.center()), i);
    previous = r;
  }
  // The next line lies below.
  EXPECT_GT(text->characterRect(end).top(), previous.top());
  EXPECT_TRUE(text->characterRect(text->characterCount()).isEmpty());
  EXPECT_EQ(text->offsetAtPoint(edit->mapToGlobal(QPoint(5, edit->height() - 2))), -1);
}

TEST_F(BibleRichEdit1AccessibleTest, DescriptionNamesTheActiveVerse) {
  EXPECT_EQ(iface->text(QAccessible::Description), QString());
  edit->ActiveVerse = 2;
  edit->ActiveStart = verseStarts[1];
  edit->ActiveEnd = verseStarts[2];
  edit->SetActiveVerseDescription(QStringLiteral("Genesis 1:2"));
  const QString description = iface->text(QAccessible::Description);
  EXPECT_TRUE(description.startsWith(QStringLiteral("Genesis 1:2: 2 Земля же была")))
      << description.toStdString();
  EXPECT_TRUE(description.endsWith(QString::fromUtf8("ёлка, «Ёж» и Ђ.")))
      << description.toStdString();
}

// Qt hands events on only while a screen-reader bridge is active, which the
// offscreen platform never has: run under X with an accessibility bus, e.g.
//   xvfb-run dbus-run-session env QT_QPA_PLATFORM=xcb
//   QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 gui_tests --gtest_filter='*Accessible*'
TEST_F(BibleRichEdit1AccessibleTest, ChangesAreAnnounced) {
  if (!QAccessible::isActive()) GTEST_SKIP() << "no active accessibility bridge on this platform";
  std::vector<QAccessible::Event> events;
  gEvents = &events;
  const QAccessible::UpdateHandler previous = QAccessible::installUpdateHandler(RecordEvent);
  const auto saw = [&](QAccessible::Event type) {
    return std::find(events.begin(), events.end(), type) != events.end();
  };

  text->setSelection(0, 2, 6);
  EXPECT_TRUE(saw(QAccessible::TextSelectionChanged));
  EXPECT_TRUE(saw(QAccessible::TextCaretMoved));
  events.clear();
  edit->Clear(true);
  edit->AddPair(Cp1251("1 "), Cp1251("Другая глава."));
  edit->Layout();
  EXPECT_TRUE(saw(QAccessible::TextUpdated));
  EXPECT_EQ(text->text(0, -1), QString::fromUtf8("1 Другая глава."));
  events.clear();
  edit->SetActiveVerseDescription(QStringLiteral("John 3:16"));
  EXPECT_TRUE(saw(QAccessible::DescriptionChanged));
  events.clear();
  edit->SetActiveVerseDescription(QStringLiteral("John 3:16"));
  EXPECT_FALSE(saw(QAccessible::DescriptionChanged));

  QAccessible::installUpdateHandler(previous);
  gEvents = nullptr;
}

}  // namespace
}  // namespace lectora
