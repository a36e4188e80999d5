// The names of the chapter recordings, by book position in the order of the
// audio translation (module "38": the general epistles before Romans) and
// chapter. Two naming styles are looked for: the Bulgarian style, one folder
// per book ("19 - Psalmi/Psalom 023.mp3"), and the English style, every file
// in the audio folder itself ("genesis1.mp3"). No Qt: the names are plain
// ASCII.
#pragma once

#include <string>

namespace lectora {

// Books with a recording: positions 1..66.
inline constexpr int kAudioBooks = 66;

// "01 - Bitie/Bitie 01.mp3": the book's folder, "/", then the file name as
// BulgarianStyleFileName gives it. Empty for a position outside 1..66.
std::string BulgarianStyleName(int position, int chapter);
// The file part of the Bulgarian style: name, blank, two-digit chapter and
// ".mp3"; the Psalms are "Psalom" with three digits, Obadiah (one chapter)
// carries no chapter number. Empty for a position outside 1..66.
std::string BulgarianStyleFileName(int position, int chapter);
// "genesis1.mp3": the English name, the chapter without leading zeros,
// ".mp3". Empty for a position outside 1..66.
std::string EnglishStyleName(int position, int chapter);

// The position 1..66 of book number `bookNumber` (1..87) in the order of the
// audio translation; 0 for the books it does not have (the deuterocanonical
// books and the numbers beyond Revelation). Used when that translation is
// not installed and another one is read aloud: its own book order may
// differ (the King James puts Romans right after Acts), but a book number
// names the same book in every translation.
int AudioBookPosition(int bookNumber);

}  // namespace lectora
