// The upper half of a TDblButton: a tool button with an up-pointing
// arrow filled in the figure colour over the style's button painting.
#pragma once

#include <QColor>
#include <QPolygon>
#include <QToolButton>

namespace lectora {

class TUpButton : public QToolButton {
  Q_OBJECT

 public:
  explicit TUpButton(QWidget* parent = nullptr);

  QColor FigColor() const { return figColor_; }
  // Stores the arrow colour and repaints.
  void SetFigColor(const QColor& color);

  // The arrow for a `width` x `height` button: ((W-2) div 2, 3), (W-6, H-5),
  // (3, H-5).
  static QPolygon Arrow(int width, int height);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QColor figColor_ = Qt::black;
};

}  // namespace lectora
