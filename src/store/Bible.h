// One open translation: its books and their order, verse numbering both ways,
// the mapping to and from the standard versification, verse text, typed
// references, bookmarks and font. Modules are shared through TBibleSet.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "store/Book.h"
#include "store/FontInfo.h"
#include "store/Language.h"
#include "store/RFileStream.h"
#include "store/StoreContext.h"

namespace lectora {

class TBible {
public:
  static constexpr int kBookNumbers = 87;    // book numbers 1..87
  static constexpr int kStandardBooks = 86;  // the standard structure's books

  // Finds and loads the module of `translationNumber` (0..11). A module that
  // cannot be found leaves Path empty; nothing throws for that. Malformed
  // numbers in its text files throw LectoraError naming the file and line.
  // `context` must outlive the module.
  TBible(int translationNumber, TStoreContext& context);
  // Saves Font and Bookmarks of a module that was loaded.
  ~TBible();
  TBible(const TBible&) = delete;
  TBible& operator=(const TBible&) = delete;

  bool Loaded() const { return !Path.empty(); }

  // Verse number of a reference; Chapter <= 1 adds no chapter counts.
  std::uint16_t VerseNumber(int bookPosition, int chapter, int verse) const;
  // The inverse of VerseNumber; a too-large number yields a verse beyond the
  // last chapter's count rather than a failure.
  void VerseToRef(int number, int& bookPosition, int& chapter, int& verse) const;
  // Standard verse number of an own reference (book by number).
  std::int32_t ToStandard(int bookNumber, int chapter, int verse) const;
  // An own reference of a standard reference, in place.
  void StandardToOwnRef(int& bookNumber, int& chapter, int& verse) const;
  // Own verse number of a standard verse number; 0 when the book is missing.
  std::uint16_t FromStandard(std::int32_t standardNumber) const;

  bool HasStrongNumbers() const;
  // The psalm word for book 22, else the chapter word, in the code page.
  void ChapterWord(int bookNumber, std::string& text) const;

  // Text of verse `number` (record number-1); empty when the text files
  // cannot be opened. The files stay open between calls.
  void ReadVerse(int number, std::string& text) const;
  void GetVerse(int bookPosition, int chapter, int verse, std::string& text) const;
  // "Name chapter:verse". REQUIRES: 1 <= number <= VerseTotal.
  void ReferenceText(int number, bool useAltName, std::string& text) const;

  // Book position of the book at the front of `text` (removed from it), 0
  // for an abbreviation of a book the module lacks, -1 when none is found.
  int FindBook(std::string& text) const;
  // Reads a typed reference; sets the context's BookFound.
  bool ParseReference(const std::string& text, int& bookPosition, int& chapter, int& verse) const;

  // Writes Font and Bookmarks to the settings when the module was loaded.
  void SaveSettings() const;

  std::string Path;         // module folder in use, ends in "/"; empty = not found
  std::string DefaultPath;  // setup folder + folder name + "/"
  std::uint16_t TranslationNumber = 0;
  std::uint16_t VerseTotal = 0;
  std::uint16_t BookCount = 0;
  bool NeedsRefresh = false;
  std::array<std::uint16_t, 88> BookOrder{};     // position -> book number
  std::array<std::uint16_t, 88> BookPosition{};  // book number -> position (0 = absent)
  std::array<TBook, 88> Books;                   // by book number 1..87
  std::vector<std::string> Bookmarks;
  bool NoLinks = true;
  TFontInfo Font;
  TLanguage Language;
  std::unique_ptr<TRFileStream> Words;  // word list; null when not loaded
  std::array<std::vector<TDiffRecord>, 87> DiffToStandard;    // by book number 1..86
  std::array<std::vector<TDiffRecord>, 87> DiffFromStandard;  // by book number 1..86

private:
  TStoreContext& context_;
  mutable std::unique_ptr<TRFileStream> text_;  // verse text, opened on first read
};

}  // namespace lectora
