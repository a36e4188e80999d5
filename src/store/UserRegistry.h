// The per-user registry values ("SetupPath"): one small INI file under the
// XDG configuration folder, in the key "Software\Darsel\" + the program name
// with every blank and "." replaced by "_".
#pragma once

#include <string>

namespace lectora {

class TUserRegistry {
 public:
  // `configHome`: the configuration folder ($XDG_CONFIG_HOME, else
  // ~/.config; tests give their own). `programFileName`: the program's file
  // name ("lectora", "lectora-cli").
  TUserRegistry(std::string configHome, const std::string& programFileName);
  // The configuration folder the environment names.
  static std::string DefaultConfigHome();

  // Value := empty, then the stored string when the value exists.
  void ReadRegValue(const std::string& name, std::string& value) const;
  // Stores the string (creating the key when missing); atomic.
  void WriteRegValue(const std::string& name, const std::string& value);

  // "Software\Darsel\" + the program name with blanks and dots as "_".
  const std::string& KeyName() const { return keyName_; }
  // The file that holds the values.
  const std::string& FileName() const { return fileName_; }

 private:
  std::string keyName_;
  std::string fileName_;
};

}  // namespace lectora
