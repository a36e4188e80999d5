#include "mainwindow/BookNamePrefix.h"

namespace lectora {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

bool IsBareBookNamePrefix(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  while (i < text.size() && IsDigit(text[i])) ++i;
  while (i < text.size() && (text[i] == ' ' || text[i] == '.')) ++i;
  if (i == text.size()) return false;
  for (; i < text.size(); ++i) {
    if (IsDigit(text[i]) || text[i] == ':' || text[i] == ',') return false;
  }
  return true;
}

}  // namespace lectora
