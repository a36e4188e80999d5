#include "store/AudioMarks.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "store/AudioMarksFile.h"

namespace lectora {

void TAudioMarks::Reset(int verseCount) {
  marks_.assign(static_cast<std::size_t>(std::max(verseCount, 1)) + 1, 0);
  marks_[1] = -1;
  Modified = false;
}

TAudioMarks::TSource TAudioMarks::Load(const TAudioMarksFile& file, std::int32_t chapterBase,
                                       int verseCount, std::int64_t fileLength,
                                       const std::vector<std::int32_t>& textLengths) {
  Reset(verseCount);
  ChapterBase = chapterBase;
  FileLength = fileLength;
  std::vector<std::int32_t> entries;
  file.Read(chapterBase + 1, VerseCount(), entries);
  std::copy(entries.begin(), entries.end(), marks_.begin() + 1);
  if (marks_[1] >= 0 && !ReEstimate) return TSource::File;
  return Estimate(textLengths) ? TSource::Estimate : TSource::NoEstimate;
}

bool TAudioMarks::Estimate(const std::vector<std::int32_t>& textLengths) {
  ReEstimate = false;
  if (textLengths.size() < 2 || FileLength <= 0) return false;
  const int n = VerseCount();
  const int shown = std::min(n, static_cast<int>(textLengths.size()) - 1);
  const double first = textLengths.front();
  const double span = textLengths[static_cast<std::size_t>(shown)] - first;
  if (span == 0) return false;
  const auto length = static_cast<double>(FileLength);
  for (int k = 1; k <= n; ++k) {
    const double share = k <= shown ? (textLengths[static_cast<std::size_t>(k)] - first) / span : 1;
    marks_[static_cast<std::size_t>(k)] =
        static_cast<std::int32_t>(std::llround(std::abs(share * length)));
  }
  return true;
}

void TAudioMarks::WriteBack(const TAudioMarksFile& file) {
  const int n = VerseCount();
  if (marks_[static_cast<std::size_t>(n)] < FileLength) {
    marks_[static_cast<std::size_t>(n)] = static_cast<std::int32_t>(FileLength);
  }
  file.Write(ChapterBase + 1, std::vector<std::int32_t>(marks_.begin() + 1, marks_.end()));
  Modified = false;
}

std::int32_t TAudioMarks::Mark(int k) const {
  if (k < 0 || k > VerseCount()) return -1;
  return marks_[static_cast<std::size_t>(k)];
}

void TAudioMarks::SetMark(int k, std::int32_t value) {
  if (k < 0 || k > VerseCount()) return;
  marks_[static_cast<std::size_t>(k)] = value;
  Modified = true;
}

std::int64_t TAudioMarks::Start(int verse) const {
  const std::int64_t start = Mark(verse - 1);
  if (start < 0) return 0;
  return FileLength > 0 ? std::min(start, FileLength) : start;
}

std::int64_t TAudioMarks::End(int verse, bool editing) const {
  if (verse < 1 || verse > VerseCount()) return -1;
  const std::int32_t end = Mark(verse);
  if (editing && end <= 0) return -1;
  if (end < Mark(verse - 1)) return -1;
  if (FileLength > 0 && end >= FileLength) return -1;
  return end;
}

}  // namespace lectora
