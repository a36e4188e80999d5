// A radio button whose caption is drawn by a child label, as TMyCheckBox
// does for check boxes. A click on the label toggles the button, so a
// checked button can also be unchecked from its caption.
#pragma once

#include <QRadioButton>
#include <QString>

class QLabel;

namespace lectora {

class TMyRadio : public QRadioButton {
  Q_OBJECT

 public:
  // The label is a child of the button and lives as long as it does. The
  // button takes the focus on Tab.
  explicit TMyRadio(QWidget* parent = nullptr);

  // The visible caption (the label's text).
  QString Caption() const;
  // Sets the label's text and resizes it to the text. The native text
  // becomes matching blanks only while the button has a parent.
  void SetCaption(const QString& caption);

  // The end of set-up: an empty caption takes the object name; the label is
  // placed (top centred, left = height + 1). Resizes re-place it.
  void Loaded();

  // The caption label, owned by the button.
  QLabel* Label() const { return label_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;
  // A left click released on the label: an unchecked button is clicked (it
  // checks, unchecks its siblings and raises `clicked`); a checked one is
  // unchecked, raising only `toggled`.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ToggleFromLabel();
  void PlaceLabel();

  QLabel* label_;
};

}  // namespace lectora
