// Reference corpora: how each kind of file is told and read, how a text's
// encoding is told, and how the reference's words are brought into the study
// corpus's encoding and capitals rule.
#include "keywords/reference_corpus.h"

#include <gtest/gtest.h>

#include "corpus/list_files.h"
#include "frequency/frequency_copy.h"
#include "frequency/word_frequency_list.h"
#include "text/collation.h"
#include "text/error.h"
#include "tools/root_collator.h"

namespace lexvane::keywords {
namespace {

const StudyForm kAnsiFolded{text::Encoding::Windows1252, true};
const StudyForm kUtf8Kept{text::Encoding::Utf8, false};

class QuietUi : public text::UserInterface {
 public:
  text::Answer Ask(std::string_view, std::string_view, text::Buttons, text::Icon) override {
    return text::Answer::Ok;
  }
};

struct QuietHost {
  QuietUi ui;
  text::SilentSearchIndicator search;
  text::SilentProgressIndicator progress;
  text::OperationHost host{ui, search, progress};
};

TEST(ReferenceCorpusTest, TheEncodingOfATextIsUtf8OnlyWhenItIsAllValidUtf8) {
  EXPECT_EQ(DetectTextEncoding("plain ascii\tword\n"), text::Encoding::Utf8);
  EXPECT_EQ(DetectTextEncoding("\xEF\xBB\xBFgale\t3\n"), text::Encoding::Utf8);
  EXPECT_EQ(DetectTextEncoding("зима\t4\nснег\t2\n"), text::Encoding::Utf8);
  // "café" in Windows-1252, and UTF-8 text with one stray byte.
  EXPECT_EQ(DetectTextEncoding("caf\xE9\t2\n"), text::Encoding::Windows1252);
  EXPECT_EQ(DetectTextEncoding("зима\t4\n\xE9t\xE9\t1\n"), text::Encoding::Windows1252);
}

TEST(ReferenceCorpusTest, ATabbedTextWithAHeadingFoldsCapitalsWhenTheStudyCorpusDoes) {
  const std::string text =
      "word\tfrequency\r\n"
      "The\t30\r\n"
      "\r\n"
      "the\t12\r\n"
      "Harbour\t5\r\n";
  Reference folded = ReadReferenceText(text, "ref.txt", kAnsiFolded);
  EXPECT_EQ(folded.kind, ReferenceKind::FrequencyText);
  EXPECT_EQ(folded.counts->Frequency("the"), 42);
  EXPECT_EQ(folded.counts->Frequency("harbour"), 5);
  EXPECT_EQ(folded.words, 47);
  Reference kept = ReadReferenceText(text, "ref.txt", kUtf8Kept);
  EXPECT_EQ(kept.counts->Frequency("The"), 30);
  EXPECT_EQ(kept.counts->Frequency("the"), 12);
}

TEST(ReferenceCorpusTest, ALineThatIsNotOfTheFilesKindIsNamed) {
  try {
    ReadReferenceText("gale\t3\nstorm 4\n", "/refs/weather.txt", kAnsiFolded);
    FAIL();
  } catch (const text::Error& e) {
    EXPECT_STREQ(e.what(), "Line 2 of /refs/weather.txt is not word<TAB>frequency.");
  }
  EXPECT_THROW(ReadReferenceText("just some prose, not a list\n", "p.txt", kAnsiFolded),
               text::Error);
  EXPECT_THROW(ReadReferenceText("\r\n\r\n", "empty.txt", kAnsiFolded), text::Error);
  EXPECT_THROW(ReadReferenceText("gale\t-3\n", "neg.txt", kAnsiFolded), text::Error);
}

TEST(ReferenceCorpusTest, SavedFrequencyListsInBothLayoutsAndAnyDelimiter) {
  // Alphabetical order: word|F|F%.
  Reference plain = ReadReferenceText("and|5|1.706\r\nthe|13|4.437\r\n", "a.txt", kAnsiFolded);
  EXPECT_EQ(plain.kind, ReferenceKind::SavedFrequencyList);
  EXPECT_EQ(plain.counts->Frequency("the"), 13);
  EXPECT_EQ(plain.words, 18);
  // By frequency, with cumulative columns, tab-delimited.
  Reference cumulative = ReadReferenceText(
      "the\t13\t4.437\t13\t4.44\r\nand\t5\t1.706\t18\t6.14\r\n", "b.txt", kAnsiFolded);
  EXPECT_EQ(cumulative.counts->Frequency("and"), 5);
  // A delimiter of two bytes in UTF-8 text, and a word that holds digits.
  Reference wide = ReadReferenceText("море§7§2.500\nr2d2§1§0.357\n", "c.txt", kUtf8Kept);
  EXPECT_EQ(wide.counts->Frequency("море"), 7);
  EXPECT_EQ(wide.counts->Frequency("r2d2"), 1);
  // The delimiter may not change between lines.
  EXPECT_THROW(ReadReferenceText("and|5|1.706\nthe;13;4.437\n", "d.txt", kAnsiFolded), text::Error);
  // A list saved with the words only has no frequencies to read.
  EXPECT_THROW(ReadReferenceText("the|13|4.44\n", "e.txt", kAnsiFolded), text::Error);
}

TEST(ReferenceCorpusTest, WordsAreBroughtIntoTheStudyCorpusEncoding) {
  // UTF-8 into Windows-1252: "café" fits, Greek cannot occur in the study
  // corpus but still counts towards the reference's size.
  Reference ansi = ReadReferenceText("Café\t4\nκύμα\t6\n", "u.txt", kAnsiFolded);
  EXPECT_EQ(ansi.counts->Frequency("caf\xE9"), 4);
  EXPECT_EQ(ansi.counts->Types(), 1u);
  EXPECT_EQ(ansi.droppedTypes, 1);
  EXPECT_EQ(ansi.words, 10);
  // Windows-1252 into UTF-8.
  Reference utf8 = ReadReferenceText("na\xEFve\t2\n", "w.txt", kUtf8Kept);
  EXPECT_EQ(utf8.counts->Frequency("naïve"), 2);
}

TEST(ReferenceCorpusTest, ListFileNamesInAnyCase) {
  EXPECT_TRUE(IsListFileName("/corpora/News.CTL"));
  EXPECT_TRUE(IsListFileName("old.cfl"));
  EXPECT_FALSE(IsListFileName("ctl"));
  EXPECT_FALSE(IsListFileName("list.ctl.txt"));
}

TEST(ReferenceCorpusTest, AListSavedByTheFrequencyCopyReadsBackWithItsFrequencies) {
  QuietHost q;
  corpus::CorpusSettings settings;
  corpus::OpenListFile(LEXVANE_SAMPLES_DIR "/sample.CTL", settings, RootCollator(), q.ui);
  frequency::WordFrequencyList list{RootCollator()};
  list.Build(settings, q.host);
  list.SortWordList(frequency::kSortByFrequency, "", q.progress);
  struct Text : frequency::CopySink {
    std::string bytes;
    void Write(std::string_view b) override { bytes += b; }
  } saved;
  frequency::CopyOptions options;
  frequency::CopyWordFrequencies(list, 0, list.Count() - 1, options,
                                 frequency::CopyDestination::File, saved, q.host);
  const Reference reference = ReadReferenceText(saved.bytes, "saved.txt", kAnsiFolded);
  EXPECT_EQ(reference.kind, ReferenceKind::SavedFrequencyList);
  EXPECT_EQ(reference.words, list.TotalWords());
  ASSERT_EQ(reference.counts->Types(), static_cast<std::size_t>(list.Count()));
  for (std::int32_t i = 0; i < list.Count(); ++i)
    EXPECT_EQ(reference.counts->Frequency(list.Info(i).Word), list.Info(i).Frequency);
}

TEST(ReferenceCorpusTest, AListFileIsCountedWithTheStudyCorpussCapitalsAndEncoding) {
  QuietHost q;
  frequency::WordCountsCache cache;
  const Reference reference =
      LoadReference(LEXVANE_SAMPLES_DIR "/utf8.CTL", kAnsiFolded, cache, RootCollator(), q.host);
  EXPECT_EQ(reference.kind, ReferenceKind::ListFile);
  ASSERT_NE(reference.counts, nullptr);
  EXPECT_EQ(reference.counts->TextEncoding(), text::Encoding::Windows1252);
  // The Greek and Russian words cannot occur in a Windows-1252 corpus.
  EXPECT_GT(reference.droppedTypes, 20);
  EXPECT_GT(reference.counts->Frequency("caf\xE9"), 0);
  EXPECT_EQ(reference.words, cache
                                 .Find([] {
                                   corpus::CorpusSettings s;
                                   QuietUi ui;
                                   corpus::OpenListFile(LEXVANE_SAMPLES_DIR "/utf8.CTL", s,
                                                        RootCollator(), ui);
                                   s.IgnoreCapital = true;
                                   return s;
                                 }())
                                 ->TotalWords());
  EXPECT_THROW(LoadReference("/no/such/reference.txt", kAnsiFolded, cache, RootCollator(), q.host),
               text::Error);
}

}  // namespace
}  // namespace lexvane::keywords
