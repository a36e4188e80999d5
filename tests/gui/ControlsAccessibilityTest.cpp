// The custom controls as a screen reader sees them: every one has a name
// (its caption or hint) and reports its state, read through Qt's
// accessibility interfaces in the running test.
#include <gtest/gtest.h>
#include <QAccessible>
#include <QLabel>
#include <QTest>

#include "settings/ComboBoxCCDisabled.h"
#include "settings/DblButton.h"
#include "settings/DnButton.h"
#include "settings/MyCheckBox.h"
#include "settings/MyRadio.h"
#include "settings/MyRadioGroup.h"
#include "settings/MySpinEdit.h"
#include "settings/UpButton.h"

namespace lectora {
namespace {

QAccessibleInterface* Of(QObject* object) { return QAccessible::queryAccessibleInterface(object); }
QString Name(QObject* object) { return Of(object)->text(QAccessible::Name); }

TEST(ControlsAccessibilityTest, CheckBoxAndRadioAreNamedByTheirCaptionNotTheirBlanks) {
  QWidget window;
  auto* box = new TMyCheckBox(&window);
  box->SetCaption(QStringLiteral(u"Показване на номерата"));
  box->Loaded();
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  EXPECT_EQ(Name(box), QStringLiteral(u"Показване на номерата"));
  EXPECT_FALSE(Of(box)->state().checked);
  QTest::mouseClick(box->Label(), Qt::LeftButton, {}, box->Label()->rect().center());
  EXPECT_TRUE(Of(box)->state().checked);
  // A new caption (another interface language) renames it.
  box->SetCaption(QStringLiteral("Show the numbers"));
  EXPECT_EQ(Name(box), QStringLiteral("Show the numbers"));
  // A name the owner set is kept.
  box->setAccessibleName(QStringLiteral("Numbers"));
  box->SetCaption(QStringLiteral("Other"));
  EXPECT_EQ(Name(box), QStringLiteral("Numbers"));
}

TEST(ControlsAccessibilityTest, RadioGroupReportsItsItemsAndTheCheckedOne) {
  TMyRadioGroup group;
  group.setTitle(QStringLiteral(u"Българската подредба е: "));
  group.resize(220, 100);
  group.SetItems({QStringLiteral(u"според БДС"), QStringLiteral(u"фонетична")});
  group.Loaded();
  group.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&group));
  QTest::mouseClick(group.Button(1)->Label(), Qt::LeftButton, {},
                    group.Button(1)->Label()->rect().center());
  EXPECT_EQ(Name(&group), QStringLiteral(u"Българската подредба е: "));
  EXPECT_EQ(Name(group.Button(0)), QStringLiteral(u"според БДС"));
  EXPECT_EQ(Name(group.Button(1)), QStringLiteral(u"фонетична"));
  EXPECT_EQ(Of(group.Button(1))->role(), QAccessible::RadioButton);
  EXPECT_TRUE(Of(group.Button(1))->state().checked);
  EXPECT_FALSE(Of(group.Button(0))->state().checked);
}

TEST(ControlsAccessibilityTest, ArrowButtonsAreNamedByTheirHints) {
  TDblButton button;
  EXPECT_EQ(Name(button.UpButton()), QStringLiteral("Up"));
  EXPECT_EQ(Name(button.DnButton()), QStringLiteral("Down"));
  button.SetUpHint(QStringLiteral(u"Първа глава"));
  button.SetDnHint(QStringLiteral(u"Последна глава"));
  EXPECT_EQ(Name(button.UpButton()), QStringLiteral(u"Първа глава"));
  EXPECT_EQ(Name(button.DnButton()), QStringLiteral(u"Последна глава"));
  button.SetEnabled(false);
  EXPECT_TRUE(Of(button.UpButton())->state().disabled);
  button.setToolTip(QStringLiteral("Chapter"));
  EXPECT_EQ(Name(&button), QStringLiteral("Chapter"));
}

TEST(ControlsAccessibilityTest, SpinEditAndComboBoxAreNamedByTheirHints) {
  TMySpinEdit spin;
  spin.setToolTip(QStringLiteral(u"Глава"));
  spin.SetValue(3);
  EXPECT_EQ(Name(&spin), QStringLiteral(u"Глава"));
  EXPECT_EQ(Of(&spin)->text(QAccessible::Value), QStringLiteral("3"));

  TComboBoxCCDisabled combo;
  combo.addItems({QStringLiteral("Gen 1:1"), QStringLiteral("John 3:16")});
  combo.setToolTip(QStringLiteral("Opened verses"));
  // On Linux Qt names a combo box by its text (the label relation names
  // it); the hint is its accessible name.
  EXPECT_EQ(combo.accessibleName(), QStringLiteral("Opened verses"));
  EXPECT_EQ(Of(&combo)->role(), QAccessible::ComboBox);
}

}  // namespace
}  // namespace lectora
