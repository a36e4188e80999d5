// The copy commands of the search panel's verse list and of the search box:
// the contents are laid out in a hidden verse text control (RichEdit1),
// selected whole and copied, so that the clipboard receives the plain text,
// the Rich Text Format and the Unicode text of one layout. The header names
// the list ("title" AppearIn); CopyList writes the references compactly
// (" Genesis 1:1,3, 2:5; John 3:4"), CopyAll and CopyMarked each verse as a
// bold line of the list followed by its text.
#pragma once

#include <memory>
#include <string>
#include <vector>

namespace lectora {

class TBible;
class TBibleRichEdit1;
class TDisplayContext;
struct TVerseList;

class TSearchListCopy {
 public:
  // `display` is shared with every verse text control and must outlive this.
  explicit TSearchListCopy(TDisplayContext& display);
  ~TSearchListCopy();
  TSearchListCopy(const TSearchListCopy&) = delete;
  TSearchListCopy& operator=(const TSearchListCopy&) = delete;

  // The references of `list` in order, each book named once (AltName with
  // `altName`), a chapter once per run of its verses: a blank before the
  // first book, "; " before each later one, ", " before a new chapter, ","
  // between verses of one chapter. Numbers outside the module are skipped.
  static std::string ListText(const TBible& bible, const TVerseList& list, bool altName);
  // The title part of a status text "title | count": the text up to two
  // characters before its first "|"; empty without one.
  static std::string TitleOf(const std::string& label);

  // What every copy shares: the module, the status text and the texts.
  struct TSource {
    const TBible& Bible;
    const TVerseList& List;
    const std::vector<std::string>& Lines;  // the list's lines, as shown
    std::string Label;                      // Label1 (module charset)
    std::string AppearIn;                   // the interface text (charset 204)
    bool AltName = false;
    int BodyCharset = 204;  // the charset of the list's font
  };
  // CopyList: the header and ListText. False when nothing was copied.
  bool CopyList(const TSource& source);
  // CopyAll (`rows` null) or CopyMarked (`rows`: the selected rows, 0-based,
  // in order): the header and, per row, the line and its verse text.
  bool CopyVerses(const TSource& source, const std::vector<int>* rows);
  // Copy4: `text` (8-bit in `charset`) alone.
  bool CopyText(const std::string& text, int charset);

  // The hidden control (tests read what it copied).
  TBibleRichEdit1& RichEdit1() { return *richEdit1_; }

 private:
  void Header(const TSource& source);
  // Lays the control out, selects all of it and copies it.
  bool Finish();

  std::unique_ptr<TBibleRichEdit1> richEdit1_;
};

}  // namespace lectora
