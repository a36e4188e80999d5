// A check box whose caption is drawn by a child label, so that the caption
// appears in the box's own font whatever the style draws for native button
// texts. The native text holds only blanks as wide as the label, so that the
// style's focus frame still spans the visible caption.
#pragma once

#include <QCheckBox>
#include <QString>
#include <functional>

class QLabel;

namespace lectora {

// The native caption that spans `labelWidth` pixels in `blankWidth`-pixel
// blanks: (labelWidth div blankWidth) + 1 of them. A blank width below 1
// counts as 1, so no font can make this divide by zero.
QString BlankCaption(int labelWidth, int blankWidth);
// The caption label's part in a button's event filter: a left press on the
// label is taken (the button must not toggle on it) and a left release
// inside it runs `click` when `button` is enabled. True when the event is
// consumed.
bool FilterCaptionLabelEvent(const QLabel& label, const QWidget& button, QEvent* event,
                             const std::function<void()>& click);

class TMyCheckBox : public QCheckBox {
  Q_OBJECT

 public:
  // The label is a child of the box and lives as long as it does.
  explicit TMyCheckBox(QWidget* parent = nullptr);

  // The visible caption (the label's text).
  QString Caption() const;
  // Sets the label's text and resizes it to the text; the native text
  // becomes the matching blanks.
  void SetCaption(const QString& caption);

  // The end of set-up: places the label (top centred, left = height + 1).
  // The owner calls it once after setting properties; resizes re-place it.
  void Loaded();

  // The caption label, owned by the box (for layout by tests and owners).
  QLabel* Label() const { return label_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;
  // A left click released on the label toggles `Checked` as a click on the
  // box does (so `clicked` and `toggled` are raised).
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void PlaceLabel();

  QLabel* label_;
};

}  // namespace lectora
