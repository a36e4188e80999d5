// An up/down pair of arrow buttons stacked in one control, used beside the
// spin edits. The halves split the control's height and share its width.
//
// OnUpClick and OnDnClick are Qt signals raised by a click on either half.
#pragma once

#include <QColor>
#include <QString>
#include <QWidget>

namespace lectora {

class TUpButton;
class TDnButton;

class TDblButton : public QWidget {
  Q_OBJECT

 public:
  // 40 x 40, black arrows, not flat. Both halves are children of the control.
  explicit TDblButton(QWidget* parent = nullptr);

  QColor FigColor() const { return figColor_; }
  // The arrow colour of both halves; repaints them.
  void SetFigColor(const QColor& color);

  // Enabled applies to both halves (and the control).
  bool Enabled() const { return isEnabled(); }
  void SetEnabled(bool enabled);
  // Flat halves show their raised frame only under the mouse.
  bool Flat() const { return flat_; }
  void SetFlat(bool flat);

  // The tool tips of the upper and lower half.
  QString UpHint() const;
  void SetUpHint(const QString& hint);
  QString DnHint() const;
  void SetDnHint(const QString& hint);

  // The end of set-up: lays the halves out (as every resize does).
  void Loaded();

  // The halves, owned by the control.
  TUpButton* UpButton() const { return up_; }
  TDnButton* DnButton() const { return dn_; }

 Q_SIGNALS:
  void OnUpClick();
  void OnDnClick();

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  // Upper half: height div 2, full width; lower half from one pixel below it
  // to the bottom.
  void LayoutButtons();

  TUpButton* up_;
  TDnButton* dn_;
  QColor figColor_ = Qt::black;
  bool flat_ = false;
};

}  // namespace lectora
