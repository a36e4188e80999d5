// The verse marks of the chapter being read aloud: element k is where verse
// k ends in the chapter file (milliseconds), which is where verse k + 1
// begins; element 0 is 0, the start of the file. They come from the marks
// file when it holds the chapter, else they are estimated from the length
// of the verse texts; the editing mode changes them and they are written
// back when another chapter file is opened. No Qt.
#pragma once

#include <cstdint>
#include <vector>

namespace lectora {

class TAudioMarksFile;

class TAudioMarks {
 public:
  // What loading found: exact marks from the file, or an estimate (or the
  // marks as the file had them when no estimate could be made).
  enum class TSource { File, Estimate, NoEstimate };

  // Sizes the marks to `verseCount` + 1 elements, all 0 but element 1,
  // which is -1 (nothing known yet); clears Modified.
  void Reset(int verseCount);

  // Loads the chapter of `verseCount` verses whose verse k has the standard
  // number `chapterBase` + k from `file`, for a chapter file of
  // `fileLength` milliseconds. Exact marks (element 1 >= 0) are kept unless
  // ReEstimate is set; otherwise they are estimated from `textLengths`
  // (see Estimate). Throws LectoraError when the file exists but cannot
  // be read.
  TSource Load(const TAudioMarksFile& file, std::int32_t chapterBase, int verseCount,
               std::int64_t fileLength, const std::vector<std::int32_t>& textLengths);

  // Element k := round((len[k] - len[0]) / (len[N] - len[0]) * FileLength),
  // made positive, for k = 1..N, where len is the table of text lengths of
  // the chapter shown (len[k]: characters from the chapter start to the
  // end of verse k). A table shorter than N + 1 elements ends the estimate
  // at its last verse, the verses after it ending at the end of the file.
  // False, the marks unchanged, when the table holds no text (len[N] ==
  // len[0] or fewer than 2 elements) or the file's length is not known
  // (FileLength <= 0). Clears ReEstimate either way.
  bool Estimate(const std::vector<std::int32_t>& textLengths);

  // Writes elements 1..N into the entries ChapterBase + k of `file`, element
  // N first raised to FileLength when smaller; clears Modified. Throws
  // LectoraError as TAudioMarksFile::Write.
  void WriteBack(const TAudioMarksFile& file);

  int VerseCount() const { return static_cast<int>(marks_.size()) - 1; }
  // Element k; -1 outside 0..VerseCount().
  std::int32_t Mark(int k) const;
  // Sets element k (0..VerseCount()) and Modified.
  void SetMark(int k, std::int32_t value);

  // Where verse `verse` starts: element verse - 1, kept inside
  // 0..FileLength (a missing or damaged mark starts at the file's start).
  std::int64_t Start(int verse) const;
  // Where verse `verse` ends, -1 meaning the end of the file: element verse
  // when it is not smaller than the one before, otherwise the end of the
  // file; a verse past VerseCount() plays to the end too. In the editing
  // mode a verse without a mark (element <= 0) gets no end: -1.
  std::int64_t End(int verse, bool editing) const;

  std::int32_t ChapterBase = 0;
  std::int64_t FileLength = 0;
  bool Modified = false;
  // The next Load ignores the file and estimates (key C of the editing mode).
  bool ReEstimate = false;

 private:
  std::vector<std::int32_t> marks_{0, -1};
};

}  // namespace lectora
