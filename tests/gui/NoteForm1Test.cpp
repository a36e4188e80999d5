// The notes window of the real program, driven through its controls: a
// note written at John 3:16 with a bold word and a Cyrillic line is found
// again after a move and after a restart; erasing a note deletes its
// record; a long note goes to its own file; a plain-text record; one note
// for two translations numbered differently; the previous and next note
// buttons with KeepOpen and auto-minimise; the popup menu; the copy with
// the clipboard watcher cleared; a read-only setup; a note that cannot be
// saved staying in the window.
#include "tools/notes/NoteForm1.h"

#include <gtest/gtest.h>

#include <functional>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMdiArea>
#include <QMenu>
#include <QMimeData>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QToolButton>
#include <filesystem>
#include <memory>

#include "MainWindowDriver.h"
#include "app/ActionRegistry.h"
#include "app/InterfaceTexts.h"
#include "display/BibleForm1.h"
#include "display/CDEdit.h"
#include "display/DisplayContext.h"
#include "display/ODComboBox.h"
#include "mainwindow/Lectora2Form1.h"
#include "mainwindow/MsgForm1.h"
#include "navigation/Navigator.h"
#include "settings/OptionValues.h"
#include "store/rtf/RtfWriter.h"
#include "support/SampleModules.h"
#include "support/TestSupport.h"
#include "tools/notes/NoteEdit.h"
#include "tools/notes/NotesStore.h"

namespace lectora {
namespace {

namespace fs = std::filesystem;

constexpr int kKingJames = 8;  // "KJVSN": Genesis 1, Psalms 1-23, John 1-3
constexpr int kShifted = 9;    // "ASV": its Psalm 3:1 is the standard Psalm 3:2

class NoteForm1Test : public ::testing::Test {
 protected:
  void SetUp() override {
    test::CopySharedData(setup_.Path());
    test::InstallSampleModule(test::kKingJamesSample, setup_.File("KJVSN"));
    test::InstallSampleModule(test::kShiftedSample, setup_.File("ASV"));
  }

  std::unique_ptr<test::MainWindowDriver> Start(bool readOnly = false) {
    auto window = test::MainWindowDriver::Start(setup_.Path(), config_.Path(), readOnly);
    window->Program().Options().SetOption(TOptionValues::kAutoMin, false);
    return window;
  }

  static void Go(test::MainWindowDriver& window, const char* reference) {
    TODComboBox& box = window.BookBox();
    box.SetTextQuiet("");
    QTest::keyClicks(box.Edit(), reference);
    QTest::keyClick(box.Edit(), Qt::Key_Return);
    ASSERT_EQ(window.CurrentReference(), reference);
  }
  static TNoteForm1& Notes(test::MainWindowDriver& window) {
    return window.Program().NotesWindow();
  }
  static void OpenNotes(test::MainWindowDriver& window) {
    window.Program().Actions().Get(QStringLiteral("NoteBook1")).trigger();
    ASSERT_TRUE(Notes(window).isVisible());
  }
  // Types at the end of the note; `bold` types in bold.
  static void Type(test::MainWindowDriver& window, const QString& text, bool bold = false) {
    TNoteEdit& editor = Notes(window).Editor();
    editor.moveCursor(QTextCursor::End);
    QTextCharFormat format = editor.currentCharFormat();
    format.setFontWeight(bold ? QFont::Bold : QFont::Normal);
    editor.setCurrentCharFormat(format);
    bool ascii = true;
    for (const QChar c : text) ascii = ascii && c.unicode() < 0x80;
    // QTest types ASCII keys only; other letters arrive as an input method's text.
    if (ascii) {
      QTest::keyClicks(&editor, text);
    } else {
      editor.insertPlainText(text);
    }
  }
  static std::int32_t Standard(test::MainWindowDriver& window) {
    return window.Program().Navigator().Place().StandardNumber;
  }

  test::TempDir setup_;
  test::TempDir config_;
};

TEST_F(NoteForm1Test, NoteIsFoundAfterAMoveAndAfterARestart) {
  std::int32_t john = 0;
  {
    auto window = Start();
    window->OpenTranslation(kKingJames);
    Go(*window, "John 3:16");
    john = Standard(*window);
    OpenNotes(*window);
    EXPECT_EQ(Notes(*window).windowTitle().toStdString(),
              window->Program().Texts().Translate("NoteForm1"));
    Type(*window, QStringLiteral("Love "));
    Type(*window, QStringLiteral("world"), true);
    QTest::keyClick(&Notes(*window).Editor(), Qt::Key_Return);
    Type(*window, QStringLiteral("Бог е любов"));
    Go(*window, "Genesis 1:1");
    EXPECT_TRUE(Notes(*window).Store().HasNote(john));
    EXPECT_EQ(Notes(*window).Editor().toPlainText(), QString());
    Go(*window, "John 3:16");
    EXPECT_EQ(Notes(*window).Editor().toPlainText(), QStringLiteral("Love world\nБог е любов"));
    window->close();
  }
  auto window = Start();  // "IsNoteBookOpened" opens the window again
  ASSERT_TRUE(Notes(*window).isVisible());
  EXPECT_EQ(Standard(*window), john);
  const QTextDocument& document = *Notes(*window).Editor().document();
  EXPECT_EQ(document.toPlainText(), QStringLiteral("Love world\nБог е любов"));
  const QTextBlock first = document.begin();
  bool boldWorld = false;
  for (auto it = first.begin(); !it.atEnd(); ++it) {
    if (it.fragment().text() == QStringLiteral("world")) {
      boldWorld = it.fragment().charFormat().fontWeight() == QFont::Bold;
    }
  }
  EXPECT_TRUE(boldWorld);
}

TEST_F(NoteForm1Test, CtrlBIAndUFormatTheSelectionAndWhatIsTypedNext) {
  auto window = Start();
  window->OpenTranslation(kKingJames);
  Go(*window, "John 3:16");
  OpenNotes(*window);
  TNoteEdit& editor = Notes(*window).Editor();
  QTest::keyClicks(&editor, QStringLiteral("faith "));
  struct Case {
    Qt::Key key;
    std::function<bool(const QTextCharFormat&)> on;
  };
  const Case cases[] = {
      {Qt::Key_B, [](const QTextCharFormat& f) { return f.fontWeight() == QFont::Bold; }},
      {Qt::Key_I, [](const QTextCharFormat& f) { return f.fontItalic(); }},
      {Qt::Key_U, [](const QTextCharFormat& f) { return f.fontUnderline(); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.key);
    // What is typed next, switched on and off again.
    QTest::keyClick(&editor, c.key, Qt::ControlModifier);
    EXPECT_TRUE(c.on(editor.currentCharFormat()));
    QTest::keyClick(&editor, c.key, Qt::ControlModifier);
    EXPECT_FALSE(c.on(editor.currentCharFormat()));
  }
  // The selection: "faith" in bold, the rest of the note unchanged.
  QTextCursor cursor(editor.document());
  cursor.movePosition(QTextCursor::NextWord, QTextCursor::KeepAnchor);
  cursor.movePosition(QTextCursor::PreviousCharacter, QTextCursor::KeepAnchor);
  editor.setTextCursor(cursor);
  QTest::keyClick(&editor, Qt::Key_B, Qt::ControlModifier);
  EXPECT_EQ(editor.toPlainText(), QStringLiteral("faith "));
  EXPECT_EQ(editor.textCursor().charFormat().fontWeight(), QFont::Bold);
  editor.moveCursor(QTextCursor::End);
  EXPECT_NE(editor.textCursor().charFormat().fontWeight(), QFont::Bold);
}

TEST_F(NoteForm1Test, ErasingTheTextAndMovingOnDeletesTheRecord) {
  auto window = Start();
  window->OpenTranslation(kKingJames);
  Go(*window, "Psalms 23:1");
  const std::int32_t psalm = Standard(*window);
  OpenNotes(*window);
  Type(*window, QStringLiteral("The Lord is my shepherd"));
  Go(*window, "Psalms 23:2");
  ASSERT_TRUE(Notes(*window).Store().HasNote(psalm));
  Go(*window, "Psalms 23:1");
  Notes(*window).Editor().selectAll();
  QTest::keyClick(&Notes(*window).Editor(), Qt::Key_Delete);
  Go(*window, "Psalms 23:2");
  EXPECT_FALSE(Notes(*window).Store().HasNote(psalm));
}

TEST_F(NoteForm1Test, LongNoteIsStoredInItsOwnFileAndReadBack) {
  auto window = Start();
  window->OpenTranslation(kKingJames);
  Go(*window, "John 1:1");
  const std::int32_t verse = Standard(*window);
  OpenNotes(*window);
  const QString text = QString(70000, QLatin1Char('w'));
  Notes(*window).Editor().insertPlainText(text);
  Go(*window, "John 1:2");
  const std::string external = setup_.File("Notes/") + std::to_string(verse) + ".rtf";
  ASSERT_TRUE(fs::exists(external));
  EXPECT_GE(fs::file_size(external), 65536u);
  Go(*window, "John 1:1");
  EXPECT_EQ(Notes(*window).Editor().toPlainText(), text);
}

TEST_F(NoteForm1Test, PlainTextRecordShowsInVerdanaTenPointsWithParagraphs) {
  auto window = Start();
  window->OpenTranslation(kKingJames);
  Go(*window, "Genesis 1:2");
  Notes(*window).Store().Save(Standard(*window), "old note\r\nsecond line");
  OpenNotes(*window);
  const QTextDocument& document = *Notes(*window).Editor().document();
  ASSERT_EQ(document.blockCount(), 2);
  EXPECT_EQ(document.begin().next().text(), QStringLiteral("second line"));
  const QTextCharFormat format = document.begin().begin().fragment().charFormat();
  EXPECT_EQ(format.font().families().value(0), QStringLiteral("Verdana"));
  EXPECT_EQ(format.fontPointSize(), 10.0);
  EXPECT_FALSE(document.isModified());
}

TEST_F(NoteForm1Test, OneNoteForTwoTranslationsNumberedDifferently) {
  auto window = Start();
  window->OpenTranslation(kShifted);
  window->OpenTranslation(kKingJames);  // the active one
  Go(*window, "Psalms 3:2");
  OpenNotes(*window);
  Type(*window, QStringLiteral("A psalm of David"));
  Go(*window, "Psalms 3:3");
  // The shifted translation calls the same verse Psalm 3:1.
  window->WindowArea().setActiveSubWindow(window->WindowArea().subWindowList().first());
  ASSERT_EQ(window->ActiveBibleWindow()->TranslationNumber(), kShifted);
  Go(*window, "Psalms 3:1");
  EXPECT_EQ(Notes(*window).Editor().toPlainText(), QStringLiteral("A psalm of David"));
  Go(*window, "Psalms 3:2");
  EXPECT_EQ(Notes(*window).Editor().toPlainText(), QString());
}

TEST_F(NoteForm1Test, PreviousAndNextNoteWithKeepOpenAndAutoMinimise) {
  auto window = Start();
  window->OpenTranslation(kKingJames);
  TNoteForm1& notes = Notes(*window);
  Go(*window, "Genesis 1:3");
  const std::int32_t first = Standard(*window);
  notes.Store().Save(first, EnsureRtf("first"));
  Go(*window, "Genesis 1:5");
  const std::int32_t last = Standard(*window);
  notes.Store().Save(last, EnsureRtf("last"));
  window->Program().Options().SetOption(TOptionValues::kAutoMin, true);
  OpenNotes(*window);
  QToolButton& next = *notes.findChild<QToolButton*>(QStringLiteral("ToolButton2"));
  QToolButton& previous = *notes.findChild<QToolButton*>(QStringLiteral("ToolButton1"));
  EXPECT_EQ(next.toolTip(), QStringLiteral("Next note"));

  QTest::mouseClick(&next, Qt::LeftButton);  // from the last note
  EXPECT_EQ(Standard(*window), last);
  EXPECT_TRUE(notes.KeepOpen());
  EXPECT_EQ(notes.Editor().toPlainText(), QStringLiteral("last"));

  QTest::mouseClick(&previous, Qt::LeftButton);
  EXPECT_EQ(Standard(*window), first);
  EXPECT_EQ(notes.Editor().toPlainText(), QStringLiteral("first"));
  EXPECT_TRUE(notes.isVisible());  // the step kept it open...
  EXPECT_FALSE(notes.KeepOpen());  // ...once

  // An ordinary move puts it out of sight (hidden: minimising a tool window
  // would take the main window along), and the command brings it back.
  Go(*window, "Genesis 1:4");
  EXPECT_FALSE(notes.isVisible());
  EXPECT_TRUE(window->Window().isVisible());
  notes.ShowNotes(true);
  EXPECT_TRUE(notes.isVisible());
}

TEST_F(NoteForm1Test, PopupMenuEnablingAndTheCopy) {
  auto window = Start();
  window->OpenTranslation(kKingJames);
  Go(*window, "John 3:17");
  OpenNotes(*window);
  TNoteForm1& notes = Notes(*window);
  auto* popup = notes.findChild<QMenu*>(QStringLiteral("PopupMenu1"));
  ASSERT_NE(popup, nullptr);
  const auto action = [&](const char* name) {
    return notes.findChild<QAction*>(QString::fromLatin1(name));
  };
  notes.PopupMenu1Popup();
  EXPECT_FALSE(action("Undu1")->isEnabled());
  EXPECT_FALSE(action("Copy1")->isEnabled());
  Type(*window, QStringLiteral("copied Слово"));
  notes.Editor().selectAll();
  notes.PopupMenu1Popup();
  EXPECT_TRUE(action("Undu1")->isEnabled());
  EXPECT_TRUE(action("Copy1")->isEnabled());

  TDisplayContext& display = window->Program().Display();
  QClipboard& clipboard = *QGuiApplication::clipboard();
  bool watchedDuringCopy = true;
  const auto connection = QObject::connect(&clipboard, &QClipboard::dataChanged,
                                           [&] { watchedDuringCopy = display.ClipboardWatch; });
  QTest::keyClick(&notes.Editor(), Qt::Key_C, Qt::ControlModifier);
  QObject::disconnect(connection);
  EXPECT_FALSE(watchedDuringCopy);
  EXPECT_TRUE(display.ClipboardWatch);
  EXPECT_EQ(clipboard.text(), QStringLiteral("copied Слово"));
  const QByteArray rtf = clipboard.mimeData()->data(QStringLiteral("text/rtf"));
  EXPECT_TRUE(rtf.startsWith("{\\rtf1")) << rtf.toStdString();
  EXPECT_NE(rtf.indexOf("\\'d1\\'eb\\'ee\\'e2\\'ee"), -1) << rtf.toStdString();
}

TEST_F(NoteForm1Test, ReadOnlySetupShowsNotesAndSaysSoOnce) {
  {
    auto window = Start();
    window->OpenTranslation(kKingJames);
    Go(*window, "Genesis 1:1");
    Notes(*window).Store().Save(Standard(*window), EnsureRtf("kept"));
    window->close();
  }
  auto window = Start(true);
  window->OpenTranslation(kKingJames);
  Go(*window, "Genesis 1:1");
  TMsgForm1& messages = window->Program().MessageDialog();
  messages.ClearShown();
  OpenNotes(*window);
  EXPECT_TRUE(Notes(*window).Editor().isReadOnly());
  EXPECT_EQ(Notes(*window).Editor().toPlainText(), QStringLiteral("kept"));
  Notes(*window).close();
  OpenNotes(*window);
  ASSERT_EQ(messages.Shown().size(), 1);
  EXPECT_TRUE(messages.Shown().front().Text.contains(QStringLiteral("cannot be changed")));
}

TEST_F(NoteForm1Test, NoteThatCannotBeSavedStaysInTheWindow) {
  auto window = Start();
  window->OpenTranslation(kKingJames);
  Go(*window, "Genesis 1:6");
  const std::int32_t verse = Standard(*window);
  OpenNotes(*window);
  // A folder where the journal must go: every change fails before it starts.
  fs::create_directories(setup_.File("Notes/N.ibj"));
  TMsgForm1& messages = window->Program().MessageDialog();
  messages.ClearShown();
  Type(*window, QStringLiteral("precious"));
  Go(*window, "Genesis 1:7");
  ASSERT_EQ(messages.Shown().size(), 1);
  EXPECT_TRUE(messages.Shown().front().Text.contains(QStringLiteral("could not be saved")));
  EXPECT_EQ(Notes(*window).Editor().toPlainText(), QStringLiteral("precious"));
  EXPECT_EQ(Notes(*window).CurrentNote(), verse);
  fs::remove_all(setup_.File("Notes/N.ibj"));
  Go(*window, "Genesis 1:8");  // saved now, under its own verse
  EXPECT_TRUE(Notes(*window).Store().HasNote(verse));
}

}  // namespace
}  // namespace lectora
