// The on-top viewer's window: a small window above other applications
// (Qt::WindowStaysOnTopHint; honoured on X11, not on Wayland) showing the
// chapter the reader sends, the passage between two GoToPos positions
// selected and scrolled into view. Its placement is kept in an INI file of
// its own. The slots are the viewer's bus interface (the adaptor generated
// from org.darsel.Floatpane.DdeServerConv1.xml calls them).
#pragma once

#include <QString>
#include <QWidget>
#include <vector>

class QPlainTextEdit;

namespace lectora {

class TFloatpaneWindow : public QWidget {
  Q_OBJECT

 public:
  // `placementFile`: the INI file of the placement (empty: not kept).
  // `frameless` leaves out the window frame.
  explicit TFloatpaneWindow(const QString& placementFile, bool frameless = false,
                            QWidget* parent = nullptr);
  ~TFloatpaneWindow() override;

  // The text as shown (line ends as paragraph breaks).
  QString ShownText() const;
  // The selected passage of the shown text.
  QString SelectedText() const;
  int SelectionStart() const;
  int SelectionEnd() const;
  const QString& Letters() const { return letters_; }
  int FontCharSet() const { return fontCharSet_; }
  QPlainTextEdit* Text() const { return text_; }
  // Writes the placement (also done on close).
  void SavePlacement() const;

 public Q_SLOTS:
  // The letters of words in the text (lower case, then upper case): a
  // double click selects a run of them.
  void SetLetters(const QString& text);
  void SetCaption(const QString& text);
  void SetFont(const QString& text);
  // Decimal points; anything else keeps the size.
  void SetFontSize(const QString& text);
  // Kept for information only: the text is Unicode already.
  void SetFontCharSet(const QString& text);
  // The chapter, lines ended by CR LF. The next GoToPos is a start.
  void SetText(const QString& text);
  // Decimal visible-character position: the first call after a text is the
  // start of the passage, the second its end; then the passage is selected
  // and scrolled into view. Positions beyond the text are clamped; a text
  // that is not a number is ignored.
  void GoToPos(const QString& text);
  // Shown normal and brought forward.
  void Restore();
  // Ends the viewer.
  void Close();

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ReadPlacement();
  // The document position of visible character `visible`.
  int DocumentPosition(int visible) const;
  void SelectWordAt(int position);

  QString placementFile_;
  QPlainTextEdit* text_ = nullptr;
  QString letters_;
  int fontCharSet_ = 0;
  // Document position of each visible character, and one past the last.
  std::vector<int> positions_;
  bool startPending_ = true;
  int start_ = 0;
};

}  // namespace lectora
