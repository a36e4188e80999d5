#include "tools/language/CaptionFile.h"

#include <cctype>
#include <filesystem>

#include "display/QtText.h"
#include "store/IniFile.h"
#include "store/LectoraError.h"

namespace lectora {

namespace {

constexpr int kCyrillicCharset = 204;  // the files are Windows-1251

}  // namespace

TCaptionFile::TCaptionFile(const std::string& fileName, std::string formName)
    : formName_(std::move(formName)) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(fileName, error)) return;
  try {
    ini_ = std::make_unique<TMyIniFile>(fileName, true);
  } catch (const LectoraError&) {
    ini_.reset();  // unreadable: the design texts stay
  }
}

TCaptionFile::~TCaptionFile() = default;

std::optional<QString> TCaptionFile::Read(const std::string& section,
                                          const std::string& key) const {
  if (!ini_ || !ini_->ValueExists(section, key)) return std::nullopt;
  return DecodeCharset(ini_->ReadString(section, key, ""), kCyrillicCharset);
}

std::optional<QString> TCaptionFile::Caption(const std::string& name) const {
  return Read(formName_, name);
}

std::optional<QString> TCaptionFile::Hint(const std::string& name) const {
  return Read("Hints", name);
}

std::optional<QStringList> TCaptionFile::Items(const std::string& name) const {
  if (!ini_ || !ini_->SectionExists(name)) return std::nullopt;
  QStringList items;
  for (const std::string& key : ini_->ReadSection(name)) {
    items << DecodeCharset(key, kCyrillicCharset);
  }
  return items;
}

std::string TCaptionFile::FormNameOf(const std::string& objectName) {
  for (std::size_t i = 0; i + 1 < objectName.size(); ++i) {
    if (objectName[i] == '_' && std::isdigit(static_cast<unsigned char>(objectName[i + 1]))) {
      return objectName.substr(0, i);
    }
  }
  return objectName;
}

}  // namespace lectora
