#include "BibleSourceGenerator.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <random>
#include <set>
#include <stdexcept>
#include <vector>

namespace lectora::bench {

namespace {

constexpr int kVocabulary = 12000;
constexpr int kPsalms = 22;
constexpr int kLongChapter = 118;
constexpr int kLongChapterVerses = 176;

struct BookName {
  int Number;
  const char* Name;
};

// The 66 books of the Protestant canon under their fixed book numbers.
constexpr BookName kBooks[] = {{1, "Genesis"},
                               {2, "Exodus"},
                               {3, "Leviticus"},
                               {4, "Numbers"},
                               {5, "Deuteronomy"},
                               {6, "Joshua"},
                               {7, "Judges"},
                               {8, "Ruth"},
                               {9, "1 Samuel"},
                               {10, "2 Samuel"},
                               {11, "1 Kings"},
                               {12, "2 Kings"},
                               {13, "1 Chronicles"},
                               {14, "2 Chronicles"},
                               {15, "Ezra"},
                               {16, "Nehemiah"},
                               {20, "Esther"},
                               {21, "Job"},
                               {22, "Psalms"},
                               {23, "Proverbs"},
                               {24, "Ecclesiastes"},
                               {25, "Song of Songs"},
                               {28, "Isaiah"},
                               {29, "Jeremiah"},
                               {30, "Lamentations"},
                               {33, "Ezekiel"},
                               {34, "Daniel"},
                               {35, "Hosea"},
                               {36, "Joel"},
                               {37, "Amos"},
                               {38, "Obadiah"},
                               {39, "Jonah"},
                               {40, "Micah"},
                               {41, "Nahum"},
                               {42, "Habakkuk"},
                               {43, "Zephaniah"},
                               {44, "Haggai"},
                               {45, "Zechariah"},
                               {46, "Malachi"},
                               {51, "Matthew"},
                               {52, "Mark"},
                               {53, "Luke"},
                               {54, "John"},
                               {55, "Acts"},
                               {56, "James"},
                               {57, "1 Peter"},
                               {58, "2 Peter"},
                               {59, "1 John"},
                               {60, "2 John"},
                               {61, "3 John"},
                               {62, "Jude"},
                               {63, "Romans"},
                               {64, "1 Corinthians"},
                               {65, "2 Corinthians"},
                               {66, "Galatians"},
                               {67, "Ephesians"},
                               {68, "Philippians"},
                               {69, "Colossians"},
                               {70, "1 Thessalonians"},
                               {71, "2 Thessalonians"},
                               {72, "1 Timothy"},
                               {73, "2 Timothy"},
                               {74, "Titus"},
                               {75, "Philemon"},
                               {76, "Hebrews"},
                               {77, "Revelation"}};

// `count` distinct lower-case words of two to five syllables.
std::vector<std::string> MakeVocabulary(std::mt19937& random, int count) {
  static const char* kSyllables[] = {"ab",  "ba",  "ca",  "da", "el",  "fe", "ga", "ha", "in",
                                     "ja",  "ka",  "la",  "ma", "na",  "on", "pa", "qu", "ra",
                                     "sa",  "ta",  "ul",  "va", "wa",  "xe", "ya", "za", "eth",
                                     "est", "ing", "ord", "im", "ath", "er", "is", "or"};
  constexpr int kSyllableCount = sizeof kSyllables / sizeof kSyllables[0];
  std::set<std::string> seen;
  std::vector<std::string> words;
  while (static_cast<int>(words.size()) < count) {
    const int syllables = 1 + static_cast<int>(random() % 4) + (words.size() > 200 ? 1 : 0);
    std::string word;
    for (int i = 0; i < syllables; ++i) word += kSyllables[random() % kSyllableCount];
    if (seen.insert(word).second) words.push_back(word);
  }
  return words;
}

}  // namespace

TGeneratedSource GenerateBibleSource(const std::string& folder, std::uint32_t seed) {
  std::mt19937 random(seed);
  const std::vector<std::string> vocabulary = MakeVocabulary(random, kVocabulary);
  // Zipf: word of rank r drawn with weight 1 / r.
  std::vector<double> cumulative(vocabulary.size());
  double sum = 0;
  for (std::size_t r = 0; r < vocabulary.size(); ++r) {
    sum += 1.0 / static_cast<double>(r + 1);
    cumulative[r] = sum;
  }
  std::uniform_real_distribution<double> uniform(0.0, sum);
  const auto drawWord = [&]() -> const std::string& {
    const auto found = std::lower_bound(cumulative.begin(), cumulative.end(), uniform(random));
    const auto rank = std::min<std::size_t>(found - cumulative.begin(), vocabulary.size() - 1);
    return vocabulary[rank];
  };

  const std::string separator = folder.empty() || folder.back() == '/' ? "" : "/";
  std::ofstream books(folder + separator + "books.tsv", std::ios::binary);
  std::ofstream verses(folder + separator + "verses.tsv", std::ios::binary);
  TGeneratedSource result;
  result.Vocabulary = kVocabulary;
  std::string line;
  for (const BookName& book : kBooks) {
    books << book.Number << '\t' << "The Book of " << book.Name << '\t' << book.Name << '\t'
          << book.Name << '\n';
    ++result.Books;
    const int chapters = book.Number == kPsalms ? 150 : 1 + static_cast<int>(random() % 35);
    for (int chapter = 1; chapter <= chapters; ++chapter) {
      const int count = (book.Number == kPsalms && chapter == kLongChapter)
                            ? kLongChapterVerses
                            : 6 + static_cast<int>(random() % 37);
      for (int verse = 1; verse <= count; ++verse) {
        line = std::to_string(book.Number) + '\t' + std::to_string(chapter) + '\t' +
               std::to_string(verse) + '\t';
        if (random() % 12 == 0) line += "\xC2\xB6";  // a paragraph starts here
        const int words = 8 + static_cast<int>(random() % 30);
        for (int w = 0; w < words; ++w) {
          std::string word = drawWord();
          if (w == 0) word[0] = static_cast<char>(word[0] - 'a' + 'A');
          if (random() % 40 == 0) word = "|" + word + "|";
          line += word;
          const unsigned mark = random() % 14;
          line += w + 1 == words ? "." : mark == 0 ? ", " : mark == 1 ? "; " : " ";
        }
        if (random() % 25 == 0) line += " {" + drawWord() + " " + drawWord() + "}";
        verses << line << '\n';
        ++result.Verses;
      }
    }
  }
  if (!books || !verses) throw std::runtime_error("cannot write the source into " + folder);
  return result;
}

}  // namespace lectora::bench
