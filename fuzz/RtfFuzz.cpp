// libFuzzer target of the notes' RTF reader and writer: any bytes are read
// with small bounds, so that deep nesting and long inputs hit them; the
// document read is written and read again, and the second reading must
// give the same text (our writer's RTF is our reader's). A crash, a
// sanitizer report or a changed text is a finding.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "store/rtf/RtfReader.h"
#include "store/rtf/RtfWriter.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace lectora;
  TRtfLimits limits;
  limits.MaxBytes = 1 << 16;
  limits.MaxDepth = 32;
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const TRtfDocument first = ReadRtf(input, limits);
  const std::string written = WriteRtf(first);
  // The writer nests no deeper than the font and colour tables.
  const TRtfDocument second = ReadRtf(written);
  if (second.Truncated || second.PlainText() != first.PlainText()) std::abort();
  return 0;
}
