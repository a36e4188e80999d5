// The file of the reader's own link tree ("LinkTree.txt" in the setup
// folder): one line per node in display order, the node's level as leading
// tab characters, its caption up to the first "|", its link after it, CR LF
// line ends, 8-bit Windows-1251. Written by hand because the format is ours
// and must stay byte-exact; the text in memory is UTF-8.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace lectora {

// The code page of the file.
inline constexpr int kLinkTreeCodePage = 1251;

struct TLinkTreeNode {
  int Level = 1;        // 1 = top
  std::string Caption;  // UTF-8
  std::string Link;     // UTF-8; empty = no link
  bool operator==(const TLinkTreeNode&) const = default;
};

struct TLinkTreeContent {
  // In display order; the first has level 1 and each is at most one level
  // deeper than the one before it.
  std::vector<TLinkTreeNode> Nodes;
  // The 1-based numbers of the lines that stood more than one level deeper
  // than the line before them: such a node is put one level below that line
  // (the child of the node before it) rather than losing the tree.
  std::vector<int> RaisedLines;
};

// Parses the bytes of a link-tree file. Never fails: every line gives one
// node. Each leading tab or space counts as one level; a line without "|"
// is a top-level node with an empty caption whose link is the whole line.
// CR LF, LF and CR all end a line; a final line end adds no node.
TLinkTreeContent ParseLinkTree(std::string_view bytes);

// The bytes of a file holding `nodes`, which are put into a valid shape as
// the parser would read them (levels from 1, at most one deeper than the
// node before). What the format cannot hold is changed so that the file
// reads back as the same tree: a line break inside a caption or link
// becomes a space, and blanks leading a caption are dropped (they would
// read as levels). Characters Windows-1251 lacks become "?"; `replaced`
// (may be null) counts them.
std::string FormatLinkTree(const std::vector<TLinkTreeNode>& nodes,
                           std::size_t* replaced = nullptr);

// Reads `fileName` into `content`. False when the file does not exist or
// cannot be read; `content` is then empty.
bool ReadLinkTreeFile(const std::string& fileName, TLinkTreeContent& content);

// Replaces `fileName` with `nodes` atomically (temporary file, flush,
// rename): a crash leaves the old file or the new one, never a mix. Throws
// LectoraError naming the file when it cannot be written; the old file is
// then untouched.
void WriteLinkTreeFile(const std::string& fileName, const std::vector<TLinkTreeNode>& nodes);

}  // namespace lectora
