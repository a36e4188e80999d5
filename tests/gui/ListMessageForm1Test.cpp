#include "display/ListMessageForm1.h"

#include <gtest/gtest.h>
#include <QTest>

#include "display/BibleComboBox.h"
#include "display/HistoryContext.h"

namespace lectora {
namespace {

// Answers the modal showing with a scripted action instead of blocking.
class TScriptedListMessage : public TListMessageForm1 {
 public:
  using TListMessageForm1::TListMessageForm1;
  std::function<void(TScriptedListMessage&)> Answer;
  int Shown = 0;
  QString ShownCaption;
  QString ShownFamily;

 protected:
  int Exec() override {
    ++Shown;
    show();
    ShownCaption = windowTitle();
    ShownFamily = MessageLabel()->font().family();
    if (Answer) Answer(*this);
    if (isVisible()) reject();
    return result();
  }
};

class ListMessageForm1Test : public testing::Test {
 protected:
  ListMessageForm1Test() : list_(context_), dialog_(context_, &owner_) {
    owner_.setWindowTitle("Main caption");
  }
  void Fill(int count) {
    list_.Clear();
    for (int i = 0; i < count; ++i) list_.Add(0, "entry " + std::to_string(i), i + 1.0);
  }

  THistoryContext context_;
  TBibleComboBox list_;
  QWidget owner_;
  TScriptedListMessage dialog_;
};

TEST_F(ListMessageForm1Test, WarnsOnlyAboveTheLimit) {
  context_.MaxListCount = 5;
  Fill(5);
  EXPECT_FALSE(dialog_.CheckList(list_, "OpenedVerses"));
  EXPECT_EQ(dialog_.Shown, 0);
  EXPECT_EQ(dialog_.Edit1()->text(), QString("5"));
  Fill(6);
  EXPECT_TRUE(dialog_.CheckList(list_, "OpenedVerses"));
  EXPECT_EQ(dialog_.Shown, 1);
  EXPECT_EQ(dialog_.MessageLabel()->text(),
            QString("there_are 6 elements_in OpenedVerses.\r\nmust_delete"));
  EXPECT_EQ(dialog_.ShownCaption, QString("Main caption"));
  EXPECT_EQ(list_.Count(), 6);  // closing without "Clear now" keeps the list
}

TEST_F(ListMessageForm1Test, MessageUsesTheInterfaceTexts) {
  context_.MaxListCount = 0;
  context_.Translator = [](const std::string& key) { return "<" + key + ">"; };
  Fill(1);
  // The display name arrives in Windows-1251.
  ASSERT_TRUE(dialog_.CheckList(list_, "\xD2\xFA\xF0\xF1\xE5\xED\xE8"));
  EXPECT_EQ(dialog_.MessageLabel()->text(),
            QString::fromUtf8("<there_are> 1 <elements_in> Търсени.\r\n<must_delete>"));
}

TEST_F(ListMessageForm1Test, ClearNowEmptiesTheList) {
  context_.MaxListCount = 2;
  Fill(3);
  dialog_.Answer = [](TScriptedListMessage& d) {
    QTest::mouseClick(d.ClearButton(), Qt::LeftButton);
  };
  dialog_.CheckList(list_, "SearchedWords");
  EXPECT_EQ(list_.Count(), 0);
  EXPECT_FALSE(dialog_.isVisible());
}

TEST_F(ListMessageForm1Test, ClosingTakesAValidNumberAsTheNewLimit) {
  struct {
    const char* typed;
    int limit;
  } const cases[] = {{"150", 150}, {" 7 ", 7}, {"abc", 2}, {"", 2}, {"0", 0}};
  for (const auto& c : cases) {
    context_.MaxListCount = 2;
    Fill(3);
    dialog_.Answer = [&c](TScriptedListMessage& d) {
      d.Edit1()->setText(c.typed);
      QTest::mouseClick(d.OkButton(), Qt::LeftButton);
    };
    dialog_.CheckList(list_, "x");
    EXPECT_EQ(context_.MaxListCount, c.limit) << c.typed;
    EXPECT_EQ(list_.Count(), 3);
  }
}

TEST_F(ListMessageForm1Test, HelpButtonOpensTheTopicOrIsDisabled) {
  EXPECT_FALSE(dialog_.HelpButton()->isEnabled());
  std::vector<std::string> topics;
  dialog_.SetHelp([&topics](const std::string& topic) { topics.push_back(topic); });
  EXPECT_TRUE(dialog_.HelpButton()->isEnabled());
  context_.MaxListCount = 0;
  Fill(1);
  dialog_.Answer = [](TScriptedListMessage& d) {
    QTest::mouseClick(d.HelpButton(), Qt::LeftButton);
    EXPECT_TRUE(d.isVisible());  // help leaves the dialog open
  };
  dialog_.CheckList(list_, "x");
  EXPECT_EQ(topics, (std::vector<std::string>{"ListMessage"}));
}

TEST_F(ListMessageForm1Test, ShowsInTheCyrillicFontOfTheOpenModules) {
  context_.MaxListCount = 0;
  Fill(1);
  std::string modulesFont = "DejaVu Serif";
  dialog_.SetCyrillicFontSource([&modulesFont] { return modulesFont; });
  dialog_.CheckList(list_, "x");
  EXPECT_EQ(dialog_.ShownFamily, QStringLiteral("DejaVu Serif"));
  EXPECT_EQ(dialog_.MessageLabel()->font().pixelSize(), 13);
  // The source is asked again at the next showing; none keeps the design.
  modulesFont = "DejaVu Sans Mono";
  dialog_.CheckList(list_, "x");
  EXPECT_EQ(dialog_.ShownFamily, QStringLiteral("DejaVu Sans Mono"));
  modulesFont.clear();
  dialog_.CheckList(list_, "x");
  EXPECT_EQ(dialog_.ShownFamily, QStringLiteral("Verdana"));
  dialog_.SetCyrillicFontName(std::string("DejaVu Serif"));
  dialog_.CheckList(list_, "x");
  EXPECT_EQ(dialog_.ShownFamily, QStringLiteral("DejaVu Serif"));
  EXPECT_EQ(dialog_.Shown, 4);
}

}  // namespace
}  // namespace lectora
