// The picture window of the real program, driven through its controls: the
// list read from the setup folder or the remembered root, a word's pictures
// stepped through from the dictionary's illustration button and from the
// Bible window's Picture item, the buttons and the arrow keys at the ends
// of the list, a click on the picture looking the word up, a faulty list,
// missing, damaged and oversized picture files, and the window coming back
// at start with the picture it showed.
#include <gtest/gtest.h>

#include <QAction>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QScreen>
#include <QTest>
#include <QToolButton>
#include <algorithm>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "MainWindowDriver.h"
#include "app/ActionRegistry.h"
#include "app/Program.h"
#include "display/BibleForm1.h"
#include "display/BibleRichEdit1.h"
#include "display/LargeListBox.h"
#include "mainwindow/MsgForm1.h"
#include "modules/DictionaryCompiler.h"
#include "store/IniFile.h"
#include "store/UserRegistry.h"
#include "support/SampleModules.h"
#include "support/TestSupport.h"
#include "tools/dictionary/Dic_Form1.h"
#include "tools/picture/PictureForm1.h"
#include "tools/picture/PictureLoader.h"

namespace lectora {
namespace {

namespace fs = std::filesystem;

constexpr int kKingJames = 8;

// The colour each test picture is filled with tells which one is shown;
// each channel is rounded to 0 or 255, since JPEG shifts them a little.
QRgb ColourOf(const QImage& image) {
  if (image.isNull()) return 0;
  const QRgb pixel = image.pixel(10, 10);
  const auto full = [](int channel) { return channel >= 128 ? 255 : 0; };
  return qRgb(full(qRed(pixel)), full(qGreen(pixel)), full(qBlue(pixel)));
}

class PictureForm1Test : public ::testing::Test {
 protected:
  void SetUp() override { test::CopySharedData(setup_.Path()); }

  // A picture of `size` in one colour, in the format its name ends with.
  static void WritePicture(const std::string& fileName, QRgb colour, QSize size = {80, 60}) {
    fs::create_directories(fs::path(fileName).parent_path());
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    ASSERT_TRUE(image.save(QString::fromStdString(fileName)));
  }
  void WriteList(const std::string& folder, const std::string& lines) {
    test::WriteFile(folder + "Pictures/DicPictures.txt", lines);
  }
  // ark twice, dove and lamb once: lamb is the list's last word.
  void InstallPictures() {
    WritePicture(setup_.File("Pictures/ark1.jpg"), kRed);
    WritePicture(setup_.File("Pictures/ark2.png"), kGreen);
    WritePicture(setup_.File("Pictures/dove.jpg"), kBlue);
    WritePicture(setup_.File("Pictures/lamb.png"), kWhite);
    WriteList(setup_.Path(), "LAMB=lamb.png\r\nARK=ark1.jpg\r\nDOVE=dove.jpg\r\nArk=ark2.png\r\n");
  }

  std::unique_ptr<test::MainWindowDriver> Start() {
    auto driver = test::MainWindowDriver::Start(setup_.Path(), config_.Path());
    driver->Program().MessageDialog().ClearShown();
    return driver;
  }
  static TPictureForm1& Pictures(test::MainWindowDriver& driver) {
    return driver.Program().PictureWindow();
  }
  static QToolButton& Button(QWidget& window, const char* name) {
    auto* button = window.findChild<QToolButton*>(QString::fromLatin1(name));
    if (button == nullptr) throw std::runtime_error(name);
    return *button;
  }
  static QString Word(TPictureForm1& pictures) {
    return pictures.findChild<QLabel*>(QStringLiteral("Label1"))->text();
  }
  static QStringList Notices(test::MainWindowDriver& driver) {
    QStringList texts;
    for (const auto& shown : driver.Program().MessageDialog().Shown()) texts << shown.Text;
    driver.Program().MessageDialog().ClearShown();
    return texts;
  }

  static constexpr QRgb kRed = 0xFFFF0000;
  static constexpr QRgb kGreen = 0xFF00FF00;
  static constexpr QRgb kBlue = 0xFF0000FF;
  static constexpr QRgb kWhite = 0xFFFFFFFF;

  test::TempDir setup_;
  test::TempDir root_;
  test::TempDir config_;
};

TEST_F(PictureForm1Test, TheListIsSortedWithoutRegardToCase) {
  InstallPictures();
  auto driver = Start();
  const TPictureList& list = Pictures(*driver).List();
  ASSERT_EQ(list.Count(), 4);
  std::vector<std::string> words(static_cast<std::size_t>(list.Count()));
  for (int i = 0; i < list.Count(); ++i) words[static_cast<std::size_t>(i)] = list.Entry(i).Word;
  EXPECT_EQ(words, (std::vector<std::string>{"ARK", "Ark", "DOVE", "LAMB"}));
  EXPECT_EQ(list.Folder(), setup_.File("Pictures/"));
  EXPECT_EQ(list.First("dove"), 2);
  EXPECT_EQ(list.First("camel"), -1);
}

TEST_F(PictureForm1Test, AWordWithTwoPicturesStepsFirstSecondFirst) {
  InstallPictures();
  auto driver = Start();
  TPictureForm1& pictures = Pictures(*driver);
  // Standing on another word's picture, as after showing the dove.
  pictures.SetCurrentIndex(2);
  const QRgb expected[] = {kRed, kGreen, kRed, kGreen};
  for (const QRgb colour : expected) {
    pictures.ShowWordPicture("ark");
    EXPECT_TRUE(pictures.isVisible());
    EXPECT_EQ(ColourOf(pictures.Picture()), colour);
    EXPECT_EQ(Word(pictures).toLower(), QStringLiteral("ark"));
  }
  EXPECT_TRUE(Notices(*driver).isEmpty());
  // The list's last word begins again at its first picture too.
  pictures.ShowWordPicture("lamb");
  pictures.ShowWordPicture("lamb");
  EXPECT_EQ(pictures.CurrentIndex(), 3);
  EXPECT_EQ(ColourOf(pictures.Picture()), kWhite);
}

TEST_F(PictureForm1Test, AWordWithoutPicturesShowsPictureNotFound) {
  InstallPictures();
  auto driver = Start();
  TPictureForm1& pictures = Pictures(*driver);
  pictures.ShowWordPicture("camel");
  EXPECT_EQ(Notices(*driver), QStringList{QStringLiteral("PictureNotFound")});
  EXPECT_FALSE(pictures.isVisible());
  // The main menu's Picture item then has nothing to show either.
  driver->Program().Actions().Get(QStringLiteral("Picture1")).trigger();
  EXPECT_EQ(Notices(*driver), QStringList{QStringLiteral("PictureNotFound")});
}

TEST_F(PictureForm1Test, NoListMeansNoPicture) {
  auto driver = Start();
  TPictureForm1& pictures = Pictures(*driver);
  EXPECT_EQ(pictures.List().Count(), 0);
  EXPECT_FALSE(pictures.HasPicture("ark"));
  pictures.ShowWordPicture("ark");
  driver->Program().Actions().Get(QStringLiteral("Picture1")).trigger();
  EXPECT_EQ(Notices(*driver),
            (QStringList{QStringLiteral("PictureNotFound"), QStringLiteral("PictureNotFound")}));
}

TEST_F(PictureForm1Test, TheButtonsAndArrowKeysStopAtTheEndsOfTheList) {
  InstallPictures();
  auto driver = Start();
  TPictureForm1& pictures = Pictures(*driver);
  QToolButton& previous = Button(pictures, "ToolButton1");
  QToolButton& next = Button(pictures, "ToolButton2");
  pictures.SetCurrentIndex(0);
  pictures.ShowPicture();
  EXPECT_FALSE(previous.isEnabled());
  EXPECT_TRUE(next.isEnabled());
  QTest::keyClick(&pictures, Qt::Key_Left);
  EXPECT_EQ(pictures.CurrentIndex(), 0);
  QTest::mouseClick(&next, Qt::LeftButton);
  EXPECT_EQ(pictures.CurrentIndex(), 1);
  EXPECT_EQ(ColourOf(pictures.Picture()), kGreen);
  QTest::keyClick(&pictures, Qt::Key_Right);
  QTest::keyClick(&pictures, Qt::Key_Right);
  // The last picture: the next button is off and Right does nothing.
  EXPECT_EQ(pictures.CurrentIndex(), 3);
  EXPECT_EQ(ColourOf(pictures.Picture()), kWhite);
  EXPECT_FALSE(next.isEnabled());
  EXPECT_TRUE(previous.isEnabled());
  QTest::keyClick(&pictures, Qt::Key_Right);
  EXPECT_EQ(pictures.CurrentIndex(), 3);
  EXPECT_EQ(Word(pictures), QStringLiteral("LAMB"));
  QTest::keyClick(&pictures, Qt::Key_Left);
  EXPECT_EQ(pictures.CurrentIndex(), 2);
  EXPECT_EQ(ColourOf(pictures.Picture()), kBlue);
  QTest::mouseClick(&previous, Qt::LeftButton);
  EXPECT_EQ(pictures.CurrentIndex(), 1);
  EXPECT_TRUE(Notices(*driver).isEmpty());
}

TEST_F(PictureForm1Test, TheWindowSizesItselfToThePictureAndTheScreen) {
  const QSize screen = QGuiApplication::primaryScreen()->availableGeometry().size();
  WritePicture(setup_.File("Pictures/big.jpg"), kRed, {400, 300});
  WritePicture(setup_.File("Pictures/small.jpg"), kBlue, {120, 90});
  WritePicture(setup_.File("Pictures/huge.png"), kGreen, screen * 2);
  WriteList(setup_.Path(), "big=big.jpg\nhuge=huge.png\nsmall=small.jpg\n");
  auto driver = Start();
  TPictureForm1& pictures = Pictures(*driver);
  auto* image = pictures.findChild<QLabel*>(QStringLiteral("Image1"));
  pictures.ShowWordPicture("big");
  EXPECT_EQ(image->size(), QSize(400, 300));
  EXPECT_GE(pictures.width(), 400);
  pictures.ShowWordPicture("small");
  EXPECT_EQ(image->size(), QSize(120, 90));
  EXPECT_LT(pictures.width(), 400);
  // Larger than the screen: as large as the screen allows, its shape kept.
  pictures.ShowWordPicture("huge");
  EXPECT_LE(pictures.height(), screen.height());
  EXPECT_LE(pictures.width(), screen.width());
  const QSize shown = image->pixmap().size();
  EXPECT_NEAR(double(shown.width()) / shown.height(), double(screen.width()) / screen.height(),
              0.01);
  EXPECT_EQ(pictures.Picture().size(), screen * 2);
}

TEST_F(PictureForm1Test, AClickOnThePictureLooksTheWordUp) {
  fs::create_directories(setup_.File("Dictionaries"));
  const std::string source = setup_.File("source.tsv");
  test::WriteFile(source, "Ark\tThe ark of Noah.\nDove\tA bird.\n");
  TDictionaryCompiler::Compile(source, setup_.File("Dictionaries/Animals"), "animals");
  InstallPictures();
  auto driver = Start();
  TPictureForm1& pictures = Pictures(*driver);
  pictures.ShowWordPicture("dove");
  TDic_Form1& dic = driver->Program().DictionaryWindow();
  EXPECT_FALSE(dic.isVisible());
  QTest::mouseClick(pictures.findChild<QLabel*>(QStringLiteral("Image1")), Qt::LeftButton);
  EXPECT_TRUE(dic.isVisible());
  // The list stands on the headword as the dictionary spells it.
  EXPECT_EQ(dic.findChild<TLargeListBox*>(QStringLiteral("LargeListBox1"))->Text(), "Dove");
}

TEST_F(PictureForm1Test, TheDictionarysIllustrationButtonShowsTheListTextsPictures) {
  fs::create_directories(setup_.File("Dictionaries"));
  const std::string source = setup_.File("source.tsv");
  test::WriteFile(source, "Ark\tThe ark of Noah.\nCamel\tAn animal.\n");
  TDictionaryCompiler::Compile(source, setup_.File("Dictionaries/Animals"), "animals");
  InstallPictures();
  auto driver = Start();
  TDic_Form1& dic = driver->Program().DictionaryWindow();
  QToolButton& illustration = Button(dic, "ToolButton5");
  dic.LookUpWord("Camel");
  EXPECT_FALSE(illustration.isEnabled());
  dic.LookUpWord("Ark");
  ASSERT_TRUE(illustration.isEnabled());
  TPictureForm1& pictures = Pictures(*driver);
  pictures.SetCurrentIndex(3);  // the lamb, as the last run left it
  QTest::mouseClick(&illustration, Qt::LeftButton);
  EXPECT_EQ(ColourOf(pictures.Picture()), kRed);
  QTest::mouseClick(&illustration, Qt::LeftButton);
  EXPECT_EQ(ColourOf(pictures.Picture()), kGreen);
  QTest::mouseClick(&illustration, Qt::LeftButton);
  EXPECT_EQ(ColourOf(pictures.Picture()), kRed);
}

TEST_F(PictureForm1Test, TheBibleWindowsPictureItemFollowsTheSelectedWord) {
  WritePicture(setup_.File("Pictures/light.jpg"), kWhite);
  WriteList(setup_.Path(), "LIGHT=light.jpg\n");
  test::InstallSampleModule(test::kKingJamesSample, setup_.File("KJVSN"));
  auto driver = Start();
  driver->OpenTranslation(kKingJames);
  TBibleForm1* window = driver->ActiveBibleWindow();
  ASSERT_NE(window, nullptr);
  TBibleRichEdit1& edit = *window->BRichEdit1;
  const std::string& text = edit.Content();
  const auto select = [&](const std::string& word) {
    const auto at = text.find(word);
    ASSERT_NE(at, std::string::npos) << word;
    const auto lineEnds = std::count_if(text.begin(), text.begin() + static_cast<long>(at),
                                        [](char c) { return c == '\r' || c == '\n'; });
    edit.SetSelStart(static_cast<int>(at - static_cast<std::size_t>(lineEnds)));
    edit.SetSelLength(static_cast<int>(word.size()));
    window->PopupMenu1Popup();
  };
  const std::pair<const char*, bool> cases[] = {{"light", true}, {"waters", false}};
  for (const auto& [word, visible] : cases) {
    SCOPED_TRACE(word);
    select(word);
    EXPECT_EQ(window->Picture1->isVisible(), visible);
  }
  select("light");
  window->Picture1->trigger();
  TPictureForm1& pictures = Pictures(*driver);
  EXPECT_TRUE(pictures.isVisible());
  EXPECT_EQ(Word(pictures), QStringLiteral("LIGHT"));
  EXPECT_EQ(ColourOf(pictures.Picture()), kWhite);
}

TEST_F(PictureForm1Test, TheRememberedRootHoldsTheListWhenTheSetupFolderHasNone) {
  WritePicture(root_.File("Pictures/ark.png"), kGreen);
  WriteList(root_.Path(), "ark=ark.png\n");
  TUserRegistry(config_.Path(), "lectora").WriteRegValue("SetupPath", root_.Path());
  auto driver = Start();
  TPictureForm1& pictures = Pictures(*driver);
  EXPECT_EQ(pictures.List().Folder(), root_.File("Pictures/"));
  pictures.ShowWordPicture("ark");
  EXPECT_EQ(ColourOf(pictures.Picture()), kGreen);
  // The setup folder's list wins once there is one.
  WritePicture(setup_.File("Pictures/ark.png"), kRed);
  WriteList(setup_.Path(), "ark=ark.png\n");
  pictures.LoadPictureList();
  pictures.ShowWordPicture("ark");
  EXPECT_EQ(ColourOf(pictures.Picture()), kRed);
}

TEST_F(PictureForm1Test, FaultyListLinesAreReportedOnceAndLeftOut) {
  WritePicture(setup_.File("Pictures/ark.jpg"), kRed);
  WriteList(setup_.Path(), "ark=ark.jpg\r\nno equals sign\r\n\r\n=nameless.jpg\r\nlamb=\r\n");
  auto driver = Start();
  TPictureForm1& pictures = Pictures(*driver);
  EXPECT_EQ(pictures.List().Count(), 1);
  pictures.ShowWordPicture("ark");
  const QStringList notices = Notices(*driver);
  ASSERT_EQ(notices.size(), 1);
  for (const char* line : {"line 2: no \"=\"", "line 4: the word", "line 5: the word"}) {
    EXPECT_TRUE(notices[0].contains(QString::fromUtf8(line))) << line;
  }
  EXPECT_TRUE(notices[0].contains(QStringLiteral("DicPictures.txt")));
  EXPECT_TRUE(pictures.isVisible());
  EXPECT_EQ(ColourOf(pictures.Picture()), kRed);
  pictures.ShowWordPicture("ark");
  EXPECT_TRUE(Notices(*driver).isEmpty());
}

TEST_F(PictureForm1Test, TheStoredPlaceIsTakenWhenAScreenShowsIt) {
  InstallPictures();
  const std::pair<QPoint, bool> cases[] = {{QPoint(30, 40), true}, {QPoint(-20000, -20000), false}};
  for (const auto& [place, taken] : cases) {
    SCOPED_TRACE(place.x());
    test::WriteFile(setup_.File("lectora.ini"),
                    "[PictureForm]\r\nLeft=" + std::to_string(place.x()) +
                        "\r\nTop=" + std::to_string(place.y()) + "\r\n");
    auto driver = Start();
    TPictureForm1& pictures = Pictures(*driver);
    pictures.ShowWordPicture("ark");
    EXPECT_EQ(pictures.pos() == place, taken);
  }
}

// A picture file that cannot be shown and the text its notice must hold.
struct BadPicture {
  const char* name;
  std::function<void(const std::string& file)> make;
  const char* notice;
};

TEST_F(PictureForm1Test, APictureThatCannotBeShownIsReportedAndTheWindowKeepsWorking) {
  const BadPicture cases[] = {
      {"missing", [](const std::string&) {}, "does not exist"},
      {"not a picture", [](const std::string& f) { test::WriteFile(f, "plain text, no JPEG"); },
       "cannot be shown"},
      {"a damaged JPEG",
       [](const std::string& f) {
         WritePicture(f, kBlue, {200, 150});
         fs::resize_file(f, fs::file_size(f) / 3);
       },
       "cannot be shown"},
      {"over the size bound",
       [](const std::string& f) {
         test::WriteFile(f, "\xFF\xD8\xFF");
         fs::resize_file(f, static_cast<std::uintmax_t>(TPictureLoader::kMaxFileBytes) + 1);
       },
       "MB"},
  };
  for (const BadPicture& bad : cases) {
    SCOPED_TRACE(bad.name);
    test::TempDir setup;
    test::CopySharedData(setup.Path());
    WritePicture(setup.File("Pictures/a.jpg"), kRed);
    bad.make(setup.File("Pictures/b.jpg"));
    WritePicture(setup.File("Pictures/c.jpg"), kGreen);
    test::WriteFile(setup.File("Pictures/DicPictures.txt"), "a=a.jpg\nb=b.jpg\nc=c.jpg\n");
    auto driver = test::MainWindowDriver::Start(setup.Path(), config_.Path());
    driver->Program().MessageDialog().ClearShown();
    TPictureForm1& pictures = Pictures(*driver);
    pictures.ShowWordPicture("b");
    const QStringList notices = Notices(*driver);
    ASSERT_EQ(notices.size(), 1);
    EXPECT_TRUE(notices[0].contains(QStringLiteral("b.jpg"))) << notices[0].toStdString();
    EXPECT_TRUE(notices[0].contains(QString::fromUtf8(bad.notice))) << notices[0].toStdString();
    EXPECT_TRUE(pictures.isVisible());
    EXPECT_TRUE(pictures.Picture().isNull());
    EXPECT_EQ(Word(pictures), QStringLiteral("b"));
    QTest::keyClick(&pictures, Qt::Key_Right);
    EXPECT_EQ(ColourOf(pictures.Picture()), kGreen);
    QTest::keyClick(&pictures, Qt::Key_Left);
    QTest::keyClick(&pictures, Qt::Key_Left);
    EXPECT_EQ(ColourOf(pictures.Picture()), kRed);
  }
}

TEST_F(PictureForm1Test, TheWindowComesBackAtStartWithThePictureItShowed) {
  InstallPictures();
  {
    auto driver = Start();
    Pictures(*driver).ShowWordPicture("dove");
    driver->close();
  }
  {
    const TMyIniFile ini(setup_.File("lectora.ini"), true);
    EXPECT_TRUE(ini.ReadBool("MainWindow", "IsPictureShown", false));
    EXPECT_EQ(ini.ReadInteger("DicForm", "PicFile", -1), 2);
  }
  auto driver = Start();
  TPictureForm1& pictures = Pictures(*driver);
  EXPECT_TRUE(pictures.isVisible());
  EXPECT_EQ(ColourOf(pictures.Picture()), kBlue);
  pictures.close();
  driver->close();
  const TMyIniFile ini(setup_.File("lectora.ini"), true);
  EXPECT_FALSE(ini.ReadBool("MainWindow", "IsPictureShown", true));
}

}  // namespace
}  // namespace lectora
