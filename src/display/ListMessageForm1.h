// The list limit dialog: warns, when a history list is made active, that it
// holds more entries than the user's limit, lets the user change the limit,
// clear the list at once, or open the help page.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <functional>
#include <string>

namespace lectora {

class THistoryContext;
class TBibleComboBox;

class TListMessageForm1 : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kHelpContext = 42;

  // `context` (not owned) must outlive the dialog; it holds the limit.
  explicit TListMessageForm1(THistoryContext& context, QWidget* parent = nullptr);

  // Fills the number field with the limit and, when `list` holds more
  // entries than the limit, shows the warning for it modally (through
  // Exec). `displayName` (8-bit, Windows-1251) names the list in the text.
  // Returns true when the dialog was shown. `list` must outlive the call.
  bool CheckList(TBibleComboBox& list, const std::string& displayName);

  // Opens the help page of a topic ("ListMessage"); until one is set the
  // Help button is shown disabled.
  void SetHelp(std::function<void(const std::string& topic)> help);
  // The font family asked for when the dialog shows (the Cyrillic font of
  // the open modules, TBibleSet::CyrillicFontName); "" keeps the design
  // font ("Verdana" 13 pixels). A source is asked at every showing, so the
  // font follows the modules opened since; a fixed name replaces it.
  void SetCyrillicFontName(const QString& name);
  void SetCyrillicFontName(const std::string& name) {
    SetCyrillicFontName(QString::fromStdString(name));
  }
  void SetCyrillicFontSource(std::function<std::string()> source);
  // The family the next showing uses ("" for the design font).
  QString CyrillicFontName() const;

  QLineEdit* Edit1() const { return edit1_; }
  QLabel* MessageLabel() const { return message_; }
  QPushButton* OkButton() const { return okButton_; }
  QPushButton* ClearButton() const { return clearButton_; }
  QPushButton* HelpButton() const { return helpButton_; }

  // Closing takes a valid number of the field (0 or more) as the new limit.
  void done(int result) override;

 protected:
  // Shows the dialog modally; tests override it to answer without blocking.
  virtual int Exec() { return exec(); }
  void showEvent(QShowEvent* event) override;

 private:
  void ClearNow();

  THistoryContext& context_;
  TBibleComboBox* list_ = nullptr;  // the list being warned about, during CheckList
  std::function<void(const std::string&)> help_;
  std::function<std::string()> cyrillicFontSource_;
  QFont designFont_;
  QLineEdit* edit1_;
  QLabel* message_;
  QPushButton* okButton_;
  QPushButton* clearButton_;
  QPushButton* helpButton_;
};

}  // namespace lectora
