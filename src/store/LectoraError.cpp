#include "store/LectoraError.h"

namespace lectora {

namespace {

std::string Compose(const std::string& file, int line, const std::string& message) {
  std::string text;
  if (!file.empty()) {
    text = file;
    if (line > 0) text += ":" + std::to_string(line);
    text += ": ";
  }
  return text + message;
}

}  // namespace

LectoraError::LectoraError(std::string file, int line, const std::string& message)
    : std::runtime_error(Compose(file, line, message)),
      file_(std::move(file)),
      line_(line),
      message_(message) {}

}  // namespace lectora
