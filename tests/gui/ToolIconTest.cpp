// Every tool button shows a real image: the theme's where one fits, else our
// own SVG, which must exist and draw something; and every button of the main
// tool bar is named for screen readers.
#include "tools/icons/ToolIcon.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QImage>
#include <QPixmap>
#include <QToolBar>
#include <QToolButton>
#include <memory>

#include "MainWindowDriver.h"
#include "mainwindow/Lectora2Form1.h"
#include "support/TestSupport.h"

namespace lectora {
namespace {

// Counts the pixels of `icon` at 24 × 24 that are not fully transparent.
int DrawnPixels(const QIcon& icon) {
  const QImage image = icon.pixmap(24, 24).toImage();
  int drawn = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) drawn += qAlpha(image.pixel(x, y)) != 0 ? 1 : 0;
  }
  return drawn;
}

TEST(ToolIconTest, EveryNamedIconHasItsOwnImageThatDraws) {
  for (const char* name : {"open",           "copy",        "speak",
                           "search-panel",   "links-panel", "footnotes",
                           "strong-numbers", "links-view",  "clipboard-watch",
                           "auto-minimize",  "back",        "forward",
                           "help",           "new-link",    "edit-link",
                           "delete-link",    "open-link",   "close-panel",
                           "previous-word",  "next-word",   "another-explanation",
                           "picture",        "dictionary"}) {
    SCOPED_TRACE(name);
    const QString file = QStringLiteral(":/icons/%1.svg").arg(QString::fromLatin1(name));
    ASSERT_TRUE(QFile::exists(file));
    // A glyph of a few strokes covers far more than a stray pixel and far
    // less than the whole square.
    const int drawn = DrawnPixels(QIcon(file));
    EXPECT_GT(drawn, 20);
    EXPECT_LT(drawn, 24 * 24 * 3 / 4);
    EXPECT_GT(DrawnPixels(ToolIcon(QString::fromLatin1(name))), 20);
  }
}

TEST(ToolIconTest, AnUnknownNameGivesNoIcon) {
  EXPECT_TRUE(ToolIcon(QStringLiteral("no-such-icon")).isNull());
  EXPECT_TRUE(ToolIcon(QString()).isNull());
}

TEST(ToolIconTest, EveryToolButtonOfTheMainWindowHasAnImageAndAName) {
  test::TempDir setup;
  test::TempDir config;
  test::CopySharedData(setup.Path());
  auto window = test::MainWindowDriver::Start(setup.Path(), config.Path());
  auto* toolBar = window->Window().findChild<QToolBar*>(QStringLiteral("ToolBar1"));
  ASSERT_NE(toolBar, nullptr);
  int buttons = 0;
  for (QToolButton* button : toolBar->findChildren<QToolButton*>()) {
    if (button->objectName().isEmpty() || !button->objectName().startsWith("ToolButton")) continue;
    SCOPED_TRACE(button->objectName().toStdString());
    ++buttons;
    EXPECT_GT(DrawnPixels(button->icon()), 20);
    EXPECT_FALSE(button->accessibleName().isEmpty());
  }
  // Open, Back, Next, copy, speak, panel, footnotes, Strong's, links view,
  // clipboard watching, auto-minimise.
  EXPECT_EQ(buttons, 11);
}

}  // namespace
}  // namespace lectora
