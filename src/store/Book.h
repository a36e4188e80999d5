// One book of a module: its three name forms and its chapter sizes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace lectora {

struct TBook {
  std::string Title;
  // The form used in references ("Name chapter:verse").
  std::string Name;
  // Replaces Name in references when the other name form is chosen.
  std::string AltName;
  // Name through NormalizeName: what typed book names are matched against.
  std::string MatchName;
  // Element c-1 = number of verses of chapter c; the size is the chapter count.
  std::vector<std::uint8_t> VerseCounts;
  // Verse number of the book's last verse (running total in module order).
  std::uint16_t LastVerse = 0;
};

// A versification difference: from Chapter, Verse onward within that
// chapter, standard = own + DeltaChapter, DeltaVerse. Records of
// DiffToStandard start at an own place, those of DiffFromStandard at the
// standard place.
struct TDiffRecord {
  std::uint8_t Chapter = 0;
  std::uint8_t Verse = 0;
  std::int8_t DeltaChapter = 0;
  std::int8_t DeltaVerse = 0;
};

}  // namespace lectora
