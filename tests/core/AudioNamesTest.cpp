// The names the chapter recordings are looked for under, in both styles,
// and the book positions of the audio translation's order.
#include "store/AudioNames.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace lectora {
namespace {

struct TNameCase {
  int Position;
  int Chapter;
  const char* Bulgarian;
  const char* English;
};

TEST(AudioNamesTest, NamedPlacesInBothStyles) {
  const TNameCase cases[] = {
      {19, 23, "19 - Psalmi/Psalom 023.mp3", "psalms23.mp3"},
      {19, 119, "19 - Psalmi/Psalom 119.mp3", "psalms119.mp3"},
      {19, 1, "19 - Psalmi/Psalom 001.mp3", "psalms1.mp3"},
      {1, 1, "01 - Bitie/Bitie 01.mp3", "genesis1.mp3"},
      {1, 50, "01 - Bitie/Bitie 50.mp3", "genesis50.mp3"},
      {31, 1, "31 - Avdii/Avdii.mp3", "obadiah1.mp3"},
      {6, 3, "06 - Isus Naviev/Isus Naviev 03.mp3", "joshua3.mp3"},
      {43, 3, "43 - Yoan/Yoan 03.mp3", "john3.mp3"},
      {23, 66, "23 - Isaia/Isaia 66.mp3", "isaiah66.mp3"},
      {66, 22, "66 - Otkrovenie/Otkrovenie 22.mp3", "revelation22.mp3"},
  };
  for (const TNameCase& c : cases) {
    SCOPED_TRACE(c.Bulgarian);
    EXPECT_EQ(BulgarianStyleName(c.Position, c.Chapter), c.Bulgarian);
    EXPECT_EQ(EnglishStyleName(c.Position, c.Chapter), c.English);
  }
  EXPECT_EQ(BulgarianStyleFileName(19, 23), "Psalom 023.mp3");
  EXPECT_EQ(BulgarianStyleFileName(31, 1), "Avdii.mp3");
  EXPECT_EQ(BulgarianStyleFileName(1, 1), "Bitie 01.mp3");
}

TEST(AudioNamesTest, PositionsOutsideTheSixtySixBooksHaveNoName) {
  for (int position : {0, -1, 67, 87}) {
    EXPECT_EQ(BulgarianStyleName(position, 1), "");
    EXPECT_EQ(BulgarianStyleFileName(position, 1), "");
    EXPECT_EQ(EnglishStyleName(position, 1), "");
  }
}

// Chapter 2 of every book (chapter 1 for Obadiah, which has one).
TEST(AudioNamesTest, EveryBookInBothStyles) {
  const std::array<const char*, 66> bulgarian = {
      "01 - Bitie/Bitie 02.mp3",
      "02 - Izhod/Izhod 02.mp3",
      "03 - Levit/Levit 02.mp3",
      "04 - Chisla/Chisla 02.mp3",
      "05 - Vtorozakonie/Vtorozakonie 02.mp3",
      "06 - Isus Naviev/Isus Naviev 02.mp3",
      "07 - Sadii/Sadii 02.mp3",
      "08 - Rut/Rut 02.mp3",
      "09 - 1Tzare/1Tzare 02.mp3",
      "10 - 2Tzare/2Tzare 02.mp3",
      "11 - 3Tzare/3Tzare 02.mp3",
      "12 - 4Tzare/4Tzare 02.mp3",
      "13 - 1Letopisi/1Letopisi 02.mp3",
      "14 - 2Letopisi/2Letopisi 02.mp3",
      "15 - Ezdra/Ezdra 02.mp3",
      "16 - Neemia/Neemia 02.mp3",
      "17 - Estir/Estir 02.mp3",
      "18 - Yov/Yov 02.mp3",
      "19 - Psalmi/Psalom 002.mp3",
      "20 - Pritchi/Pritchi 02.mp3",
      "21 - Eklisiast/Eklisiast 02.mp3",
      "22 - Pesen na Pesnite/Pesen na Pesnite 02.mp3",
      "23 - Isaia/Isaia 02.mp3",
      "24 - Eremia/Eremia 02.mp3",
      "25 - Plachat na Eremia/Plachat na Eremia 02.mp3",
      "26 - Ezekiil/Ezekiil 02.mp3",
      "27 - Daniil/Daniil 02.mp3",
      "28 - Osia/Osia 02.mp3",
      "29 - Yoil/Yoil 02.mp3",
      "30 - Amos/Amos 02.mp3",
      "31 - Avdii/Avdii.mp3",
      "32 - Yona/Yona 02.mp3",
      "33 - Mihei/Mihei 02.mp3",
      "34 - Naum/Naum 02.mp3",
      "35 - Avakum/Avakum 02.mp3",
      "36 - Sofonia/Sofonia 02.mp3",
      "37 - Agei/Agei 02.mp3",
      "38 - Zaharia/Zaharia 02.mp3",
      "39 - Malahia/Malahia 02.mp3",
      "40 - Matei/Matei 02.mp3",
      "41 - Marko/Marko 02.mp3",
      "42 - Luka/Luka 02.mp3",
      "43 - Yoan/Yoan 02.mp3",
      "44 - Deiania/Deiania 02.mp3",
      "45 - Yakov/Yakov 02.mp3",
      "46 - 1Petrovo/1Petrovo 02.mp3",
      "47 - 2Petrovo/2Petrovo 02.mp3",
      "48 - 1Yoan/1Yoan 02.mp3",
      "49 - 2Yoan/2Yoan 02.mp3",
      "50 - 3Yoan/3Yoan 02.mp3",
      "51 - Yuda/Yuda 02.mp3",
      "52 - Rimliani/Rimliani 02.mp3",
      "53 - 1Korintiani/1Korintiani 02.mp3",
      "54 - 2Korintiani/2Korintiani 02.mp3",
      "55 - Galatiani/Galatiani 02.mp3",
      "56 - Efesiani/Efesiani 02.mp3",
      "57 - Filipiani/Filipiani 02.mp3",
      "58 - Kolosiani/Kolosiani 02.mp3",
      "59 - 1Soluntzi/1Soluntzi 02.mp3",
      "60 - 2Soluntzi/2Soluntzi 02.mp3",
      "61 - 1Timotei/1Timotei 02.mp3",
      "62 - 2Timotei/2Timotei 02.mp3",
      "63 - Tit/Tit 02.mp3",
      "64 - Filimon/Filimon 02.mp3",
      "65 - Evrei/Evrei 02.mp3",
      "66 - Otkrovenie/Otkrovenie 02.mp3",
  };
  const std::array<const char*, 66> english = {
      "genesis",      "exodus",        "leviticus",    "numbers",        "deuteronomy",
      "joshua",       "judges",        "ruth",         "1samuel",        "2samuel",
      "1kings",       "2kings",        "1chronicles",  "2chronicles",    "ezra",
      "nehemiah",     "esther",        "job",          "psalms",         "proverbs",
      "ecclesiastes", "songofsolomon", "isaiah",       "jeremiah",       "lamentations",
      "ezekiel",      "daniel",        "hosea",        "joel",           "amos",
      "obadiah",      "jonah",         "micah",        "nahum",          "habakkuk",
      "zephaniah",    "haggai",        "zechariah",    "malachi",        "matthew",
      "mark",         "luke",          "john",         "acts",           "james",
      "1peter",       "2peter",        "1john",        "2john",          "3john",
      "jude",         "romans",        "1corinthians", "2corinthians",   "galatians",
      "ephesians",    "philippians",   "colossians",   "1thessalonians", "2thessalonians",
      "1timothy",     "2timothy",      "titus",        "philemon",       "hebrews",
      "revelation",
  };
  for (int position = 1; position <= kAudioBooks; ++position) {
    SCOPED_TRACE(position);
    const auto i = static_cast<std::size_t>(position - 1);
    const int chapter = position == 31 ? 1 : 2;
    EXPECT_EQ(BulgarianStyleName(position, chapter), bulgarian[i]);
    EXPECT_EQ(EnglishStyleName(position, chapter),
              std::string(english[i]) + std::to_string(chapter) + ".mp3");
  }
}

TEST(AudioNamesTest, BookNumbersMapOntoTheAudioOrder) {
  const struct {
    int BookNumber;
    int Position;
  } cases[] = {{1, 1},   {16, 16}, {17, 0},  {20, 17}, {22, 19}, {26, 0},  {28, 23}, {31, 0},
               {33, 26}, {38, 31}, {46, 39}, {47, 0},  {50, 0},  {51, 40}, {54, 43}, {55, 44},
               {56, 45}, {62, 51}, {63, 52}, {77, 66}, {78, 0},  {87, 0},  {0, 0},   {-3, 0}};
  for (const auto& c : cases) {
    EXPECT_EQ(AudioBookPosition(c.BookNumber), c.Position) << "book " << c.BookNumber;
  }
  // Every position is reached by exactly one book number.
  std::array<int, kAudioBooks + 1> hits{};
  for (int book = 1; book <= 87; ++book) ++hits[static_cast<std::size_t>(AudioBookPosition(book))];
  for (int position = 1; position <= kAudioBooks; ++position) {
    EXPECT_EQ(hits[static_cast<std::size_t>(position)], 1) << "position " << position;
  }
}

}  // namespace
}  // namespace lectora
