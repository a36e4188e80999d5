#include "modules/OsisConverter.h"

#include <gtest/gtest.h>

#include <string>

namespace lectora {
namespace {

struct MarkupCase {
  const char* Name;
  const char* Markup;
  const char* Text;
  const char* Title;
  bool Paragraph;
  int Malformed;
};

// Bible text for an English module (Windows-1252).
const MarkupCase kBibleCases[] = {
    {"StrongNumberFollowsItsWord", R"(In the <w lemma="strong:H7225">beginning</w>.)",
     "In the beginning <7225>.", "", false, 0},
    {"SeveralLemmasGiveSeveralGroupsAndMorphologyIsDropped",
     R"(<w lemma="strong:G3588 strong:G2316" morph="robinson:T-NSM">God</w> is)",
     "God <3588> <2316> is", "", false, 0},
    {"LeadingZerosAndLetterGo", R"(<w lemma="strong:H0053">Absalom</w>)", "Absalom <53>", "", false,
     0},
    {"EmptyWordStillGivesItsNumber", R"(and <w lemma="strong:H0853"/> the)", "and <853> the", "",
     false, 0},
    {"LemmaWithoutStrongPrefixGivesNothing", R"(<w lemma="lemma.TR:logos">Word</w>)", "Word", "",
     false, 0},
    {"ThmlSyncGivesAStrongGroup", R"(beginning<sync type="Strongs" value="H07225"/> God)",
     "beginning <7225> God", "", false, 0},
    {"NoteBecomesBracesWithoutItsAnnotateReference",
     R"(light.<note placement="foot"><reference type="annotateRef">1.3 </reference>Heb. between</note> And)",
     "light.{Heb. between} And", "", false, 0},
    {"AddedWordsBecomeItalic", R"(darkness <transChange type="added">was</transChange> upon)",
     "darkness |was| upon", "", false, 0},
    {"StrongNumberInsideAddedWords",
     R"(<transChange type="added"><w lemma="strong:H1961">was</w></transChange>)", "|was <1961>|",
     "", false, 0},
    {"LeadingPilcrowStartsAParagraph",
     R"(<div type="x-milestone" subType="x-preverse" sID="pv1"/><div sID="g" type="x-p"/> ¶ And God)",
     "And God", "", true, 0},
    {"MilestoneStartsAParagraph", R"(<milestone type="x-p" marker="¶"/>And God)", "And God", "",
     true, 0},
    {"ParagraphElementStartsAParagraph", R"(<p>And God</p>)", "And God", "", true, 0},
    {"PilcrowInsideTheVerseIsDropped", "And \xC2\xB6 God", "And God", "", false, 0},
    {"MilestoneInsideTheVerseIsABlank", R"(And<milestone type="x-p"/>God)", "And God", "", false,
     0},
    {"PsalmTitleIsSetApart",
     R"(<title canonical="true" type="psalm">A <w lemma="strong:H4210">Psalm</w> of David.</title> <lg/><l level="1"/>LORD, how)",
     "LORD, how", "A Psalm <4210> of David.", false, 0},
    {"OtherTitlesAreBold", R"(the end. <title>Written from Rome.</title>)",
     "the end. \\Written from Rome.\\", "", false, 0},
    {"OtherTagsAreDroppedAndTheirTextKept",
     R"(<q marker="" who="Jesus"><divineName>LORD</divineName></q>, <seg type="x-nested">he</seg> said)",
     "LORD, he said", "", false, 0},
    {"EntitiesAreDecoded", "a &amp; b &quot;d&quot; &apos;e&apos; &#65;&#x42;",
     "a & b \"d\" 'e' AB", "", false, 0},
    {"BlanksAreCollapsed", "  In\tthe \n beginning  ", "In the beginning", "", false, 0},
    {"LiteralMarkupCharactersBecomeHarmless", "(b) {c} &lt;d&gt; |e| ~f", "[b] [c] [d] /e/ -f", "",
     false, 0},
    {"LiteralLessThanBeforeABlankIsText", "a < b", "a [ b", "", false, 0},
    {"UsfmLeftoversAreDropped", "the LORD\\+nd*: or, the \\nd LORD, a \\ b",
     "the LORD: or, the LORD, a / b", "", false, 0},
    {"UnclosedWordAtTheEndKeepsItsText", R"(In the <w lemma="strong:H7225">beginning)",
     "In the beginning <7225>", "", false, 1},
    {"CutOffTagIsDropped", R"(In the <w lemma="strong:H72)", "In the", "", false, 1},
    {"StrayEndTagIsIgnored", "LORD</divineName> hath", "LORD hath", "", false, 1},
    {"ElementLeftOpenInsideANoteIsClosedWithIt",
     R"(x<note placement="foot">the <divineName>LORD: or</note> y)", "x{the LORD: or} y", "", false,
     1},
    {"UnknownEntityKeepsItsAmpersand", "Smith &co; Sons", "Smith &co; Sons", "", false, 1},
    {"CommentsAreSkipped", "a <!-- hidden --> b", "a b", "", false, 0},
};

class BibleMarkup : public ::testing::TestWithParam<MarkupCase> {};

TEST_P(BibleMarkup, ConvertsToModuleMarkup) {
  const MarkupCase& c = GetParam();
  TOsisConverter converter(TMarkupTarget::Bible, 1252);
  const TConvertedEntry entry = converter.Convert(c.Markup);
  EXPECT_EQ(entry.Text, c.Text);
  EXPECT_EQ(entry.Title, c.Title);
  EXPECT_EQ(entry.Paragraph, c.Paragraph);
  EXPECT_EQ(entry.Malformed, c.Malformed);
  EXPECT_EQ(converter.Counts().MalformedMarkup, c.Malformed);
}

INSTANTIATE_TEST_SUITE_P(Cases, BibleMarkup, ::testing::ValuesIn(kBibleCases),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(OsisConverter, CountsWhatItWroteAndReplaced) {
  TOsisConverter converter(TMarkupTarget::Bible, 1252);
  converter.Convert(
      R"(¶ <w lemma="strong:H1 strong:H2">a</w> <transChange type="added">b</transChange>)"
      R"(<note>c</note> (d) <q>e</q>)");
  converter.Convert(R"(<title type="psalm">T</title>x λ)");
  const TConversionCounts counts = converter.Counts();
  EXPECT_EQ(counts.StrongNumbers, 2);
  EXPECT_EQ(counts.AddedWords, 1);
  EXPECT_EQ(counts.Notes, 1);
  EXPECT_EQ(counts.Paragraphs, 1);
  EXPECT_EQ(counts.Titles, 1);
  EXPECT_EQ(counts.DroppedTags, 1);     // <q>
  EXPECT_EQ(counts.ReplacedMarkup, 2);  // "(" and ")"
  EXPECT_EQ(counts.CodePage.Transliterated, 1);
  EXPECT_EQ(counts.CodePage.Total(), 1);
}

TEST(OsisConverter, TextTheCodePageLacksIsReplaced) {
  // Windows-1252 holds typographic quotes, dashes and the ellipsis.
  TOsisConverter english(TMarkupTarget::Bible, 1252);
  EXPECT_EQ(english.Convert("“Yes” — he said… λόγος שלום").Text, "“Yes” — he said… logos shlvm");
  EXPECT_EQ(english.Counts().CodePage.Transliterated, 9);
  // Windows-1251 lacks the accented Latin letters.
  TOsisConverter cyrillic(TMarkupTarget::Bible, 1251);
  EXPECT_EQ(cyrillic.Convert("'âb Aarṓn æ").Text, "'ab Aaron ae");
  EXPECT_EQ(cyrillic.Counts().CodePage.Approximated, 3);
}

TEST(OsisConverter, DictionaryTextKeepsBracketsAndReplacesBoldAndItalicMarks) {
  TOsisConverter converter(TMarkupTarget::Dictionary, 1251);
  const TConvertedEntry entry = converter.Convert(
      R"(<entryFree n="1"> <orth>אב</orth><lb/><orth rend="bold" type="trans">'âb</orth>)"
      R"(<lb/><def>(Chaldee); see <ref target="StrongsHebrew:24">H24</ref> - {chief} | x \ y ¶ ~</def></entryFree>)");
  EXPECT_EQ(entry.Text, "'b 'ab (Chaldee); see H24 - {chief} / x / y ¶ ~");
  EXPECT_FALSE(entry.Paragraph);
  EXPECT_EQ(converter.Counts().ReplacedMarkup, 2);
}

TEST(OsisConverter, DictionaryDropsTheBetaCodeSpelling) {
  TOsisConverter converter(TMarkupTarget::Dictionary, 1251);
  EXPECT_EQ(converter.Convert(R"(<orth>λόγος</orth> <orth type="writing">LO/GOS</orth> word)").Text,
            "logos word");
}

TEST(OsisConverter, DictionaryTitlesAreNotBold) {
  TOsisConverter converter(TMarkupTarget::Dictionary, 1251);
  const TConvertedEntry entry = converter.Convert("<title>Head</title>text");
  EXPECT_EQ(entry.Text, "Head text");
  EXPECT_EQ(entry.Title, "");
}

TEST(OsisConverter, VerseTextPutsParagraphThenBoldTitleFirst) {
  TConvertedEntry entry;
  entry.Text = "LORD, how";
  entry.Paragraph = true;
  EXPECT_EQ(entry.VerseText("A Psalm."), "\xC2\xB6\\A Psalm.\\ LORD, how");
  entry.Paragraph = false;
  EXPECT_EQ(entry.VerseText(""), "LORD, how");
  entry.Text.clear();
  EXPECT_EQ(entry.VerseText("A Psalm."), "\\A Psalm.\\");
}

TEST(OsisConverter, MalformedBytesBecomeQuestionMarks) {
  TOsisConverter converter(TMarkupTarget::Bible, 1252);
  EXPECT_EQ(converter
                .Convert("a\xFF"
                         "b")
                .Text,
            "a?b");
  EXPECT_EQ(converter.Counts().CodePage.Unknown, 1);
}

}  // namespace
}  // namespace lectora
