#include "display/BibleRichEdit1Accessible.h"

#include <QScrollBar>
#include <algorithm>
#include <vector>

#include "display/BibleRichEdit1.h"

namespace lectora {

namespace {

// A plain text with nothing else, so that Qt's own boundary rules (words,
// sentences, paragraphs at "\n") can run over the text with its line ends.
class TPlainAccessibleText final : public QAccessibleTextInterface {
 public:
  explicit TPlainAccessibleText(const QString& text) : text_(text) {}
  void selection(int, int* startOffset, int* endOffset) const override {
    *startOffset = *endOffset = 0;
  }
  int selectionCount() const override { return 0; }
  void addSelection(int, int) override {}
  void removeSelection(int) override {}
  void setSelection(int, int, int) override {}
  int cursorPosition() const override { return 0; }
  void setCursorPosition(int) override {}
  QString text(int startOffset, int endOffset) const override {
    return text_.mid(startOffset, endOffset - startOffset);
  }
  int characterCount() const override { return static_cast<int>(text_.size()); }
  QRect characterRect(int) const override { return {}; }
  int offsetAtPoint(const QPoint&) const override { return -1; }
  void scrollToSubstring(int, int) override {}
  QString attributes(int, int* startOffset, int* endOffset) const override {
    *startOffset = *endOffset = 0;
    return {};
  }

 private:
  const QString& text_;
};

// One laid-out line: the visible positions [Start, End) and its top.
struct TLine {
  int Start = 0;
  int End = 0;
};

std::vector<TLine> LinesOf(const TBibleRichEdit1& edit) {
  std::vector<TLine> lines;
  int before = 0;
  int top = 0;
  for (const TTextBox& box : edit.Boxes()) {
    const int after = before + static_cast<int>(box.Text.size());
    if (lines.empty() || box.Top != top) {
      lines.push_back({before, after});
      top = box.Top;
    } else {
      lines.back().End = after;
    }
    before = after;
  }
  return lines;
}

QAccessibleInterface* Factory(const QString& key, QObject* object) {
  if (key != QLatin1String(TBibleRichEdit1::staticMetaObject.className())) return nullptr;
  auto* edit = qobject_cast<TBibleRichEdit1*>(object);
  return edit ? new TBibleRichEdit1Accessible(edit) : nullptr;
}

}  // namespace

void InstallBibleRichEdit1Accessible() {
  static const bool installed = [] {
    QAccessible::installFactory(Factory);
    return true;
  }();
  (void)installed;
}

TBibleRichEdit1Accessible::TBibleRichEdit1Accessible(TBibleRichEdit1* edit)
    : QAccessibleWidget(edit, QAccessible::EditableText) {}

TBibleRichEdit1* TBibleRichEdit1Accessible::Edit() const {
  return static_cast<TBibleRichEdit1*>(widget());
}

const QString& TBibleRichEdit1Accessible::Visible() const {
  if (cachedRevision_ != Edit()->TextRevision()) {
    cachedVisible_ = Edit()->VisibleText();
    cachedRevision_ = Edit()->TextRevision();
  }
  return cachedVisible_;
}

TBibleRichEdit1Accessible::Shown TBibleRichEdit1Accessible::ShownText() const {
  Shown shown;
  const QString& visible = Visible();
  shown.At.reserve(static_cast<std::size_t>(visible.size()) + 1);
  const std::string& content = Edit()->Content();
  qsizetype v = 0;
  for (std::size_t i = 0; i < content.size(); ++i) {
    const char c = content[i];
    if (c == '\r' || c == '\n') {
      // CR LF is one line end; so is a lone CR or LF.
      if (c == '\n' && i > 0 && content[i - 1] == '\r') continue;
      shown.Text.append(QLatin1Char('\n'));
    } else if (v < visible.size()) {
      shown.At.push_back(static_cast<int>(shown.Text.size()));
      shown.Text.append(visible[v++]);
    }
  }
  shown.At.push_back(static_cast<int>(shown.Text.size()));
  return shown;
}

// ---- QAccessibleInterface ----

QString TBibleRichEdit1Accessible::text(QAccessible::Text t) const {
  switch (t) {
    case QAccessible::Name: {
      if (!widget()->accessibleName().isEmpty()) return widget()->accessibleName();
      for (const QWidget* w = widget(); w != nullptr; w = w->parentWidget()) {
        if (!w->windowTitle().isEmpty()) return w->windowTitle();
      }
      return {};
    }
    case QAccessible::Description:
      if (!widget()->accessibleDescription().isEmpty()) return widget()->accessibleDescription();
      return Edit()->AccessibleDescription();
    default:
      return QAccessibleWidget::text(t);
  }
}

QAccessible::State TBibleRichEdit1Accessible::state() const {
  QAccessible::State s = QAccessibleWidget::state();
  s.readOnly = true;
  s.editable = false;
  s.multiLine = true;
  s.selectableText = true;
  s.focusable = true;
  return s;
}

void* TBibleRichEdit1Accessible::interface_cast(QAccessible::InterfaceType t) {
  if (t == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
  return QAccessibleWidget::interface_cast(t);
}

// ---- selection and caret ----

void TBibleRichEdit1Accessible::selection(int selectionIndex, int* startOffset,
                                          int* endOffset) const {
  *startOffset = *endOffset = 0;
  if (selectionIndex != 0 || selectionCount() == 0) return;
  const int count = characterCount();
  *startOffset = std::clamp(Edit()->SelStart(), 0, count);
  *endOffset = std::clamp(Edit()->SelStart() + Edit()->SelLength(), 0, count);
}

int TBibleRichEdit1Accessible::selectionCount() const { return Edit()->SelLength() > 0 ? 1 : 0; }

void TBibleRichEdit1Accessible::addSelection(int startOffset, int endOffset) {
  setSelection(0, startOffset, endOffset);
}

void TBibleRichEdit1Accessible::removeSelection(int selectionIndex) {
  if (selectionIndex != 0) return;
  Edit()->SetSelLength(0);
  Edit()->update();
}

void TBibleRichEdit1Accessible::setSelection(int selectionIndex, int startOffset, int endOffset) {
  if (selectionIndex != 0) return;
  const int count = characterCount();
  const int a = std::clamp(std::min(startOffset, endOffset), 0, count);
  const int b = std::clamp(std::max(startOffset, endOffset), 0, count);
  Edit()->SetSelStart(a);
  Edit()->SetSelLength(b - a);
  Edit()->update();
}

int TBibleRichEdit1Accessible::cursorPosition() const {
  return std::clamp(Edit()->SelStart() + std::max(Edit()->SelLength(), 0), 0, characterCount());
}

void TBibleRichEdit1Accessible::setCursorPosition(int position) {
  Edit()->SetSelStart(std::clamp(position, 0, characterCount()));
  Edit()->SetSelLength(0);
  Edit()->update();
}

// ---- text ----

QString TBibleRichEdit1Accessible::text(int startOffset, int endOffset) const {
  const QString& visible = Visible();
  const qsizetype from = std::clamp<qsizetype>(startOffset, 0, visible.size());
  const qsizetype to =
      endOffset < 0 ? visible.size() : std::clamp<qsizetype>(endOffset, from, visible.size());
  return visible.mid(from, to - from);
}

int TBibleRichEdit1Accessible::characterCount() const { return static_cast<int>(Visible().size()); }

QString TBibleRichEdit1Accessible::textBeforeOffset(int offset,
                                                    QAccessible::TextBoundaryType boundaryType,
                                                    int* startOffset, int* endOffset) const {
  return Boundary(Side::Before, offset, boundaryType, startOffset, endOffset);
}

QString TBibleRichEdit1Accessible::textAfterOffset(int offset,
                                                   QAccessible::TextBoundaryType boundaryType,
                                                   int* startOffset, int* endOffset) const {
  return Boundary(Side::After, offset, boundaryType, startOffset, endOffset);
}

QString TBibleRichEdit1Accessible::textAtOffset(int offset,
                                                QAccessible::TextBoundaryType boundaryType,
                                                int* startOffset, int* endOffset) const {
  return Boundary(Side::At, offset, boundaryType, startOffset, endOffset);
}

QString TBibleRichEdit1Accessible::Boundary(Side side, int offset,
                                            QAccessible::TextBoundaryType type, int* startOffset,
                                            int* endOffset) const {
  *startOffset = *endOffset = -1;
  const int count = characterCount();
  if (offset == -1) offset = count;
  if (offset < 0 || offset > count) return {};
  if (type == QAccessible::LineBoundary) return LineBoundary(side, offset, startOffset, endOffset);

  const Shown shown = ShownText();
  const TPlainAccessibleText plain(shown.Text);
  const int at = shown.At[static_cast<std::size_t>(offset)];
  int start = -1;
  int end = -1;
  switch (side) {
    case Side::Before:
      plain.textBeforeOffset(at, type, &start, &end);
      break;
    case Side::At:
      plain.textAtOffset(at, type, &start, &end);
      break;
    case Side::After:
      plain.textAfterOffset(at, type, &start, &end);
      break;
  }
  if (start < 0 || end < start) return {};
  // Back to visible positions: the first visible character at or after each
  // shown position.
  const auto back = [&](int p) {
    return static_cast<int>(std::lower_bound(shown.At.begin(), shown.At.end(), p) -
                            shown.At.begin());
  };
  *startOffset = std::min(back(start), count);
  *endOffset = std::min(back(end), count);
  return text(*startOffset, *endOffset);
}

QString TBibleRichEdit1Accessible::LineBoundary(Side side, int offset, int* startOffset,
                                                int* endOffset) const {
  TBibleRichEdit1* edit = Edit();
  if (edit->BoxCount() == 0 && !edit->Fragments().empty()) edit->Layout();
  const std::vector<TLine> lines = LinesOf(*edit);
  if (lines.empty()) return {};
  std::ptrdiff_t index = static_cast<std::ptrdiff_t>(lines.size()) - 1;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (offset < lines[i].End) {
      index = static_cast<std::ptrdiff_t>(i);
      break;
    }
  }
  if (side == Side::Before) --index;
  if (side == Side::After) ++index;
  if (index < 0 || index >= static_cast<std::ptrdiff_t>(lines.size())) return {};
  const TLine& line = lines[static_cast<std::size_t>(index)];
  *startOffset = line.Start;
  *endOffset = line.End;
  return text(line.Start, line.End);
}

// ---- geometry ----

QRect TBibleRichEdit1Accessible::characterRect(int offset) const {
  TBibleRichEdit1* edit = Edit();
  if (edit->BoxCount() == 0 && !edit->Fragments().empty()) edit->Layout();
  const int position = edit->ScrollBar()->value();
  int before = 0;
  for (const TTextBox& box : edit->Boxes()) {
    const int len = static_cast<int>(box.Text.size());
    if (offset >= before && offset < before + len) {
      const TTextFrag& frag = edit->Fragments()[box.Frag];
      const auto k = static_cast<std::size_t>(offset - before);
      const int x0 = box.Left + frag.Width(box.Offset, box.Offset + k);
      const int x1 = box.Left + frag.Width(box.Offset, box.Offset + k + 1);
      const QRect local(x0, box.Top - position, std::max(1, x1 - x0), box.Bottom - box.Top);
      return QRect(edit->mapToGlobal(local.topLeft()), local.size());
    }
    before += len;
  }
  return {};
}

int TBibleRichEdit1Accessible::offsetAtPoint(const QPoint& point) const {
  const TBibleRichEdit1* edit = Edit();
  const QPoint local = edit->mapFromGlobal(point);
  int before = 0;
  if (edit->BoxAt(local.x(), local.y(), before) == nullptr) return -1;
  const int index = edit->CharIndexAt(local.x(), local.y());
  return index < characterCount() ? index : -1;
}

void TBibleRichEdit1Accessible::scrollToSubstring(int startIndex, int endIndex) {
  TBibleRichEdit1* edit = Edit();
  const QRect first = characterRect(startIndex);
  const QRect last = characterRect(std::max(startIndex, endIndex - 1));
  if (first.isNull()) return;
  QScrollBar* bar = edit->ScrollBar();
  const int top = edit->mapFromGlobal(first.topLeft()).y() + bar->value();
  const int bottom =
      (last.isNull() ? top + first.height()
                     : edit->mapFromGlobal(last.bottomLeft()).y() + 1 + bar->value());
  if (top < bar->value()) {
    bar->setValue(top);
  } else if (bottom > bar->value() + edit->height()) {
    bar->setValue(std::min(top, bottom - edit->height()));
  }
}

QString TBibleRichEdit1Accessible::attributes(int offset, int* startOffset, int* endOffset) const {
  *startOffset = *endOffset = offset;
  int before = 0;
  for (const TTextFrag& frag : Edit()->Fragments()) {
    const auto visible = static_cast<int>(std::count_if(
        frag.Text.begin(), frag.Text.end(), [](char c) { return c != '\r' && c != '\n'; }));
    if (offset >= before && offset < before + visible) {
      *startOffset = before;
      *endOffset = before + visible;
      const QFont& font = frag.Font.Font;
      const QColor& color = frag.Font.Color;
      QString attrs = QStringLiteral("font-family:%1;").arg(font.family());
      if (font.pointSizeF() > 0) attrs += QStringLiteral("font-size:%1pt;").arg(font.pointSizeF());
      attrs += QStringLiteral("font-weight:%1;font-style:%2;color:rgb(%3,%4,%5);")
                   .arg(font.bold() ? QStringLiteral("bold") : QStringLiteral("normal"),
                        font.italic() ? QStringLiteral("italic") : QStringLiteral("normal"))
                   .arg(color.red())
                   .arg(color.green())
                   .arg(color.blue());
      return attrs;
    }
    before += visible;
  }
  return {};
}

}  // namespace lectora
