// A Bible-size module source made up deterministically for the benchmarks:
// 66 books, about 31,000 verses, about 12,000 distinct words drawn with a
// Zipf-like frequency, and Psalms (book 22) with a chapter 118 of 176 verses.
#pragma once

#include <cstdint>
#include <string>

namespace lectora::bench {

struct TGeneratedSource {
  int Books = 0;
  int Verses = 0;
  int Vocabulary = 0;  // distinct words the verses draw from
};

// Writes "books.tsv" and "verses.tsv" (English, language 5) into `folder`,
// which must exist. The same `seed` always gives the same bytes.
TGeneratedSource GenerateBibleSource(const std::string& folder, std::uint32_t seed = 1611);

}  // namespace lectora::bench
