// What screen readers see of the verse text control: a read-only text with
// the chapter's visible characters, the selection, a caret at the end of the
// selection, character extents from the control's own layout, and the
// active verse as the description. Positions count visible characters (no
// CR, no LF) from 0, the control's own selection positions.
#pragma once

#include <QAccessibleWidget>
#include <QRect>
#include <QString>
#include <cstdint>
#include <vector>

namespace lectora {

class TBibleRichEdit1;

class TBibleRichEdit1Accessible : public QAccessibleWidget, public QAccessibleTextInterface {
 public:
  // `edit` is watched, not owned; Qt's accessibility cache owns this object
  // and drops it when `edit` goes.
  explicit TBibleRichEdit1Accessible(TBibleRichEdit1* edit);

  // ---- QAccessibleInterface ----
  // Name: the widget's accessible name, else the caption of the window it
  // sits in. Description: TBibleRichEdit1::AccessibleDescription.
  QString text(QAccessible::Text t) const override;
  QAccessible::State state() const override;
  void* interface_cast(QAccessible::InterfaceType t) override;

  // ---- QAccessibleTextInterface ----
  // One selection at most; adding a selection replaces it.
  void selection(int selectionIndex, int* startOffset, int* endOffset) const override;
  int selectionCount() const override;
  void addSelection(int startOffset, int endOffset) override;
  void removeSelection(int selectionIndex) override;
  void setSelection(int selectionIndex, int startOffset, int endOffset) override;
  // The end of the selection (its start when it is empty).
  int cursorPosition() const override;
  // Moves the caret by emptying the selection there.
  void setCursorPosition(int position) override;
  QString text(int startOffset, int endOffset) const override;
  // Word, sentence and paragraph boundaries treat each line end of the text
  // as a break (so "Chapter 1" and the verse "1" after it stay apart); line
  // boundaries are the control's own laid-out lines.
  QString textBeforeOffset(int offset, QAccessible::TextBoundaryType boundaryType, int* startOffset,
                           int* endOffset) const override;
  QString textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType, int* startOffset,
                          int* endOffset) const override;
  QString textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType, int* startOffset,
                       int* endOffset) const override;
  int characterCount() const override;
  // Screen coordinates; empty for a position that is not laid out.
  QRect characterRect(int offset) const override;
  // -1 where no character is.
  int offsetAtPoint(const QPoint& point) const override;
  void scrollToSubstring(int startIndex, int endIndex) override;
  // The run of one font around `offset`: family, size, weight, style and
  // colour, in the "name:value;" form screen readers read.
  QString attributes(int offset, int* startOffset, int* endOffset) const override;

 private:
  TBibleRichEdit1* Edit() const;
  // The visible text, cached by the control's text revision.
  const QString& Visible() const;
  // The visible text with "\n" at each line end of Content(), and where each
  // visible position lands in it (one entry more than positions).
  struct Shown {
    QString Text;
    std::vector<int> At;
  };
  Shown ShownText() const;
  enum class Side { Before, At, After };
  QString Boundary(Side side, int offset, QAccessible::TextBoundaryType type, int* startOffset,
                   int* endOffset) const;
  QString LineBoundary(Side side, int offset, int* startOffset, int* endOffset) const;

  mutable std::uint64_t cachedRevision_ = ~std::uint64_t{0};
  mutable QString cachedVisible_;
};

// Makes Qt build a TBibleRichEdit1Accessible for every TBibleRichEdit1.
// Safe to call any number of times; the control's constructor calls it.
void InstallBibleRichEdit1Accessible();

}  // namespace lectora
