#include "display/KeyTranslator.h"

#include <gtest/gtest.h>
#include <QLineEdit>
#include <QTest>

#include "display/CDEdit.h"
#include "display/ODComboBox.h"
#include "display/QtText.h"
#include "settings/OptionValues.h"
#include "store/CodePage.h"
#include "store/Language.h"

namespace lectora {
namespace {

// The layout answer a test chooses.
class TFakeLayouts : public IKeyboardLayoutQuery {
 public:
  std::optional<std::uint32_t> ActiveLayout() const override { return Active; }
  std::optional<std::uint32_t> Active;
};

constexpr std::uint32_t kUs = 0x04090409;
constexpr std::uint32_t kBulgarianLayout = 0x04020402;

class KeyTranslatorTest : public testing::Test {
 protected:
  KeyTranslatorTest() {
    auto layouts = std::make_unique<TFakeLayouts>();
    layouts_ = layouts.get();
    layouts_->Active = kUs;
    translator_ = std::make_unique<TKeyTranslator>(std::move(layouts));
    translator_->SetLanguageSource([this] { return language_; });
  }
  ~KeyTranslatorTest() override { SetBulgarianLayout(BulgarianLayout::Standard); }

  // `keys` typed into `edit` as the keyboard sends them.
  static void Type(QWidget& edit, const char* keys) { QTest::keyClicks(&edit, keys); }
  static std::string Utf8(const QString& text) { return text.toStdString(); }

  TLanguage bulgarian_{0};
  TLanguage russian_{3};
  TLanguage greek_{6};
  TLanguage german_{8};
  TLanguage english_{5};
  const TLanguage* language_ = &bulgarian_;
  TFakeLayouts* layouts_ = nullptr;
  std::unique_ptr<TKeyTranslator> translator_;
};

TEST_F(KeyTranslatorTest, BookBoxHookTypesTheModulesLettersOnAUsLayout) {
  // The box speaks the module's code page, as the book box does.
  TODComboBox box;
  box.SetCharset(bulgarian_.Charset());
  box.OnKeyPress = [this](char& key) { translator_->Translate(key); };
  box.show();
  Type(*box.Edit(), "qw1");
  EXPECT_EQ(Utf8(box.Edit()->text()), ",у1");  // standard: q is ",", w is "у"

  SetBulgarianLayout(BulgarianLayout::Phonetic);
  box.Edit()->clear();
  Type(*box.Edit(), "qw");
  EXPECT_EQ(Utf8(box.Edit()->text()), "яв");
}

TEST_F(KeyTranslatorTest, NothingIsTranslatedOnTheLanguagesOwnLayoutOrWithTheOptionOff) {
  TODComboBox box;
  box.SetCharset(204);
  box.OnKeyPress = [this](char& key) { translator_->Translate(key); };
  layouts_->Active = kBulgarianLayout;
  Type(*box.Edit(), "q,");
  EXPECT_EQ(Utf8(box.Edit()->text()), "q,");

  layouts_->Active = kUs;
  translator_->SetAutoKeybd(false);
  box.Edit()->clear();
  Type(*box.Edit(), "q");
  EXPECT_EQ(Utf8(box.Edit()->text()), "q");

  // An unknown layout counts as another one.
  translator_->SetAutoKeybd(true);
  layouts_->Active.reset();
  box.Edit()->clear();
  Type(*box.Edit(), "q");
  EXPECT_EQ(Utf8(box.Edit()->text()), ",");
}

TEST_F(KeyTranslatorTest, EventFilterRewritesTheKeysOfAnyLineEdit) {
  QLineEdit edit;
  translator_->Install(&edit);
  struct {
    const TLanguage* language;
    const char* typed;
    const char* expected;
  } const cases[] = {
      {&russian_, "ghbdtn", "привет"}, {&greek_, "kuv", "κθω"}, {&german_, "[;'", "üöä"},
      {&english_, "qw", "qw"},         {nullptr, "qw", "qw"},
  };
  for (const auto& c : cases) {
    language_ = c.language;
    edit.clear();
    Type(edit, c.typed);
    EXPECT_EQ(Utf8(edit.text()), c.expected) << c.typed;
  }
  // Commands keep their keys.
  language_ = &russian_;
  edit.setText("abc");
  QTest::keyClick(&edit, Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(edit.selectedText(), QStringLiteral("abc"));
}

TEST_F(KeyTranslatorTest, FollowsTheOptions) {
  TOptionValues options;
  options.SetOption(TOptionValues::kAutoKeybd, false);
  options.SetOption(TOptionValues::kFoneticCyr, true);
  translator_->Bind(options);
  EXPECT_FALSE(translator_->AutoKeybd());
  EXPECT_EQ(CurrentBulgarianLayout(), BulgarianLayout::Phonetic);
  options.SetOption(TOptionValues::kAutoKeybd, true);
  options.SetOption(TOptionValues::kFoneticCyr, false);
  EXPECT_TRUE(translator_->AutoKeybd());
  EXPECT_EQ(CurrentBulgarianLayout(), BulgarianLayout::Standard);
  char key = 'w';
  translator_->Translate(key);
  EXPECT_EQ(CodePageToUtf8(std::string(1, key), 1251), "у");
}

}  // namespace
}  // namespace lectora
