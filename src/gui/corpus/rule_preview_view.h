// RulePreviewView: the read-only preview below the file-list editor's
// options. It shows the start of one corpus file with its words shaded in
// two alternating tints and a mark where a sentence ends, as the current
// separators and options cut it. The file is read on a thread of its own,
// so a slow file never holds up the dialog; the cutting is the engine's
// (text::CutPreview); the view only paints.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include <QTextEdit>
#include <QThread>

#include "text/character_sets.h"
#include "text/rule_preview.h"

namespace lexvane::gui {

class RulePreviewView : public QTextEdit {
  Q_OBJECT

 public:
  explicit RulePreviewView(QWidget* parent = nullptr);
  // Waits for a read under way: it reads only the start of a regular file.
  ~RulePreviewView() override;

 public:  // queries
  // The file shown (empty: none), whether its start is still being read,
  // the note shown instead of text (empty while text is shown), and the
  // words of the text shown.
  const std::string& Path() const { return path_; }
  bool Reading() const { return reading_; }
  const QString& Note() const { return note_; }
  const std::vector<text::PreviewWord>& Words() const { return words_; }
  // The mark after a sentence end.
  static QChar SentenceMark() { return QChar(0x2016); }

 public Q_SLOTS:  // commands
  // Shows the start of `path` (empty: a note that there is no file). The
  // file is read again when `reload` is set or the path changed.
  void ShowFile(const std::string& path, bool reload = false);
  // Cuts the text again with these rules: `enhanced` picks the enhanced
  // sentence ends, otherwise the simple ones are marked.
  void SetRules(const text::CharacterSets& sets, bool crlf, bool enhanced);

 private:
  void startReading();
  void finishReading(text::FileStart start, int generation);
  void paint();

  std::string path_;
  text::FileStart start_;
  bool reading_ = false;
  std::unique_ptr<QThread> reader_;  // the read under way, or the last one
  int generation_ = 0;               // of path_: a read of an older one is dropped
  text::CharacterSets sets_;
  bool crlf_ = false;
  bool enhanced_ = false;
  QString note_;
  std::vector<text::PreviewWord> words_;
};

}  // namespace lexvane::gui
