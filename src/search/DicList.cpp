#include "search/DicList.h"

#include <filesystem>

#include "store/BinaryFile.h"
#include "store/LectoraError.h"
#include "store/RFileStream.h"

namespace lectora {

namespace {

namespace fs = std::filesystem;

constexpr char kIndExtension[] = ".ind";

std::string WithExtension(const std::string& fileName, const char* extension) {
  fs::path path(fileName);
  path.replace_extension(extension);
  return path.string();
}

// The name with its extension removed and `suffix` appended ("Bg.ind" ->
// "BgC.ibp"); replace_extension would insert a dot before "C".
std::string WithSuffix(const std::string& fileName, const char* suffix) {
  fs::path path(fileName);
  path.replace_extension();
  return path.string() + suffix;
}

}  // namespace

TDicList::TDicList(const std::string& fileName)
    : stream_(std::make_unique<TIStream>(fileName, WithExtension(fileName, ".ibp"),
                                         WithExtension(fileName, ".ibf"))) {}

std::string TDicList::IndFileOf(const std::string& base) {
  const std::string extension = kIndExtension;
  if (base.size() >= extension.size() &&
      base.compare(base.size() - extension.size(), extension.size(), extension) == 0) {
    return base;
  }
  return base + extension;
}

std::int32_t TDicList::Count() const { return stream_->WordCount(); }

void TDicList::Get(std::int32_t index, std::string& text) const { stream_->ReadWord(index, text); }

std::int32_t TDicList::IndexOf(const std::string& text) const {
  std::int32_t index = 0;
  stream_->Find(text, index);
  return index;
}

bool TDicList::Find(const std::string& text, std::int32_t& index) const {
  return stream_->Find(text, index);
}

TCharSet TDicList::Letters() const { return stream_->WordChars(); }

bool TDicList::HasLettersOf(const std::string& word) const {
  for (const char c : word) {
    if (!stream_->WordChars().test(static_cast<unsigned char>(c))) return false;
  }
  return true;
}

void TDicList::ReadString(std::int32_t index, std::string& text) const {
  if (stream_->OpenFailed()) {
    text.clear();
    return;
  }
  stream_->ReadString(index, text);
}

std::string TDicList::Title() const {
  std::string title;
  ReadString(0, title);
  return title;
}

std::string TDicList::ExplanationIndexFileName() const { return WithSuffix(FileName(), "C.ibp"); }

std::string TDicList::ExplanationDataFileName() const { return WithSuffix(FileName(), "C.ibf"); }

std::vector<std::uint16_t> TDicList::ExplanationList(std::int32_t index) const {
  std::vector<std::uint16_t> records;
  const TRFileStream lists(ExplanationIndexFileName(), OpenMode::Read, ExplanationDataFileName());
  const std::vector<std::uint8_t> record = lists.ReadRecord(index);
  if (record.empty()) return records;  // no list: the window shows nothing
  const std::size_t count = record.size() >= 2 ? GetLE16(record.data()) : 0;
  if (record.size() < 2 || record.size() < 2 + 2 * count) {
    throw LectoraError(lists.DataFileName(), 0,
                       "explanation list " + std::to_string(index) + " holds " +
                           std::to_string(record.size()) + " bytes, too few for its count");
  }
  records.reserve(count);
  for (std::size_t k = 0; k < count; ++k) records.push_back(GetLE16(record.data() + 2 + 2 * k));
  return records;
}

}  // namespace lectora
