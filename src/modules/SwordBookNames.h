// The fixed table that maps the book names of SWORD modules (the English
// names `mod2imp` prints in keys such as "I Samuel 3:4", and the OSIS
// abbreviations such as "1Sam") to our book numbers, with the English title,
// name and short name a module of ours gives each book.
#pragma once

#include <string_view>

namespace lectora {

struct TSwordBook {
  int Number;              // our book number, 1..78
  std::string_view Sword;  // the name in mod2imp keys: "I Samuel"
  std::string_view Osis;   // the OSIS abbreviation: "1Sam"
  std::string_view Name;   // our name and title: "1 Samuel"
  std::string_view Short;  // our alternative name: "1 Sam"
};

// The book a SWORD book name or OSIS abbreviation stands for (letter case
// and runs of blanks do not matter; our own names are accepted too), or
// null when the table does not know it.
const TSwordBook* FindSwordBook(std::string_view name);
// The table row of our book number, or null.
const TSwordBook* SwordBookOfNumber(int number);

}  // namespace lectora
