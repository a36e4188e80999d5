#include "modules/CliImportCommands.h"

#include "modules/JsonWriter.h"
#include "modules/SwordBibleImporter.h"
#include "modules/SwordDictionaryImporter.h"

namespace lectora {

namespace {

// One line on `err` for the characters the code page lacked, so a lossy
// import is never silent; nothing when every character fitted.
void ReportFitting(const TFitCounts& fit, std::ostream& err) {
  if (fit.Total() == 0) return;
  err << "warning: " << fit.Total()
      << " characters are not in the code page: " << fit.Transliterated
      << " Greek or Hebrew letters transliterated, " << fit.Approximated << " given a near form, "
      << fit.Dropped << " marks left out, " << fit.Unaccented
      << " Greek letters written without accents, " << fit.Unknown << " written as \"?\"\n";
}

void ReportWarnings(const std::vector<std::string>& warnings, int malformed, std::ostream& err) {
  for (const std::string& warning : warnings) err << "warning: " << warning << "\n";
  if (malformed > static_cast<int>(warnings.size())) {
    err << "warning: " << malformed << " entries with malformed markup in all (text kept)\n";
  }
}

void AddFitMembers(TJsonWriter& json, const TFitCounts& fit) {
  json.Key("replacedCharacters");
  json.BeginObject();
  json.Member("transliterated", fit.Transliterated);
  json.Member("approximated", fit.Approximated);
  json.Member("dropped", fit.Dropped);
  json.Member("unaccented", fit.Unaccented);
  json.Member("unknown", fit.Unknown);
  json.EndObject();
}

}  // namespace

void RunImportSwordCommand(const TImportCommandOptions& options, std::ostream& out,
                           std::ostream& err) {
  const std::string& impFile = options.Arguments.at(0);
  const std::string& moduleDir = options.Arguments.at(1);
  const TSwordImportReport report =
      ImportSwordBible(impFile, moduleDir, options.Translation,
                       {options.DiffFile, options.LinksFile, options.NamesFile});
  ReportWarnings(report.Warnings, report.MalformedEntries, err);
  ReportFitting(report.Counts.CodePage, err);
  if (options.Json) {
    TJsonWriter json;
    json.BeginObject();
    json.Member("module", moduleDir);
    json.Member("translation", options.Translation);
    json.Member("books", report.Module.BookCount);
    json.Member("verses", report.Module.VerseCount);
    json.Member("words", report.Module.WordCount);
    json.Member("linkedVerses", report.Module.LinkedVerses);
    json.Member("strongNumbers", report.Counts.StrongNumbers);
    json.Member("droppedStrongNumbers", report.Counts.DroppedStrongNumbers);
    json.Member("emptyBooks", report.EmptyBooks);
    json.Member("notes", report.Counts.Notes);
    json.Member("addedWords", report.Counts.AddedWords);
    json.Member("paragraphs", report.Counts.Paragraphs);
    json.Member("titles", report.Counts.Titles);
    json.Member("malformedEntries", report.MalformedEntries);
    AddFitMembers(json, report.Counts.CodePage);
    json.EndObject();
    out << json.Text() << "\n";
    return;
  }
  out << "Imported " << moduleDir << ": " << report.Module.BookCount << " books, "
      << report.Module.VerseCount << " verses, " << report.Module.WordCount << " words, "
      << report.Module.LinkedVerses << " verses with links\n"
      << "  " << report.Counts.StrongNumbers << " Strong's numbers ("
      << report.Counts.DroppedStrongNumbers << " left out), " << report.Counts.Notes << " notes, "
      << report.Counts.AddedWords << " added-word runs, " << report.Counts.Paragraphs
      << " paragraph marks, " << report.Counts.Titles << " titles";
  if (report.EmptyBooks > 0) out << ", " << report.EmptyBooks << " empty books left out";
  out << "\n";
}

void RunImportSwordDictionaryCommand(const TImportCommandOptions& options, std::ostream& out,
                                     std::ostream& err) {
  const std::vector<std::string> impFiles(options.Arguments.begin(), options.Arguments.end() - 1);
  const std::string& base = options.Arguments.back();
  const TSwordDictionaryReport report = ImportSwordDictionary(impFiles, base, options.Title);
  ReportWarnings(report.Warnings, report.MalformedEntries, err);
  ReportFitting(report.Counts.CodePage, err);
  if (options.Json) {
    TJsonWriter json;
    json.BeginObject();
    json.Member("dictionary", base);
    json.Member("title", options.Title);
    json.Member("headwords", report.Dictionary.HeadwordCount);
    json.Member("explanations", report.Dictionary.ExplanationCount);
    json.Member("skippedEntries", report.SkippedEntries);
    json.Member("shortenedHeadwords", report.ShortenedHeadwords);
    json.Member("malformedEntries", report.MalformedEntries);
    AddFitMembers(json, report.Counts.CodePage);
    json.EndObject();
    out << json.Text() << "\n";
    return;
  }
  out << "Imported " << base << " (\"" << options.Title
      << "\"): " << report.Dictionary.HeadwordCount << " headwords, "
      << report.Dictionary.ExplanationCount << " explanations\n";
}

}  // namespace lectora
