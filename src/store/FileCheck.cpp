#include "store/FileCheck.h"

#include <filesystem>
#include <system_error>

#include "store/LectoraError.h"
#include "store/MessageService.h"

namespace lectora {

bool CheckFile(const std::string& fileName, bool haltIfMissing, IMessageService* messages) {
  std::error_code error;
  if (std::filesystem::is_regular_file(fileName, error)) return true;
  const std::string text = "File not found: " + fileName;
  if (messages != nullptr) messages->ShowMessage(text);
  if (haltIfMissing) throw LectoraError(fileName, 0, text);
  return false;
}

}  // namespace lectora
