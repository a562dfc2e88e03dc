// A word longer than 255 characters (a URL, a base64 attachment, a line of
// dashes) is cut to its first 255, the rest of it is skipped, and the scan
// goes on: both scans find the words behind it at their true offsets and
// report each file with such a word once.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "concordance/concordance_builder.h"
#include "core/concordance/scripted_host.h"
#include "core/corpus/temp_folder.h"
#include "tools/root_collator.h"

namespace lexvane::concordance {
namespace {

using corpus::testing::TempFolder;
using corpus::testing::writeBytes;

TEST(LongWords, AreCutAndTheWordsBehindThemAreFound) {
  TempFolder folder;
  corpus::CorpusSettings settings;
  const std::string url = "http://example-org/" + std::string(400, 'x');
  const std::string a = folder / "a.txt";
  const std::string b = folder / "b.txt";
  const std::string c = folder / "c.txt";
  writeBytes(a, "Go " + url + " now. We walk home. " + url + " walk");
  writeBytes(b, "Nothing long here, no walk.");
  writeBytes(c, std::string(5 << 20, 'w') + " walk on");
  for (const std::string& path : {a, b, c}) settings.Files.Add(path, RootCollator());
  settings.WordSeparators = " .,";  // slashes and colons belong to words
  search::SearchQuery query;
  query.Masks[0] = {"walk", "http*"};
  for (const ScanMode mode : {ScanMode::Reference, ScanMode::Fast}) {
    testing::ScriptedHost host;
    BuildOptions options;
    options.Mode = mode;
    options.UnitBytes = 1 << 20;
    const auto table = BuildConcordance(query, settings, host.host, options);
    ASSERT_EQ(table->RowCount(), 6) << static_cast<int>(mode);
    const auto offsetOf = [&](std::int32_t row) { return table->Info(row).Offset; };
    const std::int64_t afterUrl = 3 + static_cast<std::int64_t>(url.size());
    EXPECT_EQ(offsetOf(0), 3);
    EXPECT_EQ(table->Keywords().Get(0), url.substr(0, 255));
    EXPECT_EQ(offsetOf(1), afterUrl + 9);
    EXPECT_EQ(table->Keywords().Get(1), "walk");
    EXPECT_EQ(offsetOf(2), afterUrl + 20);
    EXPECT_EQ(offsetOf(3), afterUrl + 21 + static_cast<std::int64_t>(url.size()));
    EXPECT_EQ(table->Info(4).FileIndex, 1);
    EXPECT_EQ(table->Info(5).FileIndex, 2);
    EXPECT_EQ(offsetOf(5), (5 << 20) + 1);
    EXPECT_EQ(table->TotalWords, 8 + 5 + 3);
    EXPECT_EQ(table->CutWordFiles, (std::vector<std::string>{a, c}));
    EXPECT_TRUE(host.ui.messages.empty());
  }
}

}  // namespace
}  // namespace lexvane::concordance
