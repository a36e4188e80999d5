// One dictionary as the headword list box and the dictionary window see it:
// its sorted headwords, its letter set, its article records and, from the
// explanation-list file beside it, the explanations of each headword.
//
// A dictionary with base name N is five files: N".ind" (headword index, see
// IStream.h), N".ibf"/N".ibp" (record 0 the title, then one record per
// explanation, each beginning with its headword) and N"C.ibf"/N"C.ibp"
// (record i for headword i: u16 count n, then n u16 record numbers of
// N".ibf", little-endian).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "search/IStream.h"
#include "search/LargeStringList.h"

namespace lectora {

class TDicList : public TLargeStringList {
 public:
  // Opens the dictionary whose ".ind" file is `fileName`; the article pair
  // is the same name with ".ibp"/".ibf" for its extension. Missing files give
  // an empty dictionary (no headwords, no records), never an error.
  explicit TDicList(const std::string& fileName);
  TDicList(const TDicList&) = delete;
  TDicList& operator=(const TDicList&) = delete;

  // The ".ind" file name of a dictionary base name: `base` itself when it
  // already ends in ".ind", else `base` + ".ind".
  static std::string IndFileOf(const std::string& base);

  // The number of headwords.
  std::int32_t Count() const override;
  // `text` := the headword at sorted position `index`; empty outside the list.
  void Get(std::int32_t index, std::string& text) const override;
  // The position Find gives for `text`, found or not.
  std::int32_t IndexOf(const std::string& text) const override;

  // The headword search of TIStream::Find.
  bool Find(const std::string& text, std::int32_t& index) const;
  // A copy of the letter set.
  TCharSet Letters() const;
  // True when every byte of `word` is in the letter set (also for "").
  bool HasLettersOf(const std::string& word) const;
  // `text` := article record `index` of N".ibf"; empty when there is none.
  // Throws LectoraError naming the file for a damaged record.
  void ReadString(std::int32_t index, std::string& text) const;
  // The dictionary's title, record 0; empty when missing.
  std::string Title() const;
  // The record numbers of headword `index`'s explanations, first shown
  // first, from N"C.ibf"/N"C.ibp". Empty when that file or that record is
  // missing (nothing to show). Throws LectoraError naming the file and the
  // record when the record is shorter than its count says.
  std::vector<std::uint16_t> ExplanationList(std::int32_t index) const;

  const std::string& FileName() const { return stream_->IndFileName(); }
  // The explanation-list file names beside the ".ind".
  std::string ExplanationIndexFileName() const;
  std::string ExplanationDataFileName() const;

 private:
  std::unique_ptr<TIStream> stream_;
};

}  // namespace lectora
