// The one exception type of the core: malformed data in a named file, or a
// shared file that must exist and does not. The program catches it at the
// window boundary and shows what(); lectora-cli prints it and exits with 2.
#pragma once

#include <stdexcept>
#include <string>

namespace lectora {

class LectoraError : public std::runtime_error {
 public:
  // `file` names the file at fault (may be empty for errors about the
  // command line); `line` is 1-based, 0 when no line applies.
  LectoraError(std::string file, int line, const std::string& message);

  const std::string& File() const { return file_; }
  int Line() const { return line_; }
  // The bare message without the "file:line: " prefix that what() carries.
  const std::string& Message() const { return message_; }

 private:
  std::string file_;
  int line_;
  std::string message_;
};

}  // namespace lectora
