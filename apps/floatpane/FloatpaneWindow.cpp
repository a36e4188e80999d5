#include "FloatpaneWindow.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTextBlock>
#include <QVBoxLayout>
#include <algorithm>

#include "store/IniFile.h"
#include "store/WindowPlacement.h"

namespace lectora {

namespace {

constexpr const char* kSection = "Floatpane";

}  // namespace

TFloatpaneWindow::TFloatpaneWindow(const QString& placementFile, bool frameless, QWidget* parent)
    : QWidget(parent), placementFile_(placementFile) {
  setObjectName(QStringLiteral("Floatpane"));
  setWindowTitle(QStringLiteral("Floatpane"));
  Qt::WindowFlags flags = windowFlags() | Qt::Window | Qt::WindowStaysOnTopHint;
  if (frameless) flags |= Qt::FramelessWindowHint;
  setWindowFlags(flags);
  text_ = new QPlainTextEdit(this);
  text_->setObjectName(QStringLiteral("FloatpaneText"));
  text_->setAccessibleName(QStringLiteral("Chapter"));
  text_->setReadOnly(true);
  text_->viewport()->installEventFilter(this);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(text_);
  resize(320, 240);
  ReadPlacement();
  positions_.push_back(0);
}

TFloatpaneWindow::~TFloatpaneWindow() = default;

void TFloatpaneWindow::ReadPlacement() {
  if (placementFile_.isEmpty()) return;
  const TMyIniFile ini(placementFile_.toStdString(), true);
  TWindowPlacement placement;
  placement.Left = x();
  placement.Top = y();
  placement.Width = width();
  placement.Height = height();
  ini.ReadWindow(kSection, placement);
  if (!placement.PositionStored) return;
  QRect wanted(placement.Left, placement.Top, std::max(placement.Width, 80),
               std::max(placement.Height, 60));
  // A place on a screen that has gone is moved onto the primary screen.
  const QScreen* screen = QGuiApplication::screenAt(wanted.center());
  if (screen == nullptr && QGuiApplication::primaryScreen() != nullptr) {
    wanted.moveTopLeft(QGuiApplication::primaryScreen()->availableGeometry().topLeft());
  }
  setGeometry(wanted);
}

void TFloatpaneWindow::SavePlacement() const {
  if (placementFile_.isEmpty()) return;
  TMyIniFile ini(placementFile_.toStdString(), false);
  TWindowPlacement placement;
  const QRect frame = normalGeometry().isValid() ? normalGeometry() : geometry();
  placement.Left = frame.x();
  placement.Top = frame.y();
  placement.Width = frame.width();
  placement.Height = frame.height();
  placement.WindowState = isMinimized() ? 1 : 0;
  ini.WriteWindow(kSection, placement);
  ini.UpdateFile();
}

QString TFloatpaneWindow::ShownText() const { return text_->toPlainText(); }

QString TFloatpaneWindow::SelectedText() const {
  return text_->textCursor().selectedText().replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
}

int TFloatpaneWindow::SelectionStart() const { return text_->textCursor().selectionStart(); }

int TFloatpaneWindow::SelectionEnd() const { return text_->textCursor().selectionEnd(); }

void TFloatpaneWindow::SetLetters(const QString& text) { letters_ = text; }

void TFloatpaneWindow::SetCaption(const QString& text) { setWindowTitle(text); }

void TFloatpaneWindow::SetFont(const QString& text) {
  if (text.isEmpty()) return;
  QFont font = text_->font();
  font.setFamily(text);
  text_->setFont(font);
}

void TFloatpaneWindow::SetFontSize(const QString& text) {
  bool ok = false;
  const int size = text.trimmed().toInt(&ok);
  if (!ok || size < 1 || size > 200) return;
  QFont font = text_->font();
  font.setPointSize(size);
  text_->setFont(font);
}

void TFloatpaneWindow::SetFontCharSet(const QString& text) { fontCharSet_ = text.toInt(); }

void TFloatpaneWindow::SetText(const QString& text) {
  QString shown = text;
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  positions_.clear();
  positions_.reserve(static_cast<std::size_t>(shown.size()) + 1);
  for (qsizetype i = 0; i < shown.size(); ++i) {
    if (shown.at(i) != QLatin1Char('\n')) positions_.push_back(static_cast<int>(i));
  }
  positions_.push_back(static_cast<int>(shown.size()));
  text_->setPlainText(shown);
  startPending_ = true;
}

int TFloatpaneWindow::DocumentPosition(int visible) const {
  const int last = static_cast<int>(positions_.size()) - 1;
  return positions_[static_cast<std::size_t>(std::clamp(visible, 0, last))];
}

void TFloatpaneWindow::GoToPos(const QString& text) {
  bool ok = false;
  const int position = text.trimmed().toInt(&ok);
  if (!ok) return;
  if (startPending_) {
    start_ = position;
    startPending_ = false;
    return;
  }
  startPending_ = true;
  const int visible = static_cast<int>(positions_.size()) - 1;
  const int begin = std::clamp(start_, 0, visible);
  const int end = std::clamp(position, 0, visible);
  const int from = DocumentPosition(begin);
  // The end is the first character after the passage: its line break stays out.
  const int to = end > begin ? DocumentPosition(end - 1) + 1 : from;
  QTextCursor cursor(text_->document());
  cursor.setPosition(to);
  text_->setTextCursor(cursor);
  text_->ensureCursorVisible();
  cursor.setPosition(from, QTextCursor::KeepAnchor);
  text_->setTextCursor(cursor);
  text_->ensureCursorVisible();
}

void TFloatpaneWindow::Restore() {
  if (isMinimized()) setWindowState(windowState() & ~Qt::WindowMinimized);
  show();
  raise();
  activateWindow();
}

void TFloatpaneWindow::Close() { close(); }

void TFloatpaneWindow::closeEvent(QCloseEvent* event) {
  SavePlacement();
  event->accept();
}

bool TFloatpaneWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == text_->viewport() && event->type() == QEvent::MouseButtonDblClick &&
      !letters_.isEmpty()) {
    const auto* mouse = static_cast<QMouseEvent*>(event);
    SelectWordAt(text_->cursorForPosition(mouse->position().toPoint()).position());
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

void TFloatpaneWindow::SelectWordAt(int position) {
  const QString all = text_->toPlainText();
  const auto isLetter = [&](int i) {
    return i >= 0 && i < all.size() && letters_.contains(all.at(i));
  };
  int from = position;
  while (isLetter(from - 1)) --from;
  int to = position;
  while (isLetter(to)) ++to;
  QTextCursor cursor(text_->document());
  cursor.setPosition(from);
  cursor.setPosition(to, QTextCursor::KeepAnchor);
  text_->setTextCursor(cursor);
}

}  // namespace lectora
