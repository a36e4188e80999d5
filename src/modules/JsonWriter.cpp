#include "modules/JsonWriter.h"

namespace lectora {

namespace {

// Length of the well-formed UTF-8 sequence at the front of `text`, or 0 when
// it is malformed (bad lead byte, missing or bad continuation, overlong form,
// surrogate, beyond U+10FFFF).
std::size_t Utf8SequenceLength(std::string_view text) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(0);
  std::size_t length;
  char32_t code;
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    code = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    code = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    code = lead & 0x07;
  } else {
    return 0;
  }
  if (text.size() < length) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(i) & 0xC0) != 0x80) return 0;
    code = (code << 6) | (byte(i) & 0x3F);
  }
  if (length == 3 && (code < 0x800 || (code >= 0xD800 && code <= 0xDFFF))) return 0;
  if (length == 4 && (code < 0x10000 || code > 0x10FFFF)) return 0;
  return length;
}

}  // namespace

void TJsonWriter::BeforeValue() {
  if (afterKey_) {
    afterKey_ = false;
    return;
  }
  if (!empty_.empty()) {
    if (!empty_.back()) text_ += ',';
    empty_.back() = false;
  }
}

void TJsonWriter::BeginObject() {
  BeforeValue();
  text_ += '{';
  empty_.push_back(true);
}

void TJsonWriter::EndObject() {
  text_ += '}';
  if (!empty_.empty()) empty_.pop_back();
}

void TJsonWriter::BeginArray() {
  BeforeValue();
  text_ += '[';
  empty_.push_back(true);
}

void TJsonWriter::EndArray() {
  text_ += ']';
  if (!empty_.empty()) empty_.pop_back();
}

void TJsonWriter::Key(std::string_view name) {
  BeforeValue();
  WriteQuoted(name);
  text_ += ':';
  afterKey_ = true;
}

void TJsonWriter::String(std::string_view text) {
  BeforeValue();
  WriteQuoted(text);
}

void TJsonWriter::Number(std::int64_t value) {
  BeforeValue();
  text_ += std::to_string(value);
}

void TJsonWriter::Bool(bool value) {
  BeforeValue();
  text_ += value ? "true" : "false";
}

void TJsonWriter::Null() {
  BeforeValue();
  text_ += "null";
}

void TJsonWriter::WriteQuoted(std::string_view text) {
  static const char kHex[] = "0123456789abcdef";
  text_ += '"';
  std::size_t i = 0;
  while (i < text.size()) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c >= 0x80) {
      const std::size_t length = Utf8SequenceLength(text.substr(i));
      if (length == 0) {
        text_ += "\xEF\xBF\xBD";  // U+FFFD for a malformed byte
        ++i;
      } else {
        text_.append(text.substr(i, length));
        i += length;
      }
      continue;
    }
    switch (c) {
      case '"':
        text_ += "\\\"";
        break;
      case '\\':
        text_ += "\\\\";
        break;
      case '\b':
        text_ += "\\b";
        break;
      case '\f':
        text_ += "\\f";
        break;
      case '\n':
        text_ += "\\n";
        break;
      case '\r':
        text_ += "\\r";
        break;
      case '\t':
        text_ += "\\t";
        break;
      default:
        if (c < 0x20) {
          text_ += "\\u00";
          text_ += kHex[c >> 4];
          text_ += kHex[c & 0x0F];
        } else {
          text_ += static_cast<char>(c);
        }
    }
    ++i;
  }
  text_ += '"';
}

}  // namespace lectora
