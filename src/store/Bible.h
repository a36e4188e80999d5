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
#include "store/VerseList.h"

namespace lectora {

class TSearchContext;

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

  // Text of verse `number` (record number-1); empty when the module is not
  // loaded, the text files cannot be opened or `number` is outside
  // 1..VerseTotal. The files stay open between calls (an open that failed is
  // tried again on the next call). A damaged record throws LectoraError
  // naming the data file.
  void ReadVerse(int number, std::string& text) const;
  void GetVerse(int bookPosition, int chapter, int verse, std::string& text) const;
  // "Name chapter:verse" (AltName with `useAltName`). REQUIRES: 1 <= number
  // <= VerseTotal; any other number gives an empty text.
  void ReferenceText(int number, bool useAltName, std::string& text) const;

  // Book position of the book at the front of `text` (removed from it), 0
  // for an abbreviation of a book the module lacks, -1 when none is found.
  int FindBook(std::string& text) const;
  // Reads a typed reference; sets the context's BookFound.
  bool ParseReference(const std::string& text, int& bookPosition, int& chapter, int& verse) const;

  // Writes Font and Bookmarks to the settings when the module was loaded.
  void SaveSettings() const;

  // ---- word list and concordance (defined in src/search) ----

  // Number of words (entries of "WordPoint.bin"); 0 when the word files are
  // missing.
  int WordCount() const;
  // Line `index` of "WordList.txt"; empty outside 0..WordCount()-1.
  void WordAt(int index, std::string& word) const;
  // Index of `word` or of the first word after it (-1 when it sorts before
  // the first, WordCount() when after the last; -1 for an empty word list).
  int FindWord(const std::string& word) const;
  // The count field of word `index`'s verse list; 0 when absent or damaged.
  // Throws LectoraError naming the file when a concordance file is missing.
  std::uint16_t ConcordanceCount(int index) const;
  // A new verse list of word `index` (empty when the entry is absent or the
  // list runs past the end of "Conc.bin"). Throws LectoraError naming the
  // file when "ConcP.bin" or "Conc.bin" cannot be opened.
  VerseListPtr ReadConcordance(int index) const;
  // When `word` is in the word list (compared without regard to case),
  // replaces `list` with its verse list and answers true; otherwise leaves
  // `list` as it was and answers false.
  bool GetConcordance(const std::string& word, VerseListPtr& list) const;
  // The cross references of verse `number` kept in `search.CurrentLinks`
  // (the previous list freed); null when the verse has none. With NoLinks
  // answers null and leaves CurrentLinks alone.
  const TVerseList* GetLinks(int number, TSearchContext& search) const;

  // ---- word search (defined in src/search) ----

  // 1-based position of the first whole-word occurrence of `word` in `text`
  // (both compared byte for byte; callers lower-case them), 0 when none.
  int FindWholeWord(const std::string& word, const std::string& text) const;
  // Keeps the verses whose text satisfies word-order `mode` (1 in order,
  // 2 as a phrase) for all of `search.SearchWords`.
  void PhraseFilter(VerseListPtr& list, int mode, const TSearchContext& search) const;
  // Keeps the verses whose book number is selected; a null list is left alone.
  void FilterByBooks(VerseListPtr& list, const std::array<bool, 88>& selected) const;

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
  std::unique_ptr<TRFileStream> Words;                        // word list; null when not loaded
  std::array<std::vector<TDiffRecord>, 87> DiffToStandard;    // by book number 1..86
  std::array<std::vector<TDiffRecord>, 87> DiffFromStandard;  // by book number 1..86

 private:
  // The language number of `translationNumber`; throws for a number outside
  // 0..11 before anything is built.
  static int LanguageOf(int translationNumber);
  // Sets Path (and DefaultPath) as the module search says; Path stays empty
  // when the titles file is found nowhere.
  void FindModule();
  // The readers of the module's text files; each throws LectoraError naming
  // the file and line for malformed content.
  void ReadTitles(const std::string& text, const std::string& fileName);
  void ReadDiff(const std::string& text, const std::string& fileName);
  void ReadStructure(const std::string& text, const std::string& fileName);
  // Bookmarks and Font from the settings file.
  void ReadSettings();
  // The book of position `bookPosition`; null outside 1..BookCount.
  const TBook* BookAt(int bookPosition) const;
  // Settings sections: the folder name with its backslash + `suffix`.
  std::string SectionName(const char* suffix) const;

  TStoreContext& context_;
  mutable std::unique_ptr<TRFileStream> text_;  // verse text, opened on first read
  // Concordance and links files, opened on first use and kept open because
  // a one-word search must not pay for opening files.
  mutable std::unique_ptr<TLIFileStream> concIndex_;   // "ConcP.bin"
  mutable std::unique_ptr<BinaryFile> concData_;       // "Conc.bin"
  mutable std::unique_ptr<TLIFileStream> linksIndex_;  // "LinksP.bin"
  mutable std::unique_ptr<BinaryFile> linksData_;      // "Links.bin"
};

}  // namespace lectora
