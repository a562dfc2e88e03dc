#include "gui/common/frequency_copy_command.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include <QClipboard>
#include <QFileDialog>
#include <QGuiApplication>

#include "gui/base/text_codec.h"
#include "gui/common/window_host.h"
#include "gui/help/help.h"
#include "gui/runner/gui_user_interface.h"
#include "gui/runner/operation_runner.h"
#include "text/error.h"

namespace lexvane::gui {

namespace {

QString chooseSaveFile(const FileChoosers& choosers, QWidget* parent) {
  if (choosers.SaveCopy) return choosers.SaveCopy(parent);
  QFileDialog dialog(parent, QStringLiteral("Save to file"));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setNameFilters({QStringLiteral("Text files (*.txt)"), QStringLiteral("All files (*.*)")});
  SetModalBesideHelp(&dialog);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().first();
}

// The clipboard's text, gathered on the worker thread and put on the
// clipboard by the completion.
class TextSink : public frequency::CopySink {
 public:
  void Write(std::string_view bytes) override { text_.append(bytes); }
  const std::string& Text() const { return text_; }

 private:
  std::string text_;
};

// A file written line by line as the copy builds it; closed when the copy
// ends (or its window goes).
class FileSink : public frequency::CopySink {
 public:
  FileSink(std::FILE* file, std::string path) : file_(file), path_(std::move(path)) {}
  ~FileSink() override {
    if (file_ != nullptr) std::fclose(file_);
  }
  void Write(std::string_view bytes) override {
    if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size())
      throw text::Error("Unable to write to " + path_ + ": " + std::strerror(errno));
  }
  // Flushes and closes; throws when what was written could not be saved.
  void Close() {
    std::FILE* file = file_;
    file_ = nullptr;
    if (std::fclose(file) != 0)
      throw text::Error("Unable to write to " + path_ + ": " + std::strerror(errno));
  }

 private:
  std::FILE* file_;
  std::string path_;
};

}  // namespace

bool RunFrequencyCopy(WindowHost& workspace, QWidget* window, TFormCopyFreq::Table table,
                      std::int32_t rowCount, std::pair<int, int> selection, const TextCodec& codec,
                      CopyRowsWork copy) {
  TFormCopyFreq& dialog = *workspace.FormCopyFreq();
  if (!dialog.Execute(table)) return false;
  if (rowCount <= 0) return false;
  const frequency::CopyOptions options = dialog.Options(codec);
  std::int32_t first = 0, last = rowCount - 1;
  if (options.SelectedOnly) {
    if (selection.first < 0) return false;
    first = selection.first;
    last = std::min<std::int32_t>(selection.second, rowCount - 1);
  }
  std::shared_ptr<frequency::CopySink> sink;
  const auto destination =
      options.ToFile ? frequency::CopyDestination::File : frequency::CopyDestination::Clipboard;
  if (options.ToFile) {
    const QString path = chooseSaveFile(workspace.Choosers(), window);
    if (path.isEmpty()) return false;
    const std::string name = ToPath(path);
    std::FILE* file = std::fopen(name.c_str(), "wb");
    if (file == nullptr) {
      workspace.Ui().ShowMessage(
          window,
          {QStringLiteral("Error"),
           FromPath(name) + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(errno)),
           text::Buttons::Ok, text::Icon::Error},
          0);
      return false;
    }
    sink = std::make_shared<FileSink>(file, name);
  } else {
    sink = std::make_shared<TextSink>();
  }
  return workspace.Runner().start(
      [sink, copy = std::move(copy), first, last, options, destination](text::OperationHost& host) {
        copy(first, last, options, destination, *sink, host);
        if (destination == frequency::CopyDestination::File) static_cast<FileSink&>(*sink).Close();
      },
      [sink, destination, codec](bool completed) {
        if (completed && destination == frequency::CopyDestination::Clipboard)
          QGuiApplication::clipboard()->setText(
              codec.Decode(static_cast<const TextSink&>(*sink).Text()));
      },
      window);
}

}  // namespace lexvane::gui
