#include "store/TranslationTable.h"

#include <array>

#include "store/LectoraError.h"

namespace lectora {

namespace {

// The texts are UTF-8 here; TBible converts them to the module's code page
// when it hands them out.
constexpr std::array<TTranslationInfo, kTranslationCount> kTable = {{
    {"ORT\\", "Synod", "Глава ", "  Псалом ", 24, false, false, 0},
    {"bgnew\\", "", "Глава ", "  Псалом ", 53, false, false, 0},
    {"Veren\\", "Veren", "Глава ", "  Псалом ", 24, false, false, 0},
    {"38\\", "bg38", "Глава ", "  Псалом ", 25, false, false, 0},
    {"Tzrg\\", "bg14", "Глава ", "  ПСАЛОМ ", 26, false, false, 0},
    {"Srb\\", "Srb", "Голова ", "Псалом ", 27, false, false, 2},
    {"RU\\", "Rus", "Голова ", "Псалом ", 27, true, false, 3},
    {"ROM\\", "Rom", "Capitolul ", "Psalmul ", 48, true, false, 4},
    {"KJVSN\\", "KJVSn", "Chapter ", "Psalm ", 28, false, true, 5},
    {"ASV\\", "ASV", "Chapter ", "Psalm ", 29, false, false, 5},
    {"Gr\\", "GrNt", "", "", 30, false, true, 6},
    {"VUL\\", "Vulg", "Caput ", "Psalmus ", 31, false, false, 7},
}};

}  // namespace

const TTranslationInfo& TranslationInfo(int number) {
  if (number < 0 || number >= kTranslationCount) {
    throw LectoraError("", 0, "unknown translation number " + std::to_string(number));
  }
  return kTable[static_cast<std::size_t>(number)];
}

std::string TranslationFolderName(int number) {
  std::string folder = TranslationInfo(number).Folder;
  if (!folder.empty() && folder.back() == '\\') folder.pop_back();
  return folder;
}

}  // namespace lectora
