// ExportToFile: a file is replaced only by a whole table; the indicator,
// cancel, and the messages of a file that cannot be made.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "core/corpus/temp_folder.h"
#include "table_export/export_file.h"
#include "table_export/xlsx_writer.h"
#include "text/error.h"

namespace lexvane::table_export {
namespace {

using corpus::testing::readBytes;
using corpus::testing::TempFolder;
using corpus::testing::writeBytes;

// Records the messages; never answers anything but OK.
struct RecordingUi : text::UserInterface {
  text::Answer Ask(std::string_view, std::string_view text, text::Buttons, text::Icon) override {
    messages.emplace_back(text);
    return text::Answer::Ok;
  }
  std::vector<std::string> messages;
};

// Cancels at the n-th test of its flag; records the gauge.
struct CancellingProgress : text::ProgressIndicator {
  explicit CancellingProgress(int cancelAt) : cancelAt_(cancelAt) {}
  void Start(std::string_view title) override { titles.emplace_back(title); }
  void SetGauge(int percent) override { gauges.push_back(percent); }
  bool Cancelled() const override { return ++tests_ >= cancelAt_; }
  void Finish() override { ++finished; }
  std::vector<std::string> titles;
  std::vector<int> gauges;
  int finished = 0;

 private:
  int cancelAt_;
  mutable int tests_ = 0;
};

FunctionTable wordList(std::int64_t rows) {
  return FunctionTable("Word frequency", {{"Word"}, {"F"}, {"F %"}}, text::Encoding::Windows1252,
                       rows, [](std::int64_t row, RowCells& cells) {
                         cells.Text("w\xF6rter" + std::to_string(row));
                         cells.Integer(row + 1);
                         cells.Decimal((row + 1) / 2.5, 3);
                       });
}

struct Host {
  RecordingUi ui;
  text::SilentSearchIndicator search;
  text::OperationHost With(text::ProgressIndicator& progress) { return {ui, search, progress}; }
};

TEST(ExportFileTest, WritesTheHeadingAndEveryRowUnderTheIndicator) {
  TempFolder folder;
  Host host;
  CancellingProgress progress(1 << 30);
  text::OperationHost operation = host.With(progress);
  const std::string path = folder / "list.csv";
  ASSERT_EQ(ExportToFile(wordList(250), {Format::Csv, true}, path, operation), Outcome::Written);
  const std::string bytes = readBytes(path);
  EXPECT_TRUE(bytes.starts_with("\xEF\xBB\xBFWord,F,F %\r\nw\xC3\xB6rter0,1,0.400\r\n"));
  EXPECT_TRUE(bytes.ends_with("w\xC3\xB6rter249,250,100.000\r\n"));
  EXPECT_EQ(progress.titles, std::vector<std::string>{"Exporting..."});
  EXPECT_EQ(progress.gauges, (std::vector<int>{40, 80, 100}));
  EXPECT_EQ(progress.finished, 1);
  EXPECT_TRUE(host.ui.messages.empty());
}

TEST(ExportFileTest, ACancelledExportLeavesTheOldFileAsItWasAndNoTemporaryFile) {
  TempFolder folder;
  for (Format format : {Format::Csv, Format::Tsv, Format::Xlsx}) {
    SCOPED_TRACE(FormatName(format));
    const std::string path = folder / ("list" + std::string(Extension(format)));
    writeBytes(path, "the old content\r\n");
    Host host;
    CancellingProgress progress(2);  // at row 200
    text::OperationHost operation = host.With(progress);
    EXPECT_EQ(ExportToFile(wordList(1000), {format}, path, operation), Outcome::Cancelled);
    EXPECT_EQ(readBytes(path), "the old content\r\n");
    EXPECT_EQ(progress.finished, 1);
    const std::string fresh = folder / ("fresh" + std::string(Extension(format)));
    CancellingProgress again(2);
    text::OperationHost second = host.With(again);
    EXPECT_EQ(ExportToFile(wordList(1000), {format}, fresh, second), Outcome::Cancelled);
    EXPECT_FALSE(std::filesystem::exists(fresh));
  }
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 3);
}

TEST(ExportFileTest, ReplacingAFileKeepsItsPermissions) {
  TempFolder folder;
  const std::string path = folder / "shared.tsv";
  writeBytes(path, "old");
  ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
  Host host;
  text::SilentProgressIndicator progress;
  text::OperationHost operation = host.With(progress);
  ASSERT_EQ(ExportToFile(wordList(3), {Format::Tsv}, path, operation), Outcome::Written);
  struct stat info;
  ASSERT_EQ(::stat(path.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0640u);
  EXPECT_TRUE(readBytes(path).starts_with("Word\tF\tF %\r\n"));
}

TEST(ExportFileTest, AFileThatCannotBeCreatedIsReportedAndNothingIsWritten) {
  TempFolder folder;
  Host host;
  text::SilentProgressIndicator progress;
  text::OperationHost operation = host.With(progress);
  const std::string missing = folder / "no such folder/list.csv";
  EXPECT_EQ(ExportToFile(wordList(3), {Format::Csv}, missing, operation), Outcome::Failed);
  const std::string aFolder = folder / "a folder";
  std::filesystem::create_directory(aFolder);
  EXPECT_EQ(ExportToFile(wordList(3), {Format::Xlsx}, aFolder, operation), Outcome::Failed);
  EXPECT_EQ(host.ui.messages, (std::vector<std::string>{"Cannot create file " + missing,
                                                        "Cannot create file " + aFolder}));
  EXPECT_TRUE(std::filesystem::is_directory(aFolder));
}

TEST(ExportFileTest, ARowWithTheWrongNumberOfCellsIsAnErrorNotAShiftedFile) {
  TempFolder folder;
  FunctionTable broken("Broken", {{"A"}, {"B"}}, text::Encoding::Utf8, 2,
                       [](std::int64_t row, RowCells& cells) {
                         cells.Integer(row);
                         if (row == 0) cells.Integer(1);
                       });
  Host host;
  text::SilentProgressIndicator progress;
  text::OperationHost operation = host.With(progress);
  const std::string path = folder / "broken.csv";
  EXPECT_THROW(ExportToFile(broken, {Format::Csv}, path, operation), text::Error);
  EXPECT_FALSE(std::filesystem::exists(path));
}

TEST(SheetNameTest, ReplacesForbiddenCharactersAndKeepsTheNumberWithin31Characters) {
  EXPECT_EQ(SheetName("Concordance", 1), "Concordance");
  EXPECT_EQ(SheetName("Concordance", 2), "Concordance 2");
  EXPECT_EQ(SheetName("a/b:c?[d]", 1), "a_b_c__d_");
  EXPECT_EQ(SheetName(std::string(40, 'x'), 12), std::string(28, 'x') + " 12");
  EXPECT_EQ(SheetName("", 1), "Table");
}

TEST(WorkbookTextTest, EscapesTextThatReadsLikeAnEscapedCharacter) {
  EXPECT_EQ(WorkbookText("_x0041_"), "_x005F_x0041_");
  EXPECT_EQ(WorkbookText("my_x00_var _xABCD"), "my_x00_var _xABCD");
  EXPECT_EQ(WorkbookText("\xEF\xBF\xBE and \xEF\xBF\xBF"), "\xEF\xBF\xBD and \xEF\xBF\xBD");
  EXPECT_EQ(WorkbookText("Grüße"), "Grüße");
}

}  // namespace
}  // namespace lexvane::table_export
