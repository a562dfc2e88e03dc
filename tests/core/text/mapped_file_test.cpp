// Scanning mapped files: a corpus file large enough to be mapped gives the
// words of reading it, whole and in ranges; a file that shrinks under the
// scan ends it with EIO instead of killing the process; a bus error outside
// any mapping still ends the process.
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/corpus/temp_folder.h"
#include "core/text/found_word.h"
#include "core/text/twin_prose.h"
#include "text/block_scanner.h"
#include "text/character_sets.h"
#include "text/mapped_file.h"
#include "text/open_file.h"

namespace lexvane::text {
namespace {

using corpus::testing::TempFolder;
using corpus::testing::writeBytes;
using testing::Found;
using testing::FoundOf;

struct Collect {
  std::vector<Found> words;
  std::string path;
  bool truncate = false;  // cuts the file to nothing after the first step
  int steps = 0;
  bool Word(const ScanWord& w) {
    words.push_back(FoundOf(w));
    return true;
  }
  bool AfterBlock(std::int64_t) {
    if (truncate && steps++ == 0) {
      EXPECT_EQ(::truncate(path.c_str(), 0), 0);
    }
    return true;
  }
};

// Prose in three languages, over MappedFile::kWorthMapping bytes, with a
// word of 3000 letters in the middle.
std::string bigProse(Encoding encoding) {
  std::string text;
  std::size_t round = 0;
  while (text.size() < 3 * MappedFile::kWorthMapping) {
    for (const std::string& piece : lexvane::testing::TwinProseUtf8())
      text += lexvane::testing::InEncoding(piece, encoding) + "\r\n";
    if (++round == 20) text += std::string(3000, 'z') + ". ";
  }
  return text;
}

std::vector<Found> scan(const std::string& path, const CharacterSets& sets, FileMapping mapping,
                        const std::vector<std::int64_t>& cuts, ScanEnd* last = nullptr,
                        bool truncate = false, std::size_t blockBytes = 0) {
  ScanOptions options;
  options.mapping = mapping;
  options.blockBytes = blockBytes;
  const ScanSetup setup(sets, options);
  int error = 0;
  const int fd = OpenCorpusFile(path, FileAccess::Seek, error);
  EXPECT_GE(fd, 0);
  BlockScanner<Collect> scanner(setup);
  Collect sink;
  sink.path = path;
  sink.truncate = truncate;
  std::int64_t from = 0;
  for (std::size_t i = 0; i <= cuts.size(); ++i) {
    const std::int64_t until = i < cuts.size() ? cuts[i] : -1;
    const ScanEnd end = scanner.ScanFile(sink, fd, from, until);
    if (last != nullptr) *last = end;
    from = until;
  }
  ::close(fd);
  return sink.words;
}

TEST(MappedFileTest, LargeFilesGiveTheWordsOfReadingThemWholeAndInRanges) {
  TempFolder folder;
  for (const Encoding encoding : {Encoding::Windows1252, Encoding::Utf8}) {
    const std::string text = bigProse(encoding);
    const std::string path = folder / "prose.txt";
    writeBytes(path, text);
    const CharacterSets sets = CharacterSets::Derive(DefaultWordSeparators(encoding),
                                                     kDefaultSentenceSeparators, encoding);
    const std::vector<Found> read = scan(path, sets, FileMapping::Never, {});
    ASSERT_GT(read.size(), 100000u);
    EXPECT_EQ(scan(path, sets, FileMapping::WhenLarge, {}), read);
    // Ranges cut inside words, inside a multi-byte character and inside the
    // long word.
    const auto size = static_cast<std::int64_t>(text.size());
    const std::int64_t longWord = static_cast<std::int64_t>(text.find(std::string(3000, 'z')));
    std::vector<std::int64_t> cuts = {size / 3 + 1, longWord + 1500, size - 7};
    std::sort(cuts.begin(), cuts.end());
    EXPECT_EQ(scan(path, sets, FileMapping::WhenLarge, cuts), read);
    EXPECT_TRUE(std::any_of(read.begin(), read.end(), [](const Found& w) { return w.cut; }));
  }
}

// In small steps the scanner gives the pages far behind it back while it
// reads on; a word it still holds (before a long gap, or a long word) is read
// in again when handed over.
TEST(MappedFileTest, PagesGivenBackBehindTheScanStillGiveEveryWord) {
  TempFolder folder;
  for (const Encoding encoding : {Encoding::Windows1252, Encoding::Utf8}) {
    std::string text = bigProse(encoding);
    const std::size_t gapAt = text.find(' ', text.size() / 2);
    text.insert(gapAt, std::string(200000, ' ') + "\t\t");
    const std::string path = folder / "gaps.txt";
    writeBytes(path, text);
    const CharacterSets sets = CharacterSets::Derive(DefaultWordSeparators(encoding),
                                                     kDefaultSentenceSeparators, encoding);
    const std::vector<Found> read = scan(path, sets, FileMapping::Never, {});
    for (const std::size_t block : {std::size_t{512}, std::size_t{4000}}) {
      SCOPED_TRACE(block);
      EXPECT_EQ(scan(path, sets, FileMapping::Always, {}, nullptr, false, block), read);
      const auto size = static_cast<std::int64_t>(text.size());
      EXPECT_EQ(
          scan(path, sets, FileMapping::Always,
               {static_cast<std::int64_t>(gapAt) + 9000, size / 4 * 3}, nullptr, false, block),
          read);
    }
  }
}

TEST(MappedFileTest, AFileThatShrinksUnderTheScanEndsItWithAnError) {
  TempFolder folder;
  const std::string path = folder / "prose.txt";
  const std::string text = bigProse(Encoding::Utf8);
  writeBytes(path, text);
  const CharacterSets sets = CharacterSets::Derive(DefaultWordSeparators(Encoding::Utf8),
                                                   kDefaultSentenceSeparators, Encoding::Utf8);
  const std::vector<Found> whole = scan(path, sets, FileMapping::Never, {});
  ScanEnd end;
  const std::vector<Found> words = scan(path, sets, FileMapping::Always, {}, &end, true);
  EXPECT_EQ(end.readError, EIO);
  // The words of the first step came as they stand in the file.
  ASSERT_FALSE(words.empty());
  ASSERT_LT(words.size(), whole.size());
  const std::size_t firstStep = ScanSetup::kDefaultBlockBytes;
  std::size_t same = 0;
  while (same < words.size() && words[same] == whole[same]) ++same;
  EXPECT_GT(same, 0u);
  EXPECT_LE(static_cast<std::size_t>(whole[same].offset), firstStep + 4096);
  // The file is whole again for the next scan, which maps it anew.
  writeBytes(path, text);
  EXPECT_EQ(scan(path, sets, FileMapping::Always, {}), whole);
}

TEST(MappedFileDeathTest, ABusErrorElsewhereStillEndsTheProcess) {
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
  GTEST_SKIP() << "the sanitizer's handler reports the signal as a fault of its own";
#endif
  TempFolder folder;
  const std::string path = folder / "a.txt";
  writeBytes(path, "some words.");
  const int fd = ::open(path.c_str(), O_RDONLY);
  ASSERT_GE(fd, 0);
  const auto file = MappedFile::Map(fd, 11);
  ASSERT_TRUE(file.has_value());
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(file->Data()), 11), "some words.");
  EXPECT_FALSE(file->Damaged());
  EXPECT_DEATH(std::raise(SIGBUS), "");
  ::close(fd);
}

}  // namespace
}  // namespace lexvane::text
