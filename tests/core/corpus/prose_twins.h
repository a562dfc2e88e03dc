// A corpus of prose with long sentences and its Windows-1252 twin, for the
// tests that compare a UTF-8 corpus with its twin.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/corpus/temp_folder.h"
#include "core/text/twin_prose.h"
#include "corpus/corpus_settings.h"
#include "text/encoding.h"
#include "tools/root_collator.h"

namespace lexvane::corpus::testing {

// German, Spanish and French prose with sentences of several hundred
// characters, as UTF-8 files and as their Windows-1252 twins, both cut with
// the 43 default separators. Files of the same name in two folders, so that
// copies with the source file name agree too.
class ProseTwins {
 public:
  ProseTwins() {
    utf8.TextEncoding = text::Encoding::Utf8;
    const std::vector<std::string> names = {"de.txt", "es.txt", "fr.txt"};
    const std::vector<std::string> prose = lexvane::testing::TwinProseUtf8();
    std::filesystem::create_directories(folder_.path() / "ansi");
    std::filesystem::create_directories(folder_.path() / "utf8");
    for (std::size_t i = 0; i < prose.size(); ++i) {
      ansiTexts.push_back(lexvane::testing::Windows1252Of(prose[i]));
      EXPECT_EQ(text::decodeToUtf8(ansiTexts.back(), text::Encoding::Windows1252), prose[i]);
      writeBytes(folder_ / ("ansi/" + names[i]), ansiTexts.back());
      writeBytes(folder_ / ("utf8/" + names[i]), prose[i]);
      ansi.Files.Add(folder_ / ("ansi/" + names[i]), RootCollator());
      utf8.Files.Add(folder_ / ("utf8/" + names[i]), RootCollator());
    }
  }

  corpus::CorpusSettings ansi, utf8;
  std::vector<std::string> ansiTexts;

 private:
  TempFolder folder_;
};

}  // namespace lexvane::corpus::testing
