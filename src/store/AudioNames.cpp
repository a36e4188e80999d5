#include "store/AudioNames.h"

#include <array>
#include <cstdio>

namespace lectora {

namespace {

struct TAudioBook {
  const char* Bulgarian;
  const char* English;
  int BookNumber;
};

constexpr std::array<TAudioBook, kAudioBooks> kBooks = {{
    {"Bitie", "genesis", 1},
    {"Izhod", "exodus", 2},
    {"Levit", "leviticus", 3},
    {"Chisla", "numbers", 4},
    {"Vtorozakonie", "deuteronomy", 5},
    {"Isus Naviev", "joshua", 6},
    {"Sadii", "judges", 7},
    {"Rut", "ruth", 8},
    {"1Tzare", "1samuel", 9},
    {"2Tzare", "2samuel", 10},
    {"3Tzare", "1kings", 11},
    {"4Tzare", "2kings", 12},
    {"1Letopisi", "1chronicles", 13},
    {"2Letopisi", "2chronicles", 14},
    {"Ezdra", "ezra", 15},
    {"Neemia", "nehemiah", 16},
    {"Estir", "esther", 20},
    {"Yov", "job", 21},
    {"Psalmi", "psalms", 22},
    {"Pritchi", "proverbs", 23},
    {"Eklisiast", "ecclesiastes", 24},
    {"Pesen na Pesnite", "songofsolomon", 25},
    {"Isaia", "isaiah", 28},
    {"Eremia", "jeremiah", 29},
    {"Plachat na Eremia", "lamentations", 30},
    {"Ezekiil", "ezekiel", 33},
    {"Daniil", "daniel", 34},
    {"Osia", "hosea", 35},
    {"Yoil", "joel", 36},
    {"Amos", "amos", 37},
    {"Avdii", "obadiah", 38},
    {"Yona", "jonah", 39},
    {"Mihei", "micah", 40},
    {"Naum", "nahum", 41},
    {"Avakum", "habakkuk", 42},
    {"Sofonia", "zephaniah", 43},
    {"Agei", "haggai", 44},
    {"Zaharia", "zechariah", 45},
    {"Malahia", "malachi", 46},
    {"Matei", "matthew", 51},
    {"Marko", "mark", 52},
    {"Luka", "luke", 53},
    {"Yoan", "john", 54},
    {"Deiania", "acts", 55},
    {"Yakov", "james", 56},
    {"1Petrovo", "1peter", 57},
    {"2Petrovo", "2peter", 58},
    {"1Yoan", "1john", 59},
    {"2Yoan", "2john", 60},
    {"3Yoan", "3john", 61},
    {"Yuda", "jude", 62},
    {"Rimliani", "romans", 63},
    {"1Korintiani", "1corinthians", 64},
    {"2Korintiani", "2corinthians", 65},
    {"Galatiani", "galatians", 66},
    {"Efesiani", "ephesians", 67},
    {"Filipiani", "philippians", 68},
    {"Kolosiani", "colossians", 69},
    {"1Soluntzi", "1thessalonians", 70},
    {"2Soluntzi", "2thessalonians", 71},
    {"1Timotei", "1timothy", 72},
    {"2Timotei", "2timothy", 73},
    {"Tit", "titus", 74},
    {"Filimon", "philemon", 75},
    {"Evrei", "hebrews", 76},
    {"Otkrovenie", "revelation", 77},
}};

constexpr int kPsalms = 19;
constexpr int kObadiah = 31;

bool Known(int position) { return position >= 1 && position <= kAudioBooks; }

const TAudioBook& BookAt(int position) { return kBooks[static_cast<std::size_t>(position - 1)]; }

// `value` in decimal, left-padded with "0" to `digits` digits.
std::string Padded(int value, int digits) {
  std::array<char, 16> text{};
  std::snprintf(text.data(), text.size(), "%0*d", digits, value);
  return text.data();
}

}  // namespace

std::string BulgarianStyleFileName(int position, int chapter) {
  if (!Known(position)) return {};
  if (position == kPsalms) return "Psalom " + Padded(chapter, 3) + ".mp3";
  const std::string name = BookAt(position).Bulgarian;
  if (position == kObadiah) return name + ".mp3";
  return name + " " + Padded(chapter, 2) + ".mp3";
}

std::string BulgarianStyleName(int position, int chapter) {
  if (!Known(position)) return {};
  return Padded(position, 2) + " - " + BookAt(position).Bulgarian + "/" +
         BulgarianStyleFileName(position, chapter);
}

std::string EnglishStyleName(int position, int chapter) {
  if (!Known(position)) return {};
  return BookAt(position).English + std::to_string(chapter) + ".mp3";
}

int AudioBookPosition(int bookNumber) {
  for (int position = 1; position <= kAudioBooks; ++position) {
    if (BookAt(position).BookNumber == bookNumber) return position;
  }
  return 0;
}

}  // namespace lectora
