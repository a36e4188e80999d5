// The read-only verse text control: keeps styled runs of 8-bit text, breaks
// them into lines itself, paints the visible lines with a selection, turns
// mouse gestures into a character selection and copies the selection to the
// clipboard as Unicode text, Rich Text Format and 8-bit text, and tells
// screen readers (through TBibleRichEdit1Accessible) what it shows and what
// is selected. Appended text may carry a
// tiny markup: "\" toggles bold, "|" italic, "{...}" is a note drawn in the
// brace colour; words of the last search become runs of their own, drawn in
// the mark colour.
//
// Selection indices count the visible characters (not CR, not LF) of
// Content(), from 0; Content(), fragments and boxes are 8-bit, so indices
// count bytes.
#pragma once

#include <QColor>
#include <QPointer>
#include <QWidget>
#include <bitset>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "display/DisplayContext.h"
#include "display/TextBox.h"
#include "display/TextFrag.h"

class QAction;
class QMenu;
class QPainter;
class QScrollBar;

namespace lectora {

// Decides whether a popup menu item is enabled for the selected text.
using TEnableFunction = std::function<bool(const std::string& selText)>;

class TBibleRichEdit1 : public QWidget {
  Q_OBJECT

 public:
  // `context` is shared by all controls and must outlive this one.
  explicit TBibleRichEdit1(TDisplayContext& context, QWidget* parent = nullptr);
  ~TBibleRichEdit1() override;

  // ---- filling ----

  // Empties the text and the selection; with `resetScroll` scrolls to the
  // top. Leaves ActiveVerse, ActiveStart and ActiveEnd alone; does not
  // repaint (but moving the scroll bar does).
  virtual void Clear(bool resetScroll);
  // Appends `s` (8-bit, with markup) in the current canvas font. Builds
  // fragments only; text appended after a layout is laid out again at the
  // next paint.
  void AddText(std::string_view s);
  // Appends `head` in bold in `headCharset`, then `body` in the regular
  // style in `bodyCharset`, both starting from Font().
  void AddPairCharset(std::string_view head, std::string_view body, int bodyCharset,
                      int headCharset);
  // AddPairCharset with both charsets those of Font().
  void AddPair(std::string_view head, std::string_view body);

  // The control's font: the starting style of AddPair. Owners colour a pair
  // by setting Font().Color before appending it.
  TTextFont& Font() { return font_; }
  void SetFont(const TTextFont& font) { font_ = font; }
  // The style AddText starts from; AddText and AddPair change it.
  TTextFont& CanvasFont() { return canvas_; }

  // ---- layout, painting, hit testing ----

  // Rebuilds all boxes from the fragments for the present width and sets up
  // the scroll bar. Every character of the fragments lands in exactly one
  // box, in order (TABs become spaces in the fragments; Content() keeps
  // them); a run too wide for a whole line runs past the right edge and is
  // clipped when painted.
  void Layout();
  // Paints the visible boxes with `painter` (widget coordinates); lays out
  // first when there are fragments but no boxes.
  void Paint(QPainter& painter);
  // The box under (x, y) in widget coordinates, or null; `before` receives
  // the visible characters of the boxes before it (the total when null).
  const TTextBox* BoxAt(int x, int y, int& before) const;
  // The 1-based position in `box` of the character under `x`; 0 for a null
  // or empty box. Estimated proportionally, at most four times.
  int CharInBox(int x, const TTextBox* box) const;
  // The visible-character index under (x, y); TextLength() past the text.
  int CharIndexAt(int x, int y) const;

  // ---- selection and copying ----

  int SelStart() const { return selStart_; }
  void SetSelStart(int start) { selStart_ = start; }
  int SelLength() const { return selLength_; }
  // Sets the length and, when CopyBtn() is set, enables it for a non-empty
  // selection and makes this control the context's SelectionOwner (or
  // clears the owner).
  void SetSelLength(int length);
  // Does nothing: the control is read-only. Kept for owners that call it.
  void SetSelTextBuf(const char* /*text*/) {}
  // The selected part of Content(), CR and LF inside it included.
  std::string SelText() const;
  // Selects every laid-out character and repaints.
  void SelectAll();
  // Builds CopyText(), CopyRtf(), CopyUnicode() and CopyCodePage() from the
  // selection.
  void PrepareCopy();
  // Puts the selection on the clipboard as text/plain (Unicode), as
  // text/rtf, text/richtext and application/rtf, and as the 8-bit text under
  // "text/plain;charset=windows-NNNN" (CopyCodePage()). Returns false and
  // leaves the clipboard alone when there is nothing to copy. The context's
  // ClipboardWatch is cleared while writing and restored afterwards.
  bool CopyToClipboard();
  // The MIME type of the 8-bit text in `codePage`.
  static QString EightBitMimeType(int codePage);
  const std::string& CopyText() const { return copyText_; }
  // Ends with one NUL character.
  const std::string& CopyRtf() const { return copyRtf_; }
  const std::u16string& CopyUnicode() const { return copyUnicode_; }
  // The code page CopyText() is in.
  int CopyCodePage() const { return copyCodePage_; }

  // Scrolls so that the active verse (ActiveStart .. ActiveEnd of Content)
  // is in view; ActiveVerse 1 scrolls to the top.
  void ShowActive();

  // ---- screen readers ----

  // The name of the active verse for screen readers (e.g. "John 3:16"), set
  // by the owner whenever it moves the active verse; empty by default.
  void SetActiveVerseDescription(const QString& description);
  const QString& ActiveVerseDescription() const { return activeVerseDescription_; }
  // What a screen reader hears as the control's description: the active
  // verse's name and its text (ActiveStart .. ActiveEnd), either alone when
  // the other is missing.
  QString AccessibleDescription() const;
  // The visible characters (no CR, no LF) as Unicode, one per position, as
  // the fragments hold them.
  QString VisibleText() const;
  // Changes whenever the text changes (Clear, appending).
  std::uint64_t TextRevision() const { return textRevision_; }

  // ---- state ----

  // Everything appended, markup characters removed, line ends as given.
  const std::string& Content() const { return content_; }
  // Characters of Content() that are neither CR nor LF.
  int VisibleLength() const { return visibleLength_; }
  // Characters in all boxes (equals VisibleLength() once laid out).
  int TextLength() const { return textLength_; }
  const std::vector<TTextFrag>& Fragments() const { return fragments_; }
  const std::vector<TTextBox>& Boxes() const { return boxes_; }
  int BoxCount() const { return static_cast<int>(boxes_.size()); }
  // The vertical scroll bar on the right edge; its value is the scroll
  // offset in pixels, its left edge the right edge of the text area. Owned
  // by this control.
  QScrollBar* ScrollBar() const { return scrollBar_; }

  // The background: the palette's base colour, following the palette as
  // it changes, until SetColor chooses one.
  QColor Color() const { return color_; }
  void SetColor(const QColor& color);
  // The colour a run stored in `stored` is painted in on Color(): plain
  // (black) text in the palette's text colour, and on a dark background
  // every other colour kept at AA contrast (ShownTextColor). The stored
  // colours are left alone.
  QColor ShownColor(const QColor& stored);
  // The tool bar action that copies; watched, not owned; may be null.
  QAction* CopyBtn() const;
  void SetCopyBtn(QAction* action);
  // Items 0..3 of the menu follow Enable0..Enable3; watched, not owned.
  QMenu* PopupMenu() const;
  void SetPopupMenu(QMenu* menu);

  // The default word letters: "0".."9", "A".."Z", "a".."z" and 192..255.
  static std::bitset<256> DefaultLetters();

  // Settings the owner sets directly.
  // A click without a drag selects the word under the mouse.
  bool AutoMark = false;
  // Marked words and brace notes get their colours.
  bool ColorMarks = false;
  // The byte codes that make up words.
  std::bitset<256> Letters = DefaultLetters();
  TEnableFunction Enable0;
  TEnableFunction Enable1;
  TEnableFunction Enable2;
  TEnableFunction Enable3;
  // The verse to show (0 none, 1 the top) and its span in Content(),
  // counting all characters including CR and LF.
  int ActiveVerse = 0;
  int ActiveStart = 0;
  int ActiveEnd = 0;
  // Stored only; nothing in the control reads them.
  bool ReadOnly = true;
  int ScrollBars = 0;

 Q_SIGNALS:
  void OnDblClick();
  void OnKeyDown(int key, Qt::KeyboardModifiers modifiers);
  void OnKeyUp(int key, Qt::KeyboardModifiers modifiers);
  void OnMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint pos);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void AddFragment(std::string text);
  std::shared_ptr<const TFontWidths> WidthsFor(const TTextFont& font);
  // Places Text[first, last] (1-based, empty when last < first) of fragment
  // `frag` at the layout cursor.
  void AddBox(std::size_t frag, std::size_t first, std::size_t last);
  void NewLine();
  void LayoutFragment(std::size_t frag);
  // Places Text[segStart, end) of fragment `frag`, which holds no line end,
  // wrapping once at `lastBreak` (a space, 1-based) when it does not fit.
  void FinishSegment(std::size_t frag, std::size_t segStart, std::size_t lastBreak,
                     std::size_t end);
  void EnsureLayout();
  // Drops ShownColor's answers when the background or the palette's text
  // colour changed since they were computed.
  void RefreshShownColors();
  // ShownColor without that check (Paint checks once).
  QColor CachedShownColor(const QColor& stored);
  void PlaceScrollBar();
  // Draws box text [from, to) at x with the given colours; advances x.
  void DrawPiece(QPainter& painter, const TTextBox& box, std::size_t from, std::size_t to,
                 const QColor& brush, const QColor& pen, int& x, int y0, int y1);
  void FillArea(QPainter& painter, int left, int top, int right, int bottom);
  void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y);
  void MouseUp(Qt::MouseButton button, int x, int y);
  void UpdateMenu();
  // Ctrl+A selects all, Ctrl+C copies; true when the key was one of them.
  bool CtrlKeys(const QKeyEvent& event);
  void ScrollBy(int delta);
  void ScrollChanged();
  // Tell an active screen reader about a new text, selection or description.
  void NotifyTextChanged();
  void NotifySelection();
  void NotifyDescription();

  TDisplayContext& context_;
  QScrollBar* scrollBar_;
  QPointer<QAction> copyBtn_;
  QPointer<QMenu> popupMenu_;
  QColor color_;
  // SetColor was called: the background no longer follows the palette.
  bool colorSet_ = false;
  // ShownColor's answers for the background and text colour they were
  // computed on; a handful of colours per chapter.
  std::vector<std::pair<QRgb, QColor>> shownColors_;
  QRgb shownBackground_ = 0;
  QRgb shownText_ = 0;
  TTextFont font_;
  TTextFont canvas_;

  std::string content_;
  int visibleLength_ = 0;
  std::vector<TTextFrag> fragments_;
  std::vector<TTextBox> boxes_;
  std::vector<std::shared_ptr<const TFontWidths>> widthCache_;
  int layoutX_ = 0;
  int layoutY_ = 0;
  int textLength_ = 0;

  int selStart_ = 0;
  int selLength_ = 0;
  int anchor_ = 0;
  int dragIndex_ = 0;

  std::string copyText_;
  std::string copyRtf_;
  std::u16string copyUnicode_;
  int copyCodePage_ = 1252;

  // Set while Paint runs: a scroll bar change from the layout inside Paint
  // must not start a second paint.
  bool painting_ = false;

  QString activeVerseDescription_;
  std::uint64_t textRevision_ = 0;
  // What screen readers were last told.
  std::uint64_t announcedRevision_ = 0;
  QString announcedText_;
  int announcedSelStart_ = -1;
  int announcedSelLength_ = -1;
  QString announcedDescription_;
};

}  // namespace lectora
