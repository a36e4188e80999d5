#include "settings/MySpinEdit.h"

#include "settings/AccessibleName.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLocale>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <QTimer>
#include <QWheelEvent>
#include <algorithm>
#include <climits>
#include <cstdint>

namespace lectora {
namespace {

// Pause before a held half starts repeating, and the repeat interval.
constexpr int kRepeatDelayMs = 400;
constexpr int kRepeatIntervalMs = 100;
// The frame the line edit draws around its text; the button sits inside it.
constexpr int kFrameInset = 2;
// Height of a window border in pixels (one device pixel on every style).
constexpr int kBorderHeight = 1;

// The two-halved button: a press on the upper half steps up, on the lower
// half down, and a held half repeats until it is released.
class SpinButtonWidget : public QWidget {
 public:
  SpinButtonWidget(QWidget* parent, std::function<void(int)> step)
      : QWidget(parent), step_(std::move(step)), timer_(new QTimer(this)) {
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::ArrowCursor);
    QObject::connect(timer_, &QTimer::timeout, this, [this] {
      timer_->setInterval(kRepeatIntervalMs);
      step_(pressed_);
    });
  }

 protected:
  void mousePressEvent(QMouseEvent* event) override {
    if (event->button() != Qt::LeftButton) return;
    pressed_ = event->position().y() < height() / 2 ? 1 : -1;
    update();
    timer_->start(kRepeatDelayMs);
    step_(pressed_);
  }
  void mouseReleaseEvent(QMouseEvent* event) override {
    if (event->button() != Qt::LeftButton) return;
    timer_->stop();
    pressed_ = 0;
    update();
  }
  void hideEvent(QHideEvent*) override {
    timer_->stop();
    pressed_ = 0;
  }
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    const int half = height() / 2;
    DrawHalf(painter, QRect(0, 0, width(), half), 1, QStyle::PE_IndicatorArrowUp);
    DrawHalf(painter, QRect(0, half, width(), height() - half), -1, QStyle::PE_IndicatorArrowDown);
  }

 private:
  void DrawHalf(QPainter& painter, const QRect& rect, int sign, QStyle::PrimitiveElement arrow) {
    QStyleOption option;
    option.initFrom(this);
    option.rect = rect;
    option.state |= pressed_ == sign ? QStyle::State_Sunken : QStyle::State_Raised;
    style()->drawPrimitive(QStyle::PE_PanelButtonBevel, &option, &painter, this);
    option.rect = rect.adjusted(3, 2, -3, -2);
    style()->drawPrimitive(arrow, &option, &painter, this);
  }

  std::function<void(int)> step_;
  QTimer* timer_;
  int pressed_ = 0;  // 1 upper half held, -1 lower half, 0 none
};

bool IsControl(QChar c) { return c.unicode() < 0x20 || c.unicode() == 0x7F; }
bool IsEnter(QChar c) { return c == QLatin1Char('\r') || c == QLatin1Char('\n'); }

}  // namespace

TMySpinEdit::TMySpinEdit(QWidget* parent)
    : QLineEdit(parent), button_(new SpinButtonWidget(this, [this](int sign) { Step(sign); })) {
  // A drop would be a paste past the checks; the edit takes none.
  setAcceptDrops(false);
  button_->resize(kButtonWidth, kButtonHeight);
  resize(121, std::max(MinHeight(), kButtonHeight + 2 * kFrameInset));
  UpdateLayout();
  FollowToolTip(*this);
  FollowToolTip(*button_, *this);
}

int TMySpinEdit::Value() const {
  bool ok = false;
  const int value = text().trimmed().toInt(&ok);
  return ok ? value : minValue_;
}

void TMySpinEdit::SetValue(int value) { setText(QString::number(CheckValue(value))); }

void TMySpinEdit::FixValue(int value) {
  const QSignalBlocker blocker(this);
  setText(QString::number(value));
}

int TMySpinEdit::CheckValue(int value) {
  if (minValue_ > maxValue_) return value;
  const bool below = value < minValue_;
  const bool above = value > maxValue_;
  if (!below && !above) return value;
  // A copy: the handler may assign the member it runs from.
  const std::function<void()> handler = below ? OnMin : OnMax;
  if (!handler || inLimitEvent_) return below ? minValue_ : maxValue_;
  struct Guard {
    bool& flag;
    ~Guard() { flag = false; }
  } guard{inLimitEvent_};
  inLimitEvent_ = true;
  handler();
  return Value();
}

void TMySpinEdit::UpClick() { Step(1); }
void TMySpinEdit::DownClick() { Step(-1); }

void TMySpinEdit::Step(int sign) {
  if (isReadOnly()) {
    QApplication::beep();
    return;
  }
  const int64_t next = int64_t{Value()} + int64_t{sign} * increment_;
  SetValue(static_cast<int>(std::clamp<int64_t>(next, INT_MIN, INT_MAX)));
}

void TMySpinEdit::MouseWheelHandler(int delta) { Step(delta >= 0 ? 1 : -1); }

int TMySpinEdit::MinHeight() const {
  const int fontHeight = fontMetrics().height();
  const int systemHeight = QFontMetrics(QApplication::font()).height();
  return std::min(systemHeight, fontHeight) / 4 + fontHeight + 4 * kBorderHeight + 2;
}

bool TMySpinEdit::IsAcceptedText(const QString& text) const {
  const QString separator = locale().decimalPoint();
  for (const QChar c : text) {
    if (IsControl(c)) {
      if (IsEnter(c)) return false;
      if (!editorEnabled_ && c == QLatin1Char('\b')) return false;
      continue;
    }
    if (!editorEnabled_) return false;
    const bool accepted = (c >= QLatin1Char('0') && c <= QLatin1Char('9')) ||
                          c == QLatin1Char('+') || c == QLatin1Char('-') || separator.contains(c);
    if (!accepted) return false;
  }
  return true;
}

void TMySpinEdit::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  if (key == Qt::Key_Up || key == Qt::Key_Down) {
    Step(key == Qt::Key_Up ? 1 : -1);
    event->accept();
    return;
  }
  if (key == Qt::Key_Return || key == Qt::Key_Enter) {
    // Enter never edits; it goes on to the window (a dialog's default button).
    event->ignore();
    return;
  }
  if (event->matches(QKeySequence::Paste) || event->matches(QKeySequence::Cut)) {
    if (CanEditText()) QLineEdit::keyPressEvent(event);
    event->accept();
    return;
  }
  if (!editorEnabled_) {
    // Keys that change the text without typing a character are shut too.
    const bool edits = key == Qt::Key_Backspace || key == Qt::Key_Delete ||
                       event->matches(QKeySequence::Undo) || event->matches(QKeySequence::Redo) ||
                       event->matches(QKeySequence::DeleteEndOfWord) ||
                       event->matches(QKeySequence::DeleteStartOfWord) ||
                       event->matches(QKeySequence::DeleteEndOfLine) ||
                       event->matches(QKeySequence::DeleteCompleteLine);
    if (edits) {
      event->accept();
      return;
    }
  }
  // Control chords never type (the line edit inserts nothing for them), so
  // their text, which some platforms report as the plain letter, is not
  // checked: Ctrl+A and Ctrl+C keep working.
  const Qt::KeyboardModifiers chord =
      event->modifiers() &
      (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier | Qt::MetaModifier);
  const bool command =
      chord == Qt::ControlModifier || chord == (Qt::ControlModifier | Qt::ShiftModifier);
  if (!command && !IsAcceptedText(event->text())) {
    event->accept();
    return;
  }
  QLineEdit::keyPressEvent(event);
}

void TMySpinEdit::inputMethodEvent(QInputMethodEvent* event) {
  if (!event->commitString().isEmpty() &&
      (!IsAcceptedText(event->commitString()) || !editorEnabled_)) {
    event->accept();
    return;
  }
  QLineEdit::inputMethodEvent(event);
}

void TMySpinEdit::wheelEvent(QWheelEvent* event) {
  // Touchpads open and close a gesture with events that carry no turn.
  if (event->angleDelta().isNull()) {
    event->ignore();
    return;
  }
  MouseWheelHandler(event->angleDelta().y());
  event->accept();
}

void TMySpinEdit::focusInEvent(QFocusEvent* event) {
  QLineEdit::focusInEvent(event);
  // With a button down the mouse is placing the cursor; let it.
  if (autoSelect_ && QApplication::mouseButtons() == Qt::NoButton) selectAll();
}

void TMySpinEdit::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  const int value = Value();
  if (minValue_ <= maxValue_ && (value < minValue_ || value > maxValue_)) SetValue(value);
}

void TMySpinEdit::mouseReleaseEvent(QMouseEvent* event) {
  // The middle button pastes the selection on X11.
  if (event->button() == Qt::MiddleButton && !CanEditText()) {
    event->accept();
    return;
  }
  QLineEdit::mouseReleaseEvent(event);
}

void TMySpinEdit::contextMenuEvent(QContextMenuEvent* event) {
  QMenu* menu = createStandardContextMenu();
  if (!CanEditText()) {
    for (QAction* action : menu->actions()) {
      const QString name = action->objectName();
      if (name == QLatin1String("edit-paste") || name == QLatin1String("edit-cut") ||
          name == QLatin1String("edit-delete") || name == QLatin1String("edit-undo") ||
          name == QLatin1String("edit-redo")) {
        action->setEnabled(false);
      }
    }
  }
  menu->setAttribute(Qt::WA_DeleteOnClose);
  menu->popup(event->globalPos());
}

void TMySpinEdit::resizeEvent(QResizeEvent* event) {
  QLineEdit::resizeEvent(event);
  UpdateLayout();
}

void TMySpinEdit::changeEvent(QEvent* event) {
  QLineEdit::changeEvent(event);
  if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
    UpdateLayout();
  }
}

void TMySpinEdit::UpdateLayout() {
  setMinimumHeight(MinHeight());
  const int inset = hasFrame() ? kFrameInset : 0;
  button_->setGeometry(width() - kButtonWidth - inset, inset, kButtonWidth,
                       std::max(0, height() - 2 * inset));
  // The text ends before the button, as a spin edit's edit rectangle does.
  setTextMargins(0, 0, kButtonWidth + 2, 0);
}

}  // namespace lectora
