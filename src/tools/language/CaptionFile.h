// One window's caption file of an interface language ("<Language>/<Form>.txt",
// the INI layout, Windows-1251): the window's caption, its components'
// captions in the form's section, their hints in "Hints", and the items of
// radio groups and combo boxes as the key names of a section of their own.
#pragma once

#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <string>

namespace lectora {

class TMyIniFile;

class TCaptionFile {
 public:
  // Reads `fileName` when it exists; a missing file answers nothing and
  // `Exists` is false. A file that cannot be read is treated as missing.
  TCaptionFile(const std::string& fileName, std::string formName);
  ~TCaptionFile();

  bool Exists() const { return ini_ != nullptr; }
  const std::string& FormName() const { return formName_; }
  // The caption of `name` in the form's section, or nothing without a key.
  std::optional<QString> Caption(const std::string& name) const;
  // The hint of `name` in "Hints", or nothing without a key.
  std::optional<QString> Hint(const std::string& name) const;
  // The key names of section `name` in file order, or nothing without the
  // section.
  std::optional<QStringList> Items(const std::string& name) const;

  // The file a window reads: "_2" and any other "_<digit>" suffix is cut,
  // so that every instance of a window reads the same file.
  static std::string FormNameOf(const std::string& objectName);

 private:
  std::optional<QString> Read(const std::string& section, const std::string& key) const;

  std::string formName_;
  std::unique_ptr<TMyIniFile> ini_;
};

}  // namespace lectora
