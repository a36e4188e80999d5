#include "tools/dde/DdeServer.h"

#include <QAction>

#include "display/QtText.h"
#include "navigation/ActiveTranslation.h"
#include "settings/OptionValues.h"
#include "store/Bible.h"
#include "tools/dde/OnTopClient.h"
#include "tools/dictionary/Dictionary.h"
#include "tools/search/SearchService.h"

namespace lectora {

namespace {

// The item names, in TItem order.
constexpr std::array<const char*, 6> kItemNames = {"SetBook", "SetChapter",  "SetVerse",
                                                   "Explane", "Concordance", "CloseOnTop"};
// The dictionary's words are Windows-1251.
constexpr int kDictionaryCharset = 204;
constexpr int kDefaultCharset = 204;

}  // namespace

TDdeServer::TDdeServer(TActiveTranslation& active, TOptionValues& options, IDictionary& dictionary,
                       TSearchService& search, TOnTopClient& onTop, QObject* parent)
    : QObject(parent),
      active_(active),
      options_(options),
      dictionary_(dictionary),
      search_(search),
      onTop_(onTop) {}

int TDdeServer::ItemOf(const QString& item) {
  for (int i = 0; i < kItems; ++i) {
    if (item.compare(QLatin1String(kItemNames[static_cast<std::size_t>(i)]), Qt::CaseInsensitive) ==
        0) {
      return i;
    }
  }
  return -1;
}

bool TDdeServer::Poke(const QString& item, const QString& text) {
  switch (ItemOf(item)) {
    case kSetBook:
      SetBookPokeData(text);
      break;
    case kSetChapter:
      SetChapterPokeData(text);
      break;
    case kSetVerse:
      SetVersePokeData(text);
      break;
    case kExplane:
      ExplanePokeData(text);
      break;
    case kConcordance:
      ConcordancePokeData(text);
      break;
    case kCloseOnTop:
      CloseOnTopPokeData(text);
      break;
    default:
      return false;
  }
  Q_EMIT Poked(item);
  return true;
}

bool TDdeServer::Request(const QString& item, QString& text) const {
  const int index = ItemOf(item);
  if (index < 0) return false;
  text = items_[static_cast<std::size_t>(index)];
  return true;
}

int TDdeServer::Charset() const {
  const TBible* bible = active_.Bible();
  return bible != nullptr ? bible->Language.Charset() : kDefaultCharset;
}

void TDdeServer::TakeCurrentVerse() {
  const std::string verse = Hooks.CurrentVerseText ? Hooks.CurrentVerseText() : std::string();
  items_[kSetVerse] = DecodeCharset(verse, Charset());
}

void TDdeServer::SetBookPokeData(const QString& text) {
  items_[kSetBook] = text;
  if (!HasBibleWindow() || !Hooks.EnterBookBox) return;
  Hooks.EnterBookBox(EncodeCharset(text, Charset()));
  // Also after a text that is no reference: then it is the unchanged verse.
  TakeCurrentVerse();
}

void TDdeServer::SetChapterPokeData(const QString& text) {
  items_[kSetChapter] = text;
  if (HasBibleWindow() && Hooks.SetChapterText) Hooks.SetChapterText(text);
}

void TDdeServer::SetVersePokeData(const QString& text) {
  items_[kSetVerse] = text;
  if (!HasBibleWindow() || !Hooks.SetVerseText) return;
  Hooks.SetVerseText(text);
  TakeCurrentVerse();
}

void TDdeServer::ExplanePokeData(const QString& text) {
  items_[kExplane] = text;
  dictionary_.LookUpWord(EncodeCharset(text, kDictionaryCharset));
}

void TDdeServer::ConcordancePokeData(const QString& text) {
  items_[kConcordance] = text;
  if (options_.GetOption(TOptionValues::kAutoMin) && Hooks.MinimizeDictionary) {
    Hooks.MinimizeDictionary();
  }
  if (Hooks.SearchBox != nullptr && active_.Bible() != nullptr) {
    const std::string wanted = EncodeCharset(text, Charset());
    // The box searches when its text changes; the same text stays as it is.
    if (Hooks.SearchBox->BoxText() != wanted) {
      search_.SearchTextLanguage = search_.ActiveLanguage();
      Hooks.SearchBox->PutText(wanted);
    }
  }
  if (Hooks.BringToFront) Hooks.BringToFront();
  search_.OpenFirstFound();
}

void TDdeServer::CloseOnTopPokeData(const QString& text) {
  items_[kCloseOnTop] = text;
  if (onTop_.Connected()) onTop_.Close();
}

}  // namespace lectora
