// The current place of the program as one value: which translation it is
// read in, the book, chapter and verse in that translation's numbering, the
// running verse number there, and the standard verse number that carries the
// place to every other translation. Plain data, no Qt.
#pragma once

#include <cstdint>

namespace lectora {

struct TPlace {
  // The translation number (0..11) whose numbering Book, Chapter, Verse and
  // VerseNumber are in; -1 while no translation is active.
  int Translation = -1;
  int Book = 1;  // book number 1..87
  int Chapter = 1;
  int Verse = 1;
  // The running verse number in the translation; 0 before the first move.
  int VerseNumber = 0;
  // The standard verse number ("GlVIndex"); 1 = Genesis 1:1.
  std::int32_t StandardNumber = 1;

  friend bool operator==(const TPlace&, const TPlace&) = default;
};

}  // namespace lectora
