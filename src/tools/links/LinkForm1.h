// The link dialog: the caption and link of one node of the reader's link
// tree, a Browse button that picks a file for the link, and, for a new
// node, where it goes (before the selected node, after its last sibling, or
// as its last child). The links page prepares it for a new or an edited
// node and opens it; the dialog only collects the texts.
#pragma once

#include <QDialog>
#include <functional>
#include <string>

#include "tools/links/OpenDialog1.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace lectora {

class TMyRadioGroup;

class TLinkForm1 : public QDialog {
  Q_OBJECT

 public:
  static constexpr const char* kHelpTopic = "EditLinkWindow";

  explicit TLinkForm1(QWidget* parent = nullptr);

  // The font family of the dialog (the Cyrillic font of the open modules),
  // asked at every showing; "" keeps the design font.
  void SetCyrillicFontSource(std::function<std::string()> source);
  // Opens a help topic; without it the Help button is disabled.
  void SetHelp(std::function<void(const std::string& topic)> help);
  // Shows a notice (the program's message dialog). OK keeps the dialog open
  // and tells the reader through it when a field holds a character the
  // link-tree file cannot store (it is Windows-1251): saved, it would come
  // back as "?" and a link would no longer open. Unset, such text is
  // accepted as it is.
  void SetNotice(std::function<void(const QString& text)> notice);

  // For a new node: the mode group, the link field and Browse enabled, the
  // link field emptied; the caption field keeps its last text.
  void PrepareNew();
  // For the selected node: the mode group disabled, the caption field
  // given `caption`; for a folder (`hasChildren`) the link field is emptied
  // and, with Browse, disabled, otherwise both enabled and given `link`.
  void PrepareEdit(const QString& caption, const QString& link, bool hasChildren);
  // Shows the dialog modal to its window without blocking; the answer
  // arrives through accepted() or rejected().
  void ShowLink();

  QString Caption() const;  // Edit1
  QString Link() const;     // Edit2
  // The insertion mode: 0 insert, 1 add, 2 add child.
  int Mode() const;

  // The file-open dialog behind Browse; the chapter audio uses it too.
  TOpenDialog1& OpenDialog1() { return openDialog1_; }

  QLabel* Label1() const { return label1_; }
  QLineEdit* Edit1() const { return edit1_; }
  QLabel* Label2() const { return label2_; }
  QLineEdit* Edit2() const { return edit2_; }
  QPushButton* Button1() const { return button1_; }  // Browse
  QPushButton* Button2() const { return button2_; }  // OK
  QPushButton* Button3() const { return button3_; }  // Cancel
  QPushButton* Button4() const { return button4_; }  // Help
  TMyRadioGroup* RadioGroup1() const { return radioGroup1_; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void CreateControls();
  void LayOut();
  void Button1Click();
  void Button2Click();

  std::function<std::string()> fontSource_;
  std::function<void(const std::string&)> help_;
  std::function<void(const QString&)> notice_;
  QFont designFont_;
  TOpenDialog1 openDialog1_;
  QLabel* label1_ = nullptr;
  QLineEdit* edit1_ = nullptr;
  QLabel* label2_ = nullptr;
  QLineEdit* edit2_ = nullptr;
  QPushButton* button1_ = nullptr;
  QPushButton* button2_ = nullptr;
  QPushButton* button3_ = nullptr;
  QPushButton* button4_ = nullptr;
  TMyRadioGroup* radioGroup1_ = nullptr;
};

}  // namespace lectora
