#include "tools/language/CaptionApplier.h"

#include <QAbstractItemView>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <functional>
#include <map>
#include <string_view>

#include "settings/DblButton.h"
#include "settings/MyCheckBox.h"
#include "settings/MyRadioGroup.h"
#include "tools/language/CaptionFile.h"

namespace lectora {

namespace {

// Named by its caption, or by its hint when it has none.
void Rename(QWidget& widget, const QString& caption, const QString& hint) {
  widget.setAccessibleName(!caption.isEmpty() ? caption : hint);
}

void ApplyHint(QWidget& widget, const TCaptionFile& file, const std::string& name,
               bool onlyWhenHinted = false) {
  if (onlyWhenHinted && widget.toolTip().isEmpty()) return;
  if (const auto hint = file.Hint(name)) {
    widget.setToolTip(*hint);
    if (widget.accessibleName().isEmpty() || onlyWhenHinted) Rename(widget, {}, *hint);
  }
}

// A tool button shows an image: its hint is its name, in every language.
void ApplyToolButtonHint(QWidget& button, const TCaptionFile& file, const std::string& name) {
  if (const auto hint = file.Hint(name)) {
    button.setToolTip(*hint);
    Rename(button, {}, *hint);
  }
}

void ApplyAction(QAction& action, const TCaptionFile& file, const std::string& name) {
  if (const auto caption = file.Caption(name)) action.setText(*caption);
  if (const auto hint = file.Hint(name)) {
    action.setToolTip(*hint);
    action.setStatusTip(*hint);
  }
}

// Buttons, labels, group boxes and check boxes: a caption and a hint.
template <typename T>
void ApplyCaptioned(T& widget, const TCaptionFile& file, const std::string& name,
                    void (T::*setCaption)(const QString&)) {
  if (const auto caption = file.Caption(name)) {
    (widget.*setCaption)(*caption);
    Rename(widget, *caption, widget.toolTip());
  }
  if (const auto hint = file.Hint(name)) widget.setToolTip(*hint);
}

void ApplyRadioGroup(TMyRadioGroup& group, const TCaptionFile& file, const std::string& name) {
  ApplyCaptioned<QGroupBox>(group, file, name, &QGroupBox::setTitle);
  if (const auto items = file.Items(name)) {
    const int index = group.ItemIndex();
    group.SetItems(*items);
    group.SetItemIndex(index);
  }
}

void ApplyComboBox(QComboBox& box, const TCaptionFile& file, const std::string& name) {
  ApplyHint(box, file, name);
  if (const auto items = file.Items(name)) {
    const int index = box.currentIndex();
    box.clear();
    box.addItems(*items);
    box.setCurrentIndex(index);
  }
}

void ApplyDblButton(TDblButton& button, const TCaptionFile& file, const std::string& name) {
  if (const auto up = file.Hint(name + "Up")) button.SetUpHint(*up);
  if (const auto down = file.Hint(name + "Dn")) button.SetDnHint(*down);
}

using TRule = std::function<void(QObject&, const TCaptionFile&, const std::string&)>;

// By exact class name: a descendant is not taken for its ancestor.
const std::map<std::string_view, TRule>& Rules() {
  static const std::map<std::string_view, TRule> rules = {
      {"QAction", [](QObject& o, const TCaptionFile& f,
                     const std::string& n) { ApplyAction(static_cast<QAction&>(o), f, n); }},
      {"QPushButton",
       [](QObject& o, const TCaptionFile& f, const std::string& n) {
         ApplyCaptioned<QAbstractButton>(static_cast<QPushButton&>(o), f, n,
                                         &QAbstractButton::setText);
       }},
      {"QLabel",
       [](QObject& o, const TCaptionFile& f, const std::string& n) {
         ApplyCaptioned<QLabel>(static_cast<QLabel&>(o), f, n, &QLabel::setText);
       }},
      {"QGroupBox",
       [](QObject& o, const TCaptionFile& f, const std::string& n) {
         ApplyCaptioned<QGroupBox>(static_cast<QGroupBox&>(o), f, n, &QGroupBox::setTitle);
       }},
      {"QCheckBox",
       [](QObject& o, const TCaptionFile& f, const std::string& n) {
         ApplyCaptioned<QAbstractButton>(static_cast<QCheckBox&>(o), f, n,
                                         &QAbstractButton::setText);
       }},
      {"lectora::TMyCheckBox",
       [](QObject& o, const TCaptionFile& f, const std::string& n) {
         ApplyCaptioned<TMyCheckBox>(static_cast<TMyCheckBox&>(o), f, n, &TMyCheckBox::SetCaption);
       }},
      {"lectora::TMyRadioGroup",
       [](QObject& o, const TCaptionFile& f, const std::string& n) {
         ApplyRadioGroup(static_cast<TMyRadioGroup&>(o), f, n);
       }},
      {"QToolButton",
       [](QObject& o, const TCaptionFile& f, const std::string& n) {
         ApplyToolButtonHint(static_cast<QWidget&>(o), f, n);
       }},
      {"QComboBox", [](QObject& o, const TCaptionFile& f,
                       const std::string& n) { ApplyComboBox(static_cast<QComboBox&>(o), f, n); }},
      {"lectora::TDblButton",
       [](QObject& o, const TCaptionFile& f, const std::string& n) {
         ApplyDblButton(static_cast<TDblButton&>(o), f, n);
       }},
  };
  return rules;
}

// Hinted only: a hint read when the control is named.
bool IsHintOnly(std::string_view cls) {
  return cls == "lectora::TODComboBox" || cls == "lectora::TBibleComboBox" ||
         cls == "lectora::TMyListBox" || cls == "lectora::TBibleRichEdit1";
}

// Hinted only when it has a hint already.
bool IsHintedOnlyWhenHinted(std::string_view cls) {
  return cls == "lectora::TComboBoxCCDisabled" || cls == "lectora::TMySpinEdit" ||
         cls == "lectora::TLargeListBox" || cls == "QListWidget" || cls == "QListView";
}

// The window a component belongs to: the nearest top-level widget or Bible
// window above it. A dialog is a child of the main window here, but its
// components are its own and read its own file.
const QWidget* OwningForm(const QObject& component) {
  for (const QObject* up = component.parent(); up != nullptr; up = up->parent()) {
    if (!up->isWidgetType()) continue;
    const auto* widget = static_cast<const QWidget*>(up);
    if ((widget->isWindow() && !widget->inherits("QMenu")) ||
        widget->inherits("lectora::TBibleForm1")) {
      return widget;
    }
  }
  return nullptr;
}

}  // namespace

void TCaptionApplier::ApplyCaptions(QWidget& form, const std::string& languageFolder) {
  const std::string name = TCaptionFile::FormNameOf(form.objectName().toStdString());
  const TCaptionFile file(languageFolder + "/" + name + ".txt", name);
  if (file.Exists()) Apply(form, file);
}

void TCaptionApplier::Apply(QWidget& form, const TCaptionFile& file) {
  form.setWindowTitle(file.Caption("Caption").value_or(QString()));
  if (const auto hint = file.Hint(file.FormName())) form.setToolTip(*hint);
  for (QObject* component : form.findChildren<QObject*>()) {
    if (!component->objectName().isEmpty() && OwningForm(*component) == &form) {
      ApplyToComponent(*component, file);
    }
  }
  ApplyToTabs(form, file);
}

void TCaptionApplier::ApplyToComponent(QObject& component, const TCaptionFile& file) {
  const std::string name = component.objectName().toStdString();
  const std::string_view cls = component.metaObject()->className();
  const auto rule = Rules().find(cls);
  if (rule != Rules().end()) {
    rule->second(component, file, name);
  } else if (IsHintOnly(cls)) {
    ApplyHint(static_cast<QWidget&>(component), file, name);
  } else if (IsHintedOnlyWhenHinted(cls)) {
    ApplyHint(static_cast<QWidget&>(component), file, name, true);
  }
}

void TCaptionApplier::ApplyToTabs(QWidget& form, const TCaptionFile& file) {
  // A tab sheet's caption stands between three blanks on each side.
  for (QTabWidget* tabs : form.findChildren<QTabWidget*>()) {
    if (OwningForm(*tabs) != &form) continue;
    for (int i = 0; i < tabs->count(); ++i) {
      const std::string name = tabs->widget(i)->objectName().toStdString();
      if (name.empty()) continue;
      if (const auto caption = file.Caption(name)) {
        tabs->setTabText(i, QStringLiteral("   ") + *caption + QStringLiteral("   "));
      }
      if (const auto hint = file.Hint(name)) tabs->setTabToolTip(i, *hint);
    }
  }
}

}  // namespace lectora
