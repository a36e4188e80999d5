// libFuzzer target of the link-tree reader and writer: any bytes are read as
// a "LinkTree.txt", the tree must have a valid shape (levels from 1, each at
// most one deeper than the node before), writing it and reading it back must
// give the same shape, and a second write must give the same bytes as the
// first. A crash, a sanitizer report or a broken invariant is a finding.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "store/LinkTreeFile.h"

namespace {

using namespace lectora;

void CheckShape(const TLinkTreeContent& content) {
  int previous = 0;
  for (const TLinkTreeNode& node : content.Nodes) {
    if (node.Level < 1 || node.Level > previous + 1) std::abort();
    if (node.Caption.find('|') != std::string::npos) std::abort();
    previous = node.Level;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const TLinkTreeContent first = ParseLinkTree(bytes);
  CheckShape(first);
  const std::string written = FormatLinkTree(first.Nodes);
  const TLinkTreeContent second = ParseLinkTree(written);
  CheckShape(second);
  if (!second.RaisedLines.empty()) std::abort();
  if (second.Nodes.size() != first.Nodes.size()) std::abort();
  for (std::size_t i = 0; i < first.Nodes.size(); ++i) {
    if (second.Nodes[i].Level != first.Nodes[i].Level) std::abort();
  }
  if (FormatLinkTree(second.Nodes) != written) std::abort();
  return 0;
}
