// A small writer of compact JSON text for lectora-cli's --json output:
// objects, arrays, strings, integers and Booleans. Commas and escaping are
// handled here so callers only say what comes next.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lectora {

class TJsonWriter {
 public:
  // Opens and closes an object or an array. Inside an object each value must
  // be preceded by Key(). REQUIRES: End* matches the innermost Begin*.
  void BeginObject();
  void EndObject();
  void BeginArray();
  void EndArray();
  // The name of the next member of the current object (UTF-8).
  void Key(std::string_view name);

  // `text` is UTF-8; malformed sequences are written as U+FFFD so the output
  // is always valid JSON.
  void String(std::string_view text);
  void Number(std::int64_t value);
  void Bool(bool value);
  void Null();

  // Shorthands for Key() followed by a value.
  void Member(std::string_view name, std::string_view text) { Key(name), String(text); }
  void Member(std::string_view name, const char* text) { Key(name), String(text); }
  void Member(std::string_view name, std::int64_t value) { Key(name), Number(value); }
  void Member(std::string_view name, int value) { Key(name), Number(value); }
  void Member(std::string_view name, bool value) { Key(name), Bool(value); }

  // The text written so far.
  const std::string& Text() const { return text_; }

 private:
  // Writes the comma that separates this value from the one before it.
  void BeforeValue();
  void WriteQuoted(std::string_view text);

  std::string text_;
  // One entry per open container: true while it holds no member yet.
  std::vector<bool> empty_;
  bool afterKey_ = false;
};

}  // namespace lectora
