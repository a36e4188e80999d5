// The reader's machine: the group stack with the character state of each
// group, the font and colour tables, and the document being built. ReadRtf
// (RtfReader.h) is its only user.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "store/rtf/RtfDocument.h"
#include "store/rtf/RtfReader.h"

namespace lectora {

class TRtfParser {
 public:
  TRtfParser(std::string_view rtf, const TRtfLimits& limits);
  TRtfParser(const TRtfParser&) = delete;
  TRtfParser& operator=(const TRtfParser&) = delete;

  // Reads the whole input once. REQUIRES: called once.
  TRtfDocument Parse();

 private:
  // Where the text of the current group goes.
  enum class TDest : std::uint8_t { Text, FontTable, ColorTable, Skip };
  struct TState {
    TDest Dest = TDest::Text;
    int Font = -1;  // -1 = \deff
    int HalfPoints = 24;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    int Color = 0;
    int UnicodeSkip = 1;  // \uc
  };
  struct TFont {
    std::string Name;  // 8-bit, in the font's own code page
    int Charset = -1;
    std::string Family;  // Name trimmed and decoded to UTF-8, once needed
    bool Decoded = false;
  };

  void OpenGroup();
  void CloseGroup();
  void ControlWord();
  void ControlSymbol(char symbol);
  void Word(std::string_view name, bool hasParam, std::int64_t param);
  bool FormatWord(std::string_view name, bool hasParam, std::int64_t param);
  bool TableWord(std::string_view name, std::int64_t param);
  bool CharacterWord(std::string_view name);
  bool SkipsDestination(std::string_view name) const;
  void Byte(unsigned char byte);
  void TableByte(unsigned char byte);
  void HexByte();
  void Unicode(std::int64_t value);
  void Character(char16_t c);
  void EndParagraph();
  void SkipBinary(std::int64_t count);
  int CodePage() const;
  const TRtfFormat& CurrentFormat();
  void Changed() { formatDirty_ = true; }

  std::string_view in_;
  std::size_t pos_ = 0;
  TRtfLimits limits_;
  std::vector<TState> stack_;
  TState state_;
  // Groups opened past MaxDepth and not yet closed: all they hold is left out.
  int overflow_ = 0;
  // Characters still to skip after \uN (the fallback of the \uc count).
  int pendingSkip_ = 0;
  int defaultFont_ = 0;
  int documentCodePage_ = 1252;
  std::map<int, TFont> fonts_;
  int fontEntry_ = 0;
  std::vector<std::int32_t> colors_;
  int red_ = -1, green_ = -1, blue_ = -1;
  TRtfFormat format_;
  bool formatDirty_ = true;
  TRtfDocument document_;
  TRtfParagraph paragraph_;
};

}  // namespace lectora
