#include "display/BibleRichEdit1.h"

#include <QAccessible>
#include <QAction>
#include <QByteArray>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QWheelEvent>
#include <algorithm>
#include <cstdint>

#include "display/BibleRichEdit1Accessible.h"
#include "display/ContrastColor.h"
#include "display/QtText.h"
#include "display/RtfCopy.h"
#include "store/TextRoutines.h"

namespace lectora {

namespace {

constexpr int kMaxScrollStep = 32767;
// Fonts measured by one control rarely exceed a handful; the cache is
// dropped at Clear once it grows past this, so that font changes over a
// long session cannot pile up tables.
constexpr std::size_t kMaxCachedFonts = 32;

bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }

// Restores a flag when the scope ends, however it ends.
class TFlagRestorer {
 public:
  TFlagRestorer(bool& flag, bool value) : flag_(flag), saved_(flag) { flag_ = value; }
  ~TFlagRestorer() { flag_ = saved_; }
  TFlagRestorer(const TFlagRestorer&) = delete;
  TFlagRestorer& operator=(const TFlagRestorer&) = delete;

 private:
  bool& flag_;
  bool saved_;
};

}  // namespace

TBibleRichEdit1::TBibleRichEdit1(TDisplayContext& context, QWidget* parent)
    : QWidget(parent), context_(context), scrollBar_(new QScrollBar(Qt::Vertical, this)) {
  InstallBibleRichEdit1Accessible();
  resize(150, 90);
  setFocusPolicy(Qt::ClickFocus);
  color_ = palette().color(QPalette::Base);
  font_.Font = QWidget::font();
  canvas_ = font_;
  scrollBar_->setRange(0, 0);
  scrollBar_->setEnabled(false);
  // The keys belong to the control: a focused scroll bar would act on the
  // press and let the release through to the control, which acts again.
  scrollBar_->setFocusPolicy(Qt::NoFocus);
  scrollBar_->setFocusProxy(this);
  scrollBar_->installEventFilter(this);
  connect(scrollBar_, &QScrollBar::valueChanged, this, &TBibleRichEdit1::ScrollChanged);
  PlaceScrollBar();
  SetSelLength(0);
}

TBibleRichEdit1::~TBibleRichEdit1() = default;

std::bitset<256> TBibleRichEdit1::DefaultLetters() {
  std::bitset<256> letters;
  for (int c = '0'; c <= '9'; ++c) letters.set(static_cast<std::size_t>(c));
  for (int c = 'A'; c <= 'Z'; ++c) letters.set(static_cast<std::size_t>(c));
  for (int c = 'a'; c <= 'z'; ++c) letters.set(static_cast<std::size_t>(c));
  for (int c = 192; c <= 255; ++c) letters.set(static_cast<std::size_t>(c));
  return letters;
}

QAction* TBibleRichEdit1::CopyBtn() const { return copyBtn_; }

void TBibleRichEdit1::SetCopyBtn(QAction* action) { copyBtn_ = action; }

QMenu* TBibleRichEdit1::PopupMenu() const { return popupMenu_; }

void TBibleRichEdit1::SetPopupMenu(QMenu* menu) { popupMenu_ = menu; }

void TBibleRichEdit1::SetColor(const QColor& color) {
  color_ = color;
  colorSet_ = true;
  update();
}

QColor TBibleRichEdit1::ShownColor(const QColor& stored) {
  RefreshShownColors();
  return CachedShownColor(stored);
}

void TBibleRichEdit1::RefreshShownColors() {
  const QRgb text = palette().color(QPalette::Text).rgb();
  if (shownBackground_ == color_.rgb() && shownText_ == text) return;
  shownColors_.clear();
  shownBackground_ = color_.rgb();
  shownText_ = text;
}

QColor TBibleRichEdit1::CachedShownColor(const QColor& stored) {
  const QRgb key = stored.rgb();
  for (const auto& [from, shown] : shownColors_) {
    if (from == key) return shown;
  }
  shownColors_.emplace_back(key, ShownTextColor(stored, color_, QColor(shownText_)));
  return shownColors_.back().second;
}

void TBibleRichEdit1::changeEvent(QEvent* event) {
  // A dark desktop theme (or the reader's palette choice) arrives as a
  // palette change; the text follows it unless an owner chose a colour.
  if (event->type() == QEvent::PaletteChange && !colorSet_) {
    color_ = palette().color(QPalette::Base);
    update();
  }
  QWidget::changeEvent(event);
}

// ---- filling ----

void TBibleRichEdit1::Clear(bool resetScroll) {
  content_.clear();
  visibleLength_ = 0;
  selStart_ = 0;
  SetSelLength(0);
  boxes_.clear();
  textLength_ = 0;
  fragments_.clear();
  ++textRevision_;
  if (widthCache_.size() > kMaxCachedFonts) widthCache_.clear();
  // After the text is gone, so that the repaint this may cause shows the
  // empty control.
  if (resetScroll) scrollBar_->setValue(0);
}

void TBibleRichEdit1::AddText(std::string_view s) {
  std::vector<std::string> marks;
  marks.reserve(context_.SearchWords.size());
  for (const std::string& word : context_.SearchWords) marks.push_back(LowerCase1251(word));

  content_.reserve(content_.size() + s.size());
  std::size_t fragStart = content_.size();
  std::size_t fragEnd = content_.size();
  const QColor savedColor = canvas_.Color;
  bool inWord = false;
  std::size_t wordStart = 0;    // in s
  std::size_t wordContent = 0;  // where the word's first character went in content_

  const auto flush = [&] {
    AddFragment(content_.substr(fragStart, fragEnd - fragStart));
    fragStart = fragEnd;
  };
  const auto copy = [&](char c) {
    content_.push_back(c);
    fragEnd = content_.size();
    if (!IsLineEnd(c)) ++visibleLength_;
  };

  for (std::size_t i = 0; i < s.size(); ++i) {
    const char c = s[i];
    const bool letter = Letters[static_cast<unsigned char>(c)];
    if (!inWord && letter) {
      inWord = true;
      wordStart = i;
      wordContent = content_.size();
    }
    if (inWord && !letter) {
      inWord = false;
      if (!marks.empty()) {
        const std::string word = LowerCase1251(s.substr(wordStart, i - wordStart));
        if (std::find(marks.begin(), marks.end(), word) != marks.end()) {
          // The text before the word, then the word as a fragment of its own.
          fragEnd = std::max(wordContent, fragStart);
          flush();
          fragEnd = content_.size();
          const QColor kept = canvas_.Color;
          if (ColorMarks) canvas_.Color = context_.MarkColor;
          flush();
          canvas_.Color = kept;
        }
      }
    }
    switch (c) {
      case '\\':
        flush();
        canvas_.Font.setBold(!canvas_.Font.bold());
        break;
      case '|':
        flush();
        canvas_.Font.setItalic(!canvas_.Font.italic());
        break;
      case '{':
        flush();
        copy(c);
        if (ColorMarks) canvas_.Color = context_.BraceColor;
        break;
      case '}':
        copy(c);
        flush();
        canvas_.Color = savedColor;
        break;
      default:
        copy(c);
    }
  }
  flush();
}

void TBibleRichEdit1::AddPairCharset(std::string_view head, std::string_view body, int bodyCharset,
                                     int headCharset) {
  canvas_ = font_;
  canvas_.Font.setBold(true);
  canvas_.Font.setItalic(false);
  canvas_.Charset = headCharset;
  AddText(head);
  canvas_.Font.setBold(false);
  canvas_.Font.setItalic(false);
  canvas_.Charset = bodyCharset;
  AddText(body);
}

void TBibleRichEdit1::AddPair(std::string_view head, std::string_view body) {
  AddPairCharset(head, body, font_.Charset, font_.Charset);
}

void TBibleRichEdit1::AddFragment(std::string text) {
  TTextFrag frag;
  frag.Font = canvas_;
  frag.Text = std::move(text);
  frag.Widths = WidthsFor(canvas_);
  fragments_.push_back(std::move(frag));
  ++textRevision_;
  // Boxes laid out before this text would no longer cover Content(); the
  // next paint lays everything out again.
  if (!boxes_.empty()) {
    boxes_.clear();
    textLength_ = 0;
  }
}

std::shared_ptr<const TFontWidths> TBibleRichEdit1::WidthsFor(const TTextFont& font) {
  for (auto it = widthCache_.rbegin(); it != widthCache_.rend(); ++it) {
    if ((*it)->Matches(font.Font, font.Charset)) return *it;
  }
  widthCache_.push_back(std::make_shared<const TFontWidths>(font.Font, font.Charset));
  return widthCache_.back();
}

// ---- layout ----

void TBibleRichEdit1::PlaceScrollBar() {
  const int barWidth = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, scrollBar_);
  scrollBar_->setGeometry(width() - barWidth, 0, barWidth, height());
}

void TBibleRichEdit1::EnsureLayout() {
  if (!fragments_.empty() && boxes_.empty()) Layout();
}

void TBibleRichEdit1::Layout() {
  PlaceScrollBar();
  boxes_.clear();
  layoutX_ = 0;
  layoutY_ = 0;
  textLength_ = 0;
  for (std::size_t f = 0; f < fragments_.size(); ++f) LayoutFragment(f);

  const int lastBottom = boxes_.empty() ? 0 : boxes_.back().Bottom;
  const int excess = lastBottom - height();
  if (!boxes_.empty()) {
    const std::int64_t step =
        2 * static_cast<std::int64_t>(lastBottom) / static_cast<std::int64_t>(boxes_.size());
    if (step > 0)
      scrollBar_->setSingleStep(static_cast<int>(std::min<std::int64_t>(step, kMaxScrollStep)));
  }
  if (excess > 0) {
    scrollBar_->setPageStep(
        std::clamp(scrollBar_->height() - scrollBar_->singleStep(), 1, kMaxScrollStep));
    scrollBar_->setMaximum(lastBottom - scrollBar_->height());
  } else {
    scrollBar_->setMaximum(0);
  }
  scrollBar_->setEnabled(excess > 0);
  // Owners fill the control and then show it, which lays it out: the text
  // is complete here.
  NotifyTextChanged();
}

void TBibleRichEdit1::NewLine() {
  layoutX_ = 0;
  if (!boxes_.empty()) layoutY_ += boxes_.back().Bottom - boxes_.back().Top;
}

// Positions are 1-based as in Text[first .. last]. Break candidates are
// spaces; a line's trailing break space stays on it. Where no break fits on
// an otherwise empty line, the run up to the next space (or the fragment's
// end) is placed whole and may run past the edge.
void TBibleRichEdit1::LayoutFragment(std::size_t f) {
  TTextFrag& frag = fragments_[f];
  std::replace(frag.Text.begin(), frag.Text.end(), '\t', ' ');
  frag.Measure();
  const std::string& text = frag.Text;
  const std::size_t n = text.size();
  const int edge = scrollBar_->x();
  const auto avail = [&] { return edge - layoutX_; };
  // Width of Text[first .. last]; 0 when empty.
  const auto width = [&](std::size_t first, std::size_t last) {
    return last >= first ? frag.Width(first - 1, last) : 0;
  };

  std::size_t segStart = 1;
  std::size_t lastBreak = 0;
  for (std::size_t i = 1; i <= n; ++i) {
    const char c = text[i - 1];
    if (IsLineEnd(c)) {
      if (i < segStart) continue;  // the LF of a CR LF
      // The last words before a line end wrap like those at a fragment's end
      // rather than run past the edge.
      FinishSegment(f, segStart, lastBreak, i);
      NewLine();
      segStart = (c == '\r' && i < n && text[i] == '\n') ? i + 2 : i + 1;
    } else if (c == ' ') {
      if (width(segStart, i - 1) < avail()) {
        lastBreak = i;
      } else if (lastBreak >= segStart || layoutX_ > 0) {
        AddBox(f, segStart, lastBreak);  // empty when no break fits on this line
        NewLine();
        if (lastBreak >= segStart) segStart = lastBreak + 1;
        // The run since the break may already be a break candidate on the
        // new line, or too wide for any line.
        if (width(segStart, i - 1) < avail()) {
          lastBreak = i;
        } else {
          AddBox(f, segStart, i);
          NewLine();
          segStart = i + 1;
        }
      } else {
        AddBox(f, segStart, i);
        NewLine();
        segStart = i + 1;
      }
    }
  }

  FinishSegment(f, segStart, lastBreak, n + 1);
}

void TBibleRichEdit1::FinishSegment(std::size_t f, std::size_t segStart, std::size_t lastBreak,
                                    std::size_t end) {
  const TTextFrag& frag = fragments_[f];
  const int tail = end - 1 >= segStart ? frag.Width(segStart - 1, end - 1) : 0;
  if (tail <= scrollBar_->x() - layoutX_) lastBreak = end;
  if (lastBreak >= segStart) AddBox(f, segStart, lastBreak - 1);
  if (end > lastBreak) {
    // The break space opens the new line; a run that fits nowhere stays on
    // the line it starts when that line is still empty.
    const std::size_t from = std::max(lastBreak, segStart);
    if (layoutX_ > 0) NewLine();
    AddBox(f, from, end - 1);
  }
}

void TBibleRichEdit1::AddBox(std::size_t f, std::size_t first, std::size_t last) {
  const TTextFrag& frag = fragments_[f];
  const std::size_t count = last >= first ? last - first + 1 : 0;
  const std::size_t offset = first - 1;
  textLength_ += static_cast<int>(count);
  const int w = frag.Width(offset, offset + count);
  if (!boxes_.empty() && boxes_.back().Top < layoutY_) {
    TTextBox& previous = boxes_.back();
    previous.Right = std::max(previous.Left, scrollBar_->x() - 1);
  }
  TTextBox box;
  box.Frag = f;
  box.Offset = offset;
  box.Text = frag.Text.substr(offset, count);
  box.Shown = frag.Unicode().mid(static_cast<qsizetype>(offset), static_cast<qsizetype>(count));
  box.Left = layoutX_;
  box.Top = layoutY_;
  box.Right = layoutX_ + w;
  box.Bottom = layoutY_ + frag.Widths->Height();
  boxes_.push_back(std::move(box));
  layoutX_ += w;
}

// ---- painting ----

void TBibleRichEdit1::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  // Rows that no box covers (under a lower box of a taller line) show the
  // background rather than whatever was there before.
  painter.fillRect(rect(), color_);
  Paint(painter);
}

void TBibleRichEdit1::FillArea(QPainter& painter, int left, int top, int right, int bottom) {
  if (right > left && bottom > top) painter.fillRect(left, top, right - left, bottom - top, color_);
}

void TBibleRichEdit1::DrawPiece(QPainter& painter, const TTextBox& box, std::size_t from,
                                std::size_t to, const QColor& brush, const QColor& pen, int& x,
                                int y0, int y1) {
  const TTextFrag& frag = fragments_[box.Frag];
  const int w = frag.Width(box.Offset + from, box.Offset + to);
  const int r = std::min(x + w, scrollBar_->x());
  if (r > x && y1 > y0) {
    const QRect area(x, y0, r - x, y1 - y0);
    painter.fillRect(area, brush);
    if (to > from) {
      painter.setClipRect(area);
      painter.setPen(pen);
      painter.drawText(
          QPoint(x, y0 + frag.Widths->Ascent()),
          box.Shown.mid(static_cast<qsizetype>(from), static_cast<qsizetype>(to - from)));
      painter.setClipping(false);
    }
  }
  x = r;
}

void TBibleRichEdit1::Paint(QPainter& painter) {
  const TFlagRestorer guard(painting_, true);
  EnsureLayout();
  const int edge = scrollBar_->x();
  const int position = scrollBar_->value();
  const QColor highlight = palette().color(QPalette::Highlight);
  const QColor highlightText = palette().color(QPalette::HighlightedText);
  RefreshShownColors();
  std::int64_t before = 0;
  int y1 = -1;
  for (const TTextBox& box : boxes_) {
    const auto len = static_cast<std::int64_t>(box.Text.size());
    const std::int64_t start = before;
    before += len;
    y1 = box.Bottom - position + 1;
    if (y1 < 0) continue;
    const std::int64_t s = static_cast<std::int64_t>(selStart_) - start;
    const std::int64_t e = s + selLength_;
    const auto sel0 = static_cast<std::size_t>(std::clamp<std::int64_t>(s, 0, len));
    const auto sel1 = static_cast<std::size_t>(std::clamp<std::int64_t>(e, 0, len));
    const int y0 = box.Top - position;
    const TTextFrag& frag = fragments_[box.Frag];
    painter.setFont(frag.Widths->DrawFont());
    int x = box.Left;
    const QColor pen = CachedShownColor(frag.Font.Color);
    if (sel0 > 0) DrawPiece(painter, box, 0, sel0, color_, pen, x, y0, y1);
    if (sel0 < sel1) DrawPiece(painter, box, sel0, sel1, highlight, highlightText, x, y0, y1);
    DrawPiece(painter, box, std::max(sel0, sel1), static_cast<std::size_t>(len), color_, pen, x, y0,
              y1);
    FillArea(painter, x, y0, edge, y1);
    if (height() < y0) return;  // the rest is below the view
  }
  if (!boxes_.empty()) {
    const TTextBox& last = boxes_.back();
    FillArea(painter, last.Right, last.Top - position, edge, last.Bottom - position);
  }
  FillArea(painter, 0, y1 + 1, edge, height());
}

// ---- hit testing ----

const TTextBox* TBibleRichEdit1::BoxAt(int x, int y, int& before) const {
  const int position = scrollBar_->value();
  before = 0;
  for (const TTextBox& box : boxes_) {
    if (box.Left <= x && x <= box.Right && box.Top - position <= y && y <= box.Bottom - position) {
      return &box;
    }
    before += static_cast<int>(box.Text.size());
  }
  return nullptr;
}

int TBibleRichEdit1::CharInBox(int x, const TTextBox* box) const {
  if (box == nullptr || box->Text.empty()) return 0;
  const TTextFrag& frag = fragments_[box->Frag];
  const auto len = static_cast<std::int64_t>(box->Text.size());
  const std::int64_t dx = std::max(0, x - box->Left);
  std::int64_t k = len;
  for (int estimate = 0; estimate < 4; ++estimate) {
    const std::int64_t previous = k;
    const int w = frag.Width(box->Offset, box->Offset + static_cast<std::size_t>(k));
    if (w <= 0) break;  // characters without width: keep the estimate
    k = std::clamp<std::int64_t>(dx * k / w + 1, 1, len);
    if (k == previous) break;
  }
  return static_cast<int>(k);
}

int TBibleRichEdit1::CharIndexAt(int x, int y) const {
  int before = 0;
  const TTextBox* box = BoxAt(x, y, before);
  const int k = CharInBox(x, box);
  return k > 0 ? before + k - 1 : before;
}

// ---- selection ----

void TBibleRichEdit1::SetSelLength(int length) {
  selLength_ = length;
  if (copyBtn_) {
    copyBtn_->setEnabled(length >= 1);
    context_.SelectionOwner = copyBtn_->isEnabled() ? this : nullptr;
  }
  NotifySelection();
}

std::string TBibleRichEdit1::SelText() const {
  if (selLength_ <= 0) return {};
  const std::int64_t selEnd = static_cast<std::int64_t>(selStart_) + selLength_;
  std::size_t from = content_.size();
  std::size_t to = content_.size();
  std::int64_t visible = 0;
  for (std::size_t i = 0; i < content_.size(); ++i) {
    if (IsLineEnd(content_[i])) continue;
    if (visible == selStart_ && from == content_.size()) from = i;
    if (visible == selEnd) {
      to = i;
      break;
    }
    ++visible;
  }
  return from < to ? content_.substr(from, to - from) : std::string();
}

void TBibleRichEdit1::SelectAll() {
  EnsureLayout();
  selStart_ = 0;
  SetSelLength(textLength_);
  repaint();
}

void TBibleRichEdit1::PrepareCopy() {
  TCopyRenderings copy = lectora::PrepareCopy(fragments_, selStart_, selLength_);
  copyText_ = std::move(copy.Text);
  copyRtf_ = std::move(copy.Rtf);
  copyUnicode_ = std::move(copy.Unicode);
  copyCodePage_ = copy.CodePage;
}

QString TBibleRichEdit1::EightBitMimeType(int codePage) {
  return QStringLiteral("text/plain;charset=windows-%1").arg(codePage);
}

bool TBibleRichEdit1::CopyToClipboard() {
  PrepareCopy();
  if (copyText_.empty()) return false;
  const TFlagRestorer watch(context_.ClipboardWatch, false);
  auto data = std::make_unique<QMimeData>();
  data->setText(QString::fromStdU16String(copyUnicode_));
  // Without the trailing NUL: the MIME data carries its own length.
  const QByteArray rtf(copyRtf_.data(), static_cast<qsizetype>(copyRtf_.size()) - 1);
  data->setData(QStringLiteral("text/rtf"), rtf);
  data->setData(QStringLiteral("text/richtext"), rtf);
  data->setData(QStringLiteral("application/rtf"), rtf);
  data->setData(EightBitMimeType(copyCodePage_),
                QByteArray(copyText_.data(), static_cast<qsizetype>(copyText_.size())));
  QGuiApplication::clipboard()->setMimeData(data.release());
  return true;
}

void TBibleRichEdit1::ShowActive() {
  EnsureLayout();
  if (ActiveVerse == 1) {
    scrollBar_->setValue(0);
    return;
  }
  int top = 0;
  int bottom = 0;
  std::size_t c = 0;
  for (const TTextBox& box : boxes_) {
    c += box.Text.size();
    if (top == 0 && c > static_cast<std::size_t>(std::max(ActiveStart, 0))) top = box.Top;
    if (c >= static_cast<std::size_t>(std::max(ActiveEnd, 0))) {
      bottom = box.Bottom;
      break;
    }
    // Every line end closes a box; step over the one after this box.
    if (c < content_.size() && content_[c] == '\r') ++c;
    if (c < content_.size() && content_[c] == '\n') ++c;
  }
  const int position = scrollBar_->value();
  if (top < position) scrollBar_->setValue(top);
  if (position + height() < bottom) scrollBar_->setValue(bottom - height());
  NotifyDescription();
}

// ---- screen readers ----

void TBibleRichEdit1::SetActiveVerseDescription(const QString& description) {
  activeVerseDescription_ = description;
  NotifyDescription();
}

QString TBibleRichEdit1::AccessibleDescription() const {
  QString verse;
  const auto start = static_cast<std::size_t>(std::max(ActiveStart, 0));
  const auto end = std::min(static_cast<std::size_t>(std::max(ActiveEnd, 0)), content_.size());
  if (ActiveVerse != 0 && start < end) {
    // Content() does not say which charset each part is in; the fragments
    // do. Walk them alongside Content(), which they cover in order.
    std::size_t at = 0;
    for (const TTextFrag& frag : fragments_) {
      const std::size_t fragEnd = at + frag.Text.size();
      const std::size_t from = std::max(at, start);
      const std::size_t to = std::min(fragEnd, end);
      if (from < to)
        verse += DecodeCharset(std::string_view(frag.Text).substr(from - at, to - from),
                               frag.Font.Charset);
      at = fragEnd;
      if (at >= end) break;
    }
    verse = verse.simplified();  // line ends and runs of blanks as one blank
  }
  if (activeVerseDescription_.isEmpty()) return verse;
  if (verse.isEmpty()) return activeVerseDescription_;
  return activeVerseDescription_ + QStringLiteral(": ") + verse;
}

QString TBibleRichEdit1::VisibleText() const {
  QString text;
  text.reserve(visibleLength_);
  for (const TTextFrag& frag : fragments_) {
    const QString decoded = DecodeCharset(frag.Text, frag.Font.Charset);
    for (const QChar c : decoded) {
      if (c != QLatin1Char('\r') && c != QLatin1Char('\n')) text.append(c);
    }
  }
  return text;
}

void TBibleRichEdit1::NotifyTextChanged() {
  if (announcedRevision_ == textRevision_) return;
  announcedRevision_ = textRevision_;
  if (!QAccessible::isActive()) {
    announcedText_.clear();
    return;
  }
  QString text = VisibleText();
  QAccessibleTextUpdateEvent update(this, 0, announcedText_, text);
  QAccessible::updateAccessibility(&update);
  announcedText_ = std::move(text);
  NotifyDescription();
}

void TBibleRichEdit1::NotifySelection() {
  if (selStart_ == announcedSelStart_ && selLength_ == announcedSelLength_) return;
  announcedSelStart_ = selStart_;
  announcedSelLength_ = selLength_;
  if (!QAccessible::isActive()) return;
  const int caret = selStart_ + std::max(selLength_, 0);
  if (selLength_ > 0) {
    QAccessibleTextSelectionEvent selection(this, selStart_, caret);
    selection.setCursorPosition(caret);
    QAccessible::updateAccessibility(&selection);
  }
  QAccessibleTextCursorEvent cursor(this, caret);
  QAccessible::updateAccessibility(&cursor);
}

void TBibleRichEdit1::NotifyDescription() {
  if (!QAccessible::isActive()) return;
  QString description = AccessibleDescription();
  if (description == announcedDescription_) return;
  announcedDescription_ = std::move(description);
  QAccessibleEvent changed(this, QAccessible::DescriptionChanged);
  QAccessible::updateAccessibility(&changed);
}

// ---- scrolling ----

void TBibleRichEdit1::ScrollChanged() {
  if (!painting_) repaint();
}

void TBibleRichEdit1::ScrollBy(int delta) { scrollBar_->setValue(scrollBar_->value() + delta); }

void TBibleRichEdit1::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  Layout();
  repaint();
}

void TBibleRichEdit1::wheelEvent(QWheelEvent* event) {
  if (event->angleDelta().y() >= 0) {
    ScrollBy(-scrollBar_->singleStep());
  } else {
    ScrollBy(scrollBar_->singleStep());
  }
  event->accept();
}

// ---- mouse ----

void TBibleRichEdit1::UpdateMenu() {
  if (!popupMenu_) return;
  const std::string text = SelText();
  const QList<QAction*> items = popupMenu_->actions();
  const TEnableFunction* enables[] = {&Enable0, &Enable1, &Enable2, &Enable3};
  for (int n = 0; n < 4; ++n) {
    if (*enables[n] && n < items.size()) items[n]->setEnabled((*enables[n])(text));
  }
}

void TBibleRichEdit1::MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x,
                                int y) {
  UpdateMenu();
  if (modifiers & Qt::ShiftModifier) {
    const int k = CharIndexAt(x, y);
    anchor_ = k < anchor_ ? selStart_ + selLength_ : selStart_;
  } else if (button == Qt::LeftButton) {
    anchor_ = CharIndexAt(x, y);
  }
}

void TBibleRichEdit1::mousePressEvent(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  MouseDown(event->button(), event->modifiers(), pos.x(), pos.y());
  Q_EMIT OnMouseDown(event->button(), event->modifiers(), pos);
  QWidget::mousePressEvent(event);
}

void TBibleRichEdit1::mouseMoveEvent(QMouseEvent* event) {
  if (event->buttons() & Qt::LeftButton) {
    const QPoint pos = event->position().toPoint();
    dragIndex_ = CharIndexAt(pos.x(), pos.y());
    if (dragIndex_ > anchor_) {
      selStart_ = anchor_;
      SetSelLength(dragIndex_ - anchor_);
    } else {
      selStart_ = dragIndex_;
      SetSelLength(anchor_ - dragIndex_);
    }
    if (selStart_ != context_.LastPaintedSelStart || selLength_ != context_.LastPaintedSelLength) {
      repaint();
      context_.LastPaintedSelStart = selStart_;
      context_.LastPaintedSelLength = selLength_;
    }
  }
  QWidget::mouseMoveEvent(event);
}

void TBibleRichEdit1::MouseUp(Qt::MouseButton button, int x, int y) {
  if (button == Qt::LeftButton) {
    int before = 0;
    const TTextBox* box = BoxAt(x, y, before);
    const int k = CharInBox(x, box);
    const int cur = k > 0 ? before + k - 1 : before;
    dragIndex_ = cur;
    if (anchor_ < cur) {
      selStart_ = anchor_;
      SetSelLength(cur - anchor_);
    } else if (AutoMark && cur == anchor_) {
      const auto len = box ? static_cast<int>(box->Text.size()) : 0;
      const auto isLetter = [&](int p) {  // p is 1-based
        return Letters[static_cast<unsigned char>(box->Text[static_cast<std::size_t>(p - 1)])];
      };
      if (k >= 1 && k <= len && isLetter(k)) {
        int start = k;
        while (start >= 1 && isLetter(start)) --start;
        int end = k;
        while (end <= len && isLetter(end)) ++end;
        selStart_ = before + start;
        SetSelLength(end - start - 1);
      } else {
        selStart_ = anchor_;
        SetSelLength(0);
      }
    } else {
      selStart_ = cur;
      SetSelLength(anchor_ - cur);
    }
    repaint();
  }
  if (copyBtn_) copyBtn_->setEnabled(selLength_ > 0);
  // The keys below reach the control itself (the scroll bar passes on the
  // focus and its keys), so each acts once.
  setFocus(Qt::MouseFocusReason);
}

void TBibleRichEdit1::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  MouseUp(event->button(), pos.x(), pos.y());
  QWidget::mouseReleaseEvent(event);
}

void TBibleRichEdit1::mouseDoubleClickEvent(QMouseEvent* event) {
  // The second press of a double click is still a press.
  mousePressEvent(event);
  Q_EMIT OnDblClick();
}

void TBibleRichEdit1::contextMenuEvent(QContextMenuEvent* event) {
  if (popupMenu_) {
    popupMenu_->popup(event->globalPos());
    event->accept();
  } else {
    QWidget::contextMenuEvent(event);
  }
}

// ---- keys ----

bool TBibleRichEdit1::CtrlKeys(const QKeyEvent& event) {
  if (!(event.modifiers() & Qt::ControlModifier)) return false;
  if (event.key() == Qt::Key_A) {
    SelectAll();
    return true;
  }
  if (event.key() == Qt::Key_C) {
    CopyToClipboard();
    return true;
  }
  return false;
}

void TBibleRichEdit1::keyPressEvent(QKeyEvent* event) {
  Q_EMIT OnKeyDown(event->key(), event->modifiers());
  QWidget::keyPressEvent(event);
}

void TBibleRichEdit1::keyReleaseEvent(QKeyEvent* event) {
  // Held keys repeat their release; act once, when the key is let go.
  if (!event->isAutoRepeat() && !CtrlKeys(*event) && !(event->modifiers() & Qt::ControlModifier)) {
    switch (event->key()) {
      case Qt::Key_PageUp:
        ScrollBy(-scrollBar_->pageStep());
        break;
      case Qt::Key_PageDown:
        ScrollBy(scrollBar_->pageStep());
        break;
      case Qt::Key_Up:
        ScrollBy(-scrollBar_->singleStep());
        break;
      case Qt::Key_Down:
        ScrollBy(scrollBar_->singleStep());
        break;
      default:
        break;
    }
  }
  Q_EMIT OnKeyUp(event->key(), event->modifiers());
  QWidget::keyReleaseEvent(event);
}

bool TBibleRichEdit1::eventFilter(QObject* watched, QEvent* event) {
  if (watched == scrollBar_ &&
      (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease)) {
    // Keys that reach the scroll bar all the same are the control's: sent
    // on to it (and, unhandled, from it to its parents, as its own keys
    // are), and kept from the bar, which would scroll on the press. Accepted
    // here, or the application would offer them to the control again.
    QCoreApplication::sendEvent(this, event);
    event->accept();
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace lectora
