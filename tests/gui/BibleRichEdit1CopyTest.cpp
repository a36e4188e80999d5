// Whole chapters of every language the modules are written in, selected
// and copied with the keyboard as a reader does, and read back from the
// clipboard in its three renderings: the Unicode text, the RTF (decoded by
// its own font table) and the 8-bit text.
#include <gtest/gtest.h>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QMimeData>
#include <QTest>
#include <cstdlib>
#include <fstream>
#include <map>
#include <memory>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "display/BibleRichEdit1.h"
#include "store/CodePage.h"

namespace lectora {
namespace {

struct Verse {
  std::string head;  // UTF-8, shown in bold
  std::string body;  // UTF-8, may carry the bold and italic markup
};

struct Chapter {
  std::string name;
  int charset;
  std::vector<Verse> verses;
};

std::string DataPath(const std::string& relative) {
  return std::string(LECTORA_SOURCE_DIR) + "/tests/data/" + relative;
}

std::vector<std::string> Lines(const std::string& path) {
  std::ifstream in(path);
  EXPECT_TRUE(in) << path;
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line[0] != '#') lines.push_back(line);
  }
  return lines;
}

std::vector<std::string> Fields(const std::string& line) {
  std::vector<std::string> fields;
  std::stringstream in(line);
  for (std::string field; std::getline(in, field, '\t');) fields.push_back(field);
  return fields;
}

std::string Head(int verse) { return (verse == 1 ? "" : "\r\n") + std::to_string(verse) + " "; }

// Every chapter of the King James sample, Strong's numbers dropped as the
// Bible window drops them.
std::vector<Chapter> EnglishChapters() {
  std::map<std::pair<int, int>, Chapter> chapters;
  const std::regex strong(" ?<[0-9]+>");
  for (const std::string& line : Lines(DataPath("kjv-sample/verses.tsv"))) {
    const std::vector<std::string> f = Fields(line);
    if (f.size() < 4) continue;
    const std::pair<int, int> key{std::stoi(f[0]), std::stoi(f[1])};
    Chapter& chapter = chapters[key];
    chapter.name = "KJV " + f[0] + ":" + f[1];
    chapter.charset = 0;
    chapter.verses.push_back({Head(std::stoi(f[2])), std::regex_replace(f[3], strong, "")});
  }
  std::vector<Chapter> out;
  for (auto& [key, chapter] : chapters) out.push_back(std::move(chapter));
  return out;
}

Chapter ChapterFile(const std::string& file, int charset) {
  Chapter chapter{file, charset, {}};
  for (const std::string& line : Lines(DataPath("copy-chapters/" + file))) {
    const std::vector<std::string> f = Fields(line);
    if (f.size() == 2) chapter.verses.push_back({Head(std::stoi(f[0])), f[1]});
  }
  return chapter;
}

std::vector<Chapter> AllChapters() {
  std::vector<Chapter> chapters = EnglishChapters();
  chapters.push_back(ChapterFile("john3-ru.tsv", 204));
  chapters.push_back(ChapterFile("john3-sr.tsv", 204));
  chapters.push_back(ChapterFile("john3-la.tsv", 0));
  chapters.push_back(ChapterFile("john3-el.tsv", 161));
  int n = 0;
  for (const std::string& line : Lines(DataPath("copy-chapters/samples.tsv"))) {
    const std::vector<std::string> f = Fields(line);
    if (f.size() != 2) continue;
    chapters.push_back({"sample " + std::to_string(++n), std::stoi(f[0]), {{"1 ", f[1]}}});
  }
  return chapters;
}

// Without the bold and italic markup, as the control shows the text.
std::string Unmarked(std::string text) {
  std::erase(text, '|');
  std::erase(text, '\\');
  return text;
}

// The chapter as the reader sees it, line ends included.
std::string ExpectedUtf8(const Chapter& chapter) {
  std::string out;
  for (const Verse& v : chapter.verses) out += v.head + Unmarked(v.body);
  return out;
}

// The Romanian S and T with cedilla are copied as the letters with comma
// below.
std::string WithCommaBelow(std::string text) {
  const std::pair<const char*, const char*> pairs[] = {
      {"Ş", "Ș"}, {"ş", "ș"}, {"Ţ", "Ț"}, {"ţ", "ț"}};
  for (const auto& [from, to] : pairs) {
    for (std::size_t at; (at = text.find(from)) != std::string::npos;) {
      text.replace(at, std::string(from).size(), to);
    }
  }
  return text;
}

// A reader of the RTF the control writes: font table, font switches, bold
// and italic, paragraphs, escaped braces and "\'hh" bytes decoded by the
// charset of the font in force. Returns UTF-8.
std::string DecodeRtf(const std::string& rtf) {
  std::map<int, int> charsetOf;
  const std::regex entry(R"(\{\\f([0-9]+)\\f[a-z]+(?:\\fcharset([0-9]+))? [^;]*;\})");
  for (std::sregex_iterator it(rtf.begin(), rtf.end(), entry), end; it != end; ++it) {
    charsetOf[std::stoi((*it)[1])] = (*it)[2].matched ? std::stoi((*it)[2]) : 0;
  }
  const std::string tableEnd = ";}}";
  std::size_t i = rtf.find(tableEnd);
  EXPECT_NE(i, std::string::npos);
  i += tableEnd.size();
  std::string out;
  int charset = 0;
  std::string pending;  // bytes of one font, decoded when the font changes
  const auto flush = [&] {
    out += CodePageToUtf8(pending, CodePageOfCharset(charset));
    pending.clear();
  };
  const std::size_t last = rtf.size() - 1;  // the closing brace
  EXPECT_EQ(rtf[last], '}');
  while (i < last) {
    const char c = rtf[i];
    if (c != '\\') {
      pending += c;
      ++i;
      continue;
    }
    const char next = rtf[i + 1];
    if (next == '{' || next == '}' || next == '\\') {
      pending += next;
      i += 2;
    } else if (next == '\'') {
      pending += static_cast<char>(std::stoi(rtf.substr(i + 2, 2), nullptr, 16));
      i += 4;
    } else {
      std::size_t j = i + 1;
      while (j < last && std::isalpha(static_cast<unsigned char>(rtf[j]))) ++j;
      const std::string word = rtf.substr(i + 1, j - i - 1);
      std::size_t k = j;
      while (k < last && std::isdigit(static_cast<unsigned char>(rtf[k]))) ++k;
      const std::string number = rtf.substr(j, k - j);
      if (k < last && rtf[k] == ' ') ++k;  // the delimiter belongs to the word
      if (word == "f") {
        flush();
        charset = charsetOf.at(std::stoi(number));
      } else if (word == "par") {
        pending += "\r\n";
      } else {
        EXPECT_TRUE(word == "b" || word == "i") << "unexpected \\" << word;
      }
      i = k;
    }
  }
  flush();
  return out;
}

class BibleRichEdit1CopyTest : public testing::Test {
 protected:
  std::vector<std::string> searchWords;
  TDisplayContext context{searchWords};
};

TEST_F(BibleRichEdit1CopyTest, WholeChaptersOfEveryLanguageCopyInThreeForms) {
  std::vector<std::string> errors;
  context.ShowError = [&](const std::string& message) { errors.push_back(message); };
  const std::vector<Chapter> chapters = AllChapters();
  ASSERT_GE(chapters.size(), 30u);
  for (const Chapter& chapter : chapters) {
    SCOPED_TRACE(chapter.name);
    const int codePage = CodePageOfCharset(chapter.charset);
    TBibleRichEdit1 edit(context);
    edit.Font().Font = QFont(QStringLiteral("DejaVu Sans"));
    edit.Font().Charset = chapter.charset;
    for (const Verse& v : chapter.verses) {
      std::string head;
      std::string body;
      ASSERT_TRUE(Utf8ToCodePage(v.head, codePage, head));
      ASSERT_TRUE(Utf8ToCodePage(v.body, codePage, body)) << v.body;
      edit.AddPair(head, body);
    }
    edit.resize(400, 300);
    edit.show();
    edit.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&edit));
    QTest::mouseClick(&edit, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_C, Qt::ControlModifier);

    const std::string expected = ExpectedUtf8(chapter);
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    const std::string unicode = data->text().toStdString();
    EXPECT_EQ(unicode, codePage == 1250 ? WithCommaBelow(expected) : expected);

    const QByteArray rtf = data->data(QStringLiteral("text/rtf"));
    ASSERT_FALSE(rtf.isEmpty());
    EXPECT_EQ(rtf.toStdString() + '\0', edit.CopyRtf());
    EXPECT_EQ(DecodeRtf(rtf.toStdString()), expected);

    const QByteArray eightBit = data->data(TBibleRichEdit1::EightBitMimeType(codePage));
    ASSERT_FALSE(eightBit.isEmpty()) << data->formats().join(u' ').toStdString();
    EXPECT_EQ(CodePageToUtf8(eightBit.toStdString(), codePage), expected);
  }
  EXPECT_TRUE(errors.empty()) << errors.front();
}

}  // namespace
}  // namespace lectora
