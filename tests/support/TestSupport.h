// Shared fixtures of the core tests: a temporary folder per test, fakes of
// the platform services, and small modules compiled from tests/data.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "store/DriveDialog.h"
#include "store/MessageService.h"

namespace lectora::test {

// A fresh folder removed again with the object; Path() ends in "/".
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::string& Path() const { return path_; }
  // Path() + `name`.
  std::string File(const std::string& name) const { return path_ + name; }

 private:
  std::string path_;
};

// Records every message instead of showing it.
class RecordingMessages : public IMessageService {
 public:
  void ShowMessage(const std::string& text) override { Messages.push_back(text); }
  std::vector<std::string> Messages;
};

// Answers with a preset root (or cancel) and counts the questions.
class ScriptedDriveDialog : public IDriveDialog {
 public:
  std::optional<std::string> ChooseRoot(const std::string& rememberedRoot) override {
    ++Calls;
    LastPreset = rememberedRoot;
    return Answer;
  }
  std::optional<std::string> Answer;
  int Calls = 0;
  std::string LastPreset;
};

// Writes `bytes` to `fileName`, creating folders as needed.
void WriteFile(const std::string& fileName, const std::string& bytes);
// The whole file, or "" when it cannot be read.
std::string ReadFile(const std::string& fileName);
// The project's source folder and its tests/data folder, with trailing "/".
std::string SourceDir();
std::string TestDataDir();
// Copies the shipped "BibleStructure.txt" and "Abrevs.txt" into `setupFolder`.
void CopySharedData(const std::string& setupFolder);

}  // namespace lectora::test
