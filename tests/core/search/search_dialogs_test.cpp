// The search dialogs' logic, their search files and lemma lists.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/corpus/temp_folder.h"
#include "search/lemma_list.h"
#include "search/search_dialogs.h"
#include "text/error.h"
#include "tools/root_collator.h"

namespace lexvane::search {
namespace {

using corpus::testing::readBytes;
using corpus::testing::TempFolder;
using corpus::testing::writeBytes;
using Strings = std::vector<std::string>;

class RecordingUi : public text::UserInterface {
 public:
  text::Answer Ask(std::string_view caption, std::string_view text, text::Buttons,
                   text::Icon) override {
    messages.push_back(std::string(caption) + ": " + std::string(text));
    return text::Answer::Ok;
  }
  Strings messages;
};

TEST(SimpleSearchModel, EnterMovesTheTypedMaskLoweredAndEmptyEnterSearches) {
  SimpleSearchModel model;
  model.Edit = "Walk";
  EXPECT_EQ(model.Ok(), DialogOutcome::StayOpen);
  EXPECT_EQ(model.Masks, Strings{"walk"});
  EXPECT_EQ(model.Edit, "");
  EXPECT_EQ(model.Ok(), DialogOutcome::Search);
  model.Edit = "  ";  // a mask of blanks is a mask
  model.Ok();
  model.Edit = std::string(300, 'A');
  model.Ok();
  ASSERT_EQ(model.Masks.size(), 3u);
  EXPECT_EQ(model.Masks[1], "  ");
  EXPECT_EQ(model.Masks[2], std::string(255, 'a'));
  EXPECT_EQ(model.Query().SimpleMasks(), model.Masks);
}

TEST(SimpleSearchModel, NothingToSearchEndsAsCancelAndClearAllKeepsTheListSize) {
  SimpleSearchModel model;
  EXPECT_EQ(model.Ok(), DialogOutcome::Cancel);
  model.Masks = {"a", "b", "c"};
  model.MaxListSize = "50";
  model.LastFileName = "x.cws";
  model.DeleteSelected({0, 2});
  EXPECT_EQ(model.Masks, Strings{"b"});
  model.ClearAll();
  EXPECT_TRUE(model.Masks.empty());
  EXPECT_EQ(model.LastFileName, "");
  EXPECT_EQ(model.MaxListSize, "50");
}

TEST(AdvancedSearchModel, TypedMasksMoveFirstThenAGapEndsWithTheMessage) {
  AdvancedSearchModel model;
  RecordingUi ui;
  model.Edits[1] = "House";
  model.Edits[3] = "door";
  EXPECT_EQ(model.Ok(ui), DialogOutcome::StayOpen);
  EXPECT_EQ(model.Masks[1], Strings{"house"});
  EXPECT_EQ(model.Masks[3], Strings{"door"});
  EXPECT_EQ(model.Ok(ui), DialogOutcome::Cancel);
  EXPECT_EQ(ui.messages, Strings{"Error: There are empty column(s) between nonempty columns."});
  EXPECT_EQ(model.Masks[1], Strings{"house"});  // contents kept
}

TEST(AdvancedSearchModel, MiddleColumnAboveTheColumnsFallsBackToOne) {
  AdvancedSearchModel model;
  RecordingUi ui;
  model.Masks[0] = {"the"};
  model.Masks[1] = {"house"};
  model.MiddleRadio = 4;
  EXPECT_EQ(model.Ok(ui), DialogOutcome::Search);
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_EQ(model.MiddleRadio, 1);
  const SearchQuery query = model.Query();
  EXPECT_EQ(query.Kind, QueryKind::Advanced);
  EXPECT_EQ(query.ColumnCount, 2);
  EXPECT_EQ(query.MiddleColumn, 1);
  AdvancedSearchModel empty;
  EXPECT_EQ(empty.Ok(ui), DialogOutcome::Cancel);
}

TEST(AdvancedSearchModel, DistanceSpinsStopAtAnyAndShowX) {
  AdvancedSearchModel model;
  model.SpinDown(0);
  EXPECT_EQ(model.DistanceText(0), "x");
  model.SpinDown(0);
  EXPECT_EQ(model.DistanceText(0), "x");
  model.SpinUp(0);
  EXPECT_EQ(model.DistanceText(0), "0");
  model.Distances[1] = -5;  // only a loaded file gives this
  model.SpinDown(1);
  EXPECT_EQ(model.DistanceText(1), "-5");
  model.SpinUp(1);
  EXPECT_EQ(model.DistanceText(1), "-4");
  model.Distances[3] = 2147483647;  // a loaded file's largest value stays there
  model.SpinUp(3);
  EXPECT_EQ(model.DistanceText(3), "2147483647");
  model.Masks[2] = {"x"};
  model.InOrder[0] = false;
  model.MiddleRadio = 3;
  model.ClearAll();
  EXPECT_TRUE(model.Masks[2].empty());
  EXPECT_TRUE(model.InOrder[0]);
  EXPECT_EQ(model.Distances[1], 0);
  EXPECT_EQ(model.MiddleRadio, 1);
}

TEST(AdvancedSearchModel, LemmasGoToTheFocusedColumnOnly) {
  AdvancedSearchModel model;
  model.Edits[0] = "keep";
  model.Edits[2] = "Walk";
  model.Enter(2);
  EXPECT_EQ(model.TakeStartText(), "Walk");
  model.AddForms({"walk", "walks"});
  EXPECT_EQ(model.Masks[2], (Strings{"walk", "walks"}));
  EXPECT_EQ(model.Edits[2], "");
  EXPECT_EQ(model.Edits[0], "keep");
}

TEST(SearchFile, AdvancedSaveWritesEachListAndTheCommonSection) {
  TempFolder folder;
  AdvancedSearchModel model;
  model.Masks[0] = {"the"};
  model.Masks[1] = {"house", "home"};
  model.SaveTo(folder / "q.cws");
  EXPECT_EQ(readBytes(folder / "q.cws"),
            "[List 1]\r\nLine1=the\r\n[List 2]\r\nLine1=house\r\nLine2=home\r\n[Common]\r\n"
            "WordToMiddle=1\r\nRank1=1\r\nRank2=1\r\nRank3=1\r\nRank4=1\r\n"
            "WordDistance1=0\r\nWordDistance2=0\r\nWordDistance3=0\r\nWordDistance4=0\r\n"
            "MaxListSize=10000\r\n");
  EXPECT_EQ(model.LastFileName, folder / "q.cws");
}

TEST(SearchFile, SimpleFileLoadsIntoTheAdvancedDialogWithDefaults) {
  TempFolder folder;
  SimpleSearchModel simple;
  simple.Masks = {"Walk*", "house"};
  simple.MaxListSize = "300";
  simple.SaveTo(folder / "s.cws");
  AdvancedSearchModel advanced;
  advanced.Masks[3] = {"old"};
  advanced.InOrder[2] = false;
  advanced.Distances[0] = 4;
  advanced.MiddleRadio = 2;
  advanced.LoadFrom(folder / "s.cws");
  EXPECT_EQ(advanced.Masks[0], (Strings{"Walk*", "house"}));  // as they stand
  EXPECT_TRUE(advanced.Masks[3].empty());
  EXPECT_TRUE(advanced.InOrder[2]);
  EXPECT_EQ(advanced.Distances[0], 0);
  EXPECT_EQ(advanced.MiddleRadio, 1);
  EXPECT_EQ(advanced.MaxListSize, "300");
}

TEST(SearchFile, SimpleSaveOverAnAdvancedFileKeepsItsOtherLists) {
  TempFolder folder;
  AdvancedSearchModel advanced;
  advanced.Masks[0] = {"a1"};
  advanced.Masks[1] = {"b1", "b2"};
  advanced.Distances[1] = -1;
  advanced.InOrder[0] = false;
  advanced.MiddleRadio = 2;
  advanced.SaveTo(folder / "a.cws");

  SimpleSearchModel simple;
  simple.LoadFrom(folder / "a.cws");
  EXPECT_EQ(simple.Masks, Strings{"a1"});
  simple.Masks = {"new"};
  simple.SaveTo(folder / "a.cws");

  AdvancedSearchModel reloaded;
  reloaded.LoadFrom(folder / "a.cws");
  EXPECT_EQ(reloaded.Masks[0], Strings{"new"});
  EXPECT_EQ(reloaded.Masks[1], (Strings{"b1", "b2"}));
  EXPECT_EQ(reloaded.Distances[1], -1);
  EXPECT_EQ(reloaded.DistanceText(1), "x");
  EXPECT_FALSE(reloaded.InOrder[0]);
  EXPECT_EQ(reloaded.MiddleRadio, 2);
}

TEST(SearchFile, ListsStopAtTheFirstMissingLineAndSizeDefaultsTo2000) {
  TempFolder folder;
  writeBytes(folder / "g.cws", "[List 1]\nLine1=one\nLine2=two\nLine4=four\n");
  SimpleSearchModel model;
  model.Edit = "typed";
  model.LoadFrom(folder / "g.cws");
  EXPECT_EQ(model.Masks, (Strings{"one", "two"}));
  EXPECT_EQ(model.Edit, "");
  EXPECT_EQ(model.MaxListSize, "2000");
}

TEST(SearchFile, Utf8MasksKeep255CharactersNeverHalfOfOne) {
  TempFolder folder;
  std::string mask;
  for (int i = 0; i < 300; ++i) mask += "\xC3\xA9";
  writeBytes(folder / "u.cws", "[List 1]\nLine1=" + mask + "\n");
  SimpleSearchModel model;
  model.TextEncoding = text::Encoding::Utf8;
  model.LoadFrom(folder / "u.cws");
  EXPECT_EQ(model.Masks, (Strings{mask.substr(0, 510)}));
  SimpleSearchModel ansi;
  ansi.LoadFrom(folder / "u.cws");
  EXPECT_EQ(ansi.Masks, (Strings{mask.substr(0, 255)}));
}

TEST(SearchFile, InvalidListSizeStillWritesTheLists) {
  TempFolder folder;
  SimpleSearchModel model;
  model.Edit = "walk";
  model.MaxListSize = "lots";
  model.PrepareSave();
  try {
    model.SaveTo(folder / "bad.cws");
    FAIL() << "no error";
  } catch (const text::Error& e) {
    EXPECT_STREQ(e.what(), "'lots' is not a valid integer value");
  }
  EXPECT_EQ(readBytes(folder / "bad.cws"), "[List 1]\r\nLine1=walk\r\n");
}

TEST(SearchFile, AFileOfTheAdvancedDialogOpensInIt) {
  TempFolder folder;
  SimpleSearchModel simple;
  simple.Masks = {"harbour*", "quay"};
  simple.SaveTo(folder / "simple.cws");
  EXPECT_FALSE(HoldsAdvancedQuery(folder / "simple.cws"));

  AdvancedSearchModel advanced;
  advanced.Masks[0] = {"the"};  // one column, every setting at its default
  advanced.SaveTo(folder / "advanced.cws");
  EXPECT_TRUE(HoldsAdvancedQuery(folder / "advanced.cws"));
  // A simple save over it keeps the advanced keys: still advanced.
  simple.SaveTo(folder / "advanced.cws");
  EXPECT_TRUE(HoldsAdvancedQuery(folder / "advanced.cws"));

  // Written by hand: a second list alone, or one distance key alone.
  writeBytes(folder / "lists.cws", "[List 1]\nLine1=old\n[List 3]\nLine1=house\n");
  EXPECT_TRUE(HoldsAdvancedQuery(folder / "lists.cws"));
  writeBytes(folder / "gap.cws", "[List 1]\nLine1=old\n[common]\nworddistance3=2\n");
  EXPECT_TRUE(HoldsAdvancedQuery(folder / "gap.cws"));
  writeBytes(folder / "empty2.cws", "[List 1]\nLine1=old\n[List 2]\nLine1=\n");
  EXPECT_FALSE(HoldsAdvancedQuery(folder / "empty2.cws"));
  EXPECT_FALSE(HoldsAdvancedQuery(folder / "missing.cws"));
}

TEST(IntegerField, AcceptsWhatTheFieldConversionAccepts) {
  EXPECT_EQ(ParseIntegerField("10000"), 10000);
  EXPECT_EQ(ParseIntegerField("  -7"), -7);
  EXPECT_EQ(ParseIntegerField("$10"), 16);
  EXPECT_EQ(ParseIntegerField("0x1F"), 31);
  EXPECT_EQ(ParseIntegerField("12 "), std::nullopt);
  EXPECT_EQ(ParseIntegerField(""), std::nullopt);
  EXPECT_EQ(ParseIntegerField("99999999999"), std::nullopt);
  EXPECT_THROW(IntegerFieldValue("1e3"), text::Error);
}

TEST(LemmaList, FormsAreTrimmedAndEmptyPartsDropped) {
  EXPECT_EQ(LemmaForms("go; goes ;went;; gone"), (Strings{"go", "goes", "went", "gone"}));
  EXPECT_EQ(LemmaForms("  solo  "), Strings{"solo"});
  EXPECT_EQ(LemmaOf(" walk ; walks"), "walk");
}

TEST(LemmaList, SortedIgnoringCaseAndPreselectedFromTheStartText) {
  const LemmaList list =
      MakeLemmaList({"want;wants", "", "Run;runs", "walk;walked", " \t "}, "Walk", RootCollator());
  EXPECT_EQ(list.Lines, (Strings{"Run;runs", "walk;walked", "want;wants"}));
  EXPECT_EQ(list.Selected, 1);
  EXPECT_EQ(MakeLemmaList({"run", "walk", "want"}, "zz", RootCollator()).Selected, -1);
  EXPECT_EQ(MakeLemmaList({"b", "A", "c"}, "", RootCollator()).Lines, (Strings{"A", "b", "c"}));
  EXPECT_EQ(MakeLemmaList({"", "  "}, "", RootCollator()).Selected, -1);
}

TEST(LemmaList, ReadsTheSampleFile) {
  const LemmaList list = LoadLemmaList(LEXVANE_SAMPLES_DIR "/lemmas.cll", "walk", RootCollator());
  ASSERT_GE(list.Selected, 0);
  EXPECT_EQ(LemmaForms(list.Lines[list.Selected]), (Strings{"walk", "walks", "walked", "walking"}));
  EXPECT_THROW(LoadLemmaList(LEXVANE_SAMPLES_DIR "/missing.cll", "", RootCollator()), text::Error);
}

}  // namespace
}  // namespace lexvane::search
