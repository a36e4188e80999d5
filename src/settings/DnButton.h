// The lower half of a TDblButton: a tool button with a down-pointing
// arrow filled in the figure colour over the style's button painting.
#pragma once

#include <QColor>
#include <QPolygon>
#include <QToolButton>

namespace lectora {

class TDnButton : public QToolButton {
  Q_OBJECT

 public:
  explicit TDnButton(QWidget* parent = nullptr);

  QColor FigColor() const { return figColor_; }
  // Stores the arrow colour and repaints.
  void SetFigColor(const QColor& color);

  // The arrow for a `width` x `height` button: (3, 2), (W-5, 2),
  // ((W-2) div 2, H-5).
  static QPolygon Arrow(int width, int height);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QColor figColor_ = Qt::black;
};

}  // namespace lectora
