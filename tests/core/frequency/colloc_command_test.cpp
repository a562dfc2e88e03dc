#include "frequency/colloc_command.h"

#include <gtest/gtest.h>

#include "core/frequency/fakes.h"
#include "text/character_sets.h"
#include "text/collation.h"
#include "tools/root_collator.h"

namespace lexvane::frequency {
namespace {

using testing::Host;

class CollocCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    table.WordSeparators = text::kDefaultWordSeparators;
    table.LeftContexts().Add("in the");
    table.Keywords().Add("House");
    table.RightContexts().Add("of the lords");
    steps.sortConcordance = [this] {
      ++sorts;
      table.TableSorted = sortSucceeds;
    };
    steps.showQueryDialog = [this](CollocQuery& dialog) {
      ++dialogs;
      dialog.ButtonOKClick();  // adds the "*" in the field
      return dialog.ButtonOKClick() == CollocQuery::Outcome::Ok;
    };
  }
  CollocCommandResult run() {
    auto operation = host.operation();
    return MenuFrequenciesClick(table, " concordance of house", query, steps, RootCollator(),
                                operation);
  }

  concordance::ConcordanceTable table;
  CollocQuery query;
  CollocCommandSteps steps;
  Host host;
  int sorts = 0, dialogs = 0;
  bool sortSucceeds = true;
};

TEST_F(CollocCommandTest, UnsortedTableAsksFirstAndNoEndsTheCommand) {
  host.ui.answer = text::Answer::No;
  CollocCommandResult result = run();
  EXPECT_EQ(result.table, nullptr);
  ASSERT_EQ(host.ui.messages.size(), 1u);
  EXPECT_EQ(host.ui.messages[0].caption, "");
  EXPECT_EQ(host.ui.messages[0].text, "Concordance table must be sorted first. Sort it now?");
  EXPECT_EQ(host.ui.messages[0].buttons, text::Buttons::YesNo);
  EXPECT_EQ(sorts, 0);
  EXPECT_EQ(dialogs, 0);
}

TEST_F(CollocCommandTest, YesSortsAndBuildsWhenTheSortSucceeded) {
  host.ui.answer = text::Answer::Yes;
  sortSucceeds = false;
  EXPECT_EQ(run().table, nullptr);
  EXPECT_EQ(dialogs, 0);

  sortSucceeds = true;
  CollocCommandResult result = run();
  ASSERT_NE(result.table, nullptr);
  EXPECT_EQ(result.caption, "Collocate frequency in the concordance of house");
  EXPECT_EQ(result.table->Count(), 4);  // in, lords, of, the
  EXPECT_EQ(result.table->Info(0).Node, "house");
}

TEST_F(CollocCommandTest, SortedTableGoesStraightToTheDialogAndCancelMakesNoTable) {
  table.TableSorted = true;
  steps.showQueryDialog = [](CollocQuery&) { return false; };
  EXPECT_EQ(run().table, nullptr);
  EXPECT_TRUE(host.ui.messages.empty());
}

}  // namespace
}  // namespace lexvane::frequency
