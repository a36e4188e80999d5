#include "settings/AccessibleName.h"

#include <QEvent>
#include <QPointer>
#include <QVariant>
#include <QWidget>

namespace lectora {

namespace {

// The dynamic property that remembers the name set here, to tell it from a
// name the owner chose.
constexpr char kAutomaticName[] = "lectoraAutomaticAccessibleName";

// Watches the tool tip of one widget for another (or the same) widget.
class TToolTipFollower : public QObject {
 public:
  TToolTipFollower(QWidget& named, QWidget& source, const QString& fallback)
      : QObject(&named), named_(&named), source_(&source), fallback_(fallback) {
    source.installEventFilter(this);
    Apply();
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == source_ && event->type() == QEvent::ToolTipChange) Apply();
    return false;
  }

 private:
  void Apply() {
    if (named_ == nullptr || source_ == nullptr) return;
    const QString hint = source_->toolTip();
    FollowAccessibleName(*named_, hint.isEmpty() ? fallback_ : hint);
  }

  QPointer<QWidget> named_;
  QPointer<QWidget> source_;
  QString fallback_;
};

}  // namespace

void FollowAccessibleName(QWidget& widget, const QString& name) {
  const QString current = widget.accessibleName();
  const QString automatic = widget.property(kAutomaticName).toString();
  if (!current.isEmpty() && current != automatic) return;
  widget.setProperty(kAutomaticName, name);
  if (current != name) widget.setAccessibleName(name);
}

void FollowToolTip(QWidget& named, QWidget& source, const QString& fallback) {
  new TToolTipFollower(named, source, fallback);
}

}  // namespace lectora
