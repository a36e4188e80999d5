#include "modules/SwordBookNames.h"

#include <cctype>
#include <string>

namespace lectora {

namespace {

constexpr TSwordBook kBooks[] = {
    {1, "Genesis", "Gen", "Genesis", "Gen"},
    {2, "Exodus", "Exod", "Exodus", "Exod"},
    {3, "Leviticus", "Lev", "Leviticus", "Lev"},
    {4, "Numbers", "Num", "Numbers", "Num"},
    {5, "Deuteronomy", "Deut", "Deuteronomy", "Deut"},
    {6, "Joshua", "Josh", "Joshua", "Josh"},
    {7, "Judges", "Judg", "Judges", "Judg"},
    {8, "Ruth", "Ruth", "Ruth", "Ruth"},
    {9, "I Samuel", "1Sam", "1 Samuel", "1 Sam"},
    {10, "II Samuel", "2Sam", "2 Samuel", "2 Sam"},
    {11, "I Kings", "1Kgs", "1 Kings", "1 Kgs"},
    {12, "II Kings", "2Kgs", "2 Kings", "2 Kgs"},
    {13, "I Chronicles", "1Chr", "1 Chronicles", "1 Chr"},
    {14, "II Chronicles", "2Chr", "2 Chronicles", "2 Chr"},
    {15, "Ezra", "Ezra", "Ezra", "Ezra"},
    {16, "Nehemiah", "Neh", "Nehemiah", "Neh"},
    {17, "I Esdras", "1Esd", "1 Esdras", "1 Esd"},
    {18, "Tobit", "Tob", "Tobit", "Tob"},
    {19, "Judith", "Jdt", "Judith", "Jdt"},
    {20, "Esther", "Esth", "Esther", "Esth"},
    {21, "Job", "Job", "Job", "Job"},
    {22, "Psalms", "Ps", "Psalms", "Ps"},
    {23, "Proverbs", "Prov", "Proverbs", "Prov"},
    {24, "Ecclesiastes", "Eccl", "Ecclesiastes", "Eccl"},
    {25, "Song of Solomon", "Song", "Song of Solomon", "Song"},
    {26, "Wisdom", "Wis", "Wisdom", "Wis"},
    {27, "Sirach", "Sir", "Sirach", "Sir"},
    {28, "Isaiah", "Isa", "Isaiah", "Isa"},
    {29, "Jeremiah", "Jer", "Jeremiah", "Jer"},
    {30, "Lamentations", "Lam", "Lamentations", "Lam"},
    {31, "Epistle of Jeremiah", "EpJer", "Epistle of Jeremiah", "EpJer"},
    {32, "Baruch", "Bar", "Baruch", "Bar"},
    {33, "Ezekiel", "Ezek", "Ezekiel", "Ezek"},
    {34, "Daniel", "Dan", "Daniel", "Dan"},
    {35, "Hosea", "Hos", "Hosea", "Hos"},
    {36, "Joel", "Joel", "Joel", "Joel"},
    {37, "Amos", "Amos", "Amos", "Amos"},
    {38, "Obadiah", "Obad", "Obadiah", "Obad"},
    {39, "Jonah", "Jonah", "Jonah", "Jonah"},
    {40, "Micah", "Mic", "Micah", "Mic"},
    {41, "Nahum", "Nah", "Nahum", "Nah"},
    {42, "Habakkuk", "Hab", "Habakkuk", "Hab"},
    {43, "Zephaniah", "Zeph", "Zephaniah", "Zeph"},
    {44, "Haggai", "Hag", "Haggai", "Hag"},
    {45, "Zechariah", "Zech", "Zechariah", "Zech"},
    {46, "Malachi", "Mal", "Malachi", "Mal"},
    {47, "I Maccabees", "1Macc", "1 Maccabees", "1 Macc"},
    {48, "II Maccabees", "2Macc", "2 Maccabees", "2 Macc"},
    {49, "III Maccabees", "3Macc", "3 Maccabees", "3 Macc"},
    {50, "II Esdras", "2Esd", "2 Esdras", "2 Esd"},
    {51, "Matthew", "Matt", "Matthew", "Matt"},
    {52, "Mark", "Mark", "Mark", "Mk"},
    {53, "Luke", "Luke", "Luke", "Lk"},
    {54, "John", "John", "John", "Jn"},
    {55, "Acts", "Acts", "Acts", "Acts"},
    {56, "James", "Jas", "James", "Jas"},
    {57, "I Peter", "1Pet", "1 Peter", "1 Pet"},
    {58, "II Peter", "2Pet", "2 Peter", "2 Pet"},
    {59, "I John", "1John", "1 John", "1 Jn"},
    {60, "II John", "2John", "2 John", "2 Jn"},
    {61, "III John", "3John", "3 John", "3 Jn"},
    {62, "Jude", "Jude", "Jude", "Jude"},
    {63, "Romans", "Rom", "Romans", "Rom"},
    {64, "I Corinthians", "1Cor", "1 Corinthians", "1 Cor"},
    {65, "II Corinthians", "2Cor", "2 Corinthians", "2 Cor"},
    {66, "Galatians", "Gal", "Galatians", "Gal"},
    {67, "Ephesians", "Eph", "Ephesians", "Eph"},
    {68, "Philippians", "Phil", "Philippians", "Phil"},
    {69, "Colossians", "Col", "Colossians", "Col"},
    {70, "I Thessalonians", "1Thess", "1 Thessalonians", "1 Thess"},
    {71, "II Thessalonians", "2Thess", "2 Thessalonians", "2 Thess"},
    {72, "I Timothy", "1Tim", "1 Timothy", "1 Tim"},
    {73, "II Timothy", "2Tim", "2 Timothy", "2 Tim"},
    {74, "Titus", "Titus", "Titus", "Titus"},
    {75, "Philemon", "Phlm", "Philemon", "Phlm"},
    {76, "Hebrews", "Heb", "Hebrews", "Heb"},
    {77, "Revelation of John", "Rev", "Revelation", "Rev"},
    {78, "Prayer of Manasses", "PrMan", "Prayer of Manasseh", "PrMan"},
};

// Lower case with runs of blanks made one.
std::string Folded(std::string_view text) {
  std::string out;
  for (const char c : text) {
    if (c == ' ' || c == '\t') {
      if (!out.empty() && out.back() != ' ') out += ' ';
    } else {
      out += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
  }
  if (!out.empty() && out.back() == ' ') out.pop_back();
  return out;
}

}  // namespace

const TSwordBook* FindSwordBook(std::string_view name) {
  const std::string key = Folded(name);
  if (key.empty()) return nullptr;
  for (const TSwordBook& book : kBooks) {
    if (key == Folded(book.Sword) || key == Folded(book.Osis) || key == Folded(book.Name)) {
      return &book;
    }
  }
  return nullptr;
}

const TSwordBook* SwordBookOfNumber(int number) {
  for (const TSwordBook& book : kBooks) {
    if (book.Number == number) return &book;
  }
  return nullptr;
}

}  // namespace lectora
