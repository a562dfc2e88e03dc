// TFormSource: the source text window: about 4 kB of a corpus file around a
// concordance hit, with the keyword selected. The user may edit the text;
// it is never saved. Each "Display source text" opens a new one; the window
// owns its text and depends on nothing after it opened.
// The frame routes its Copy button to Copy1Click by this class.
#pragma once

#include <string>

#include "gui/concordance/source_text_window.h"

#include "gui/base/text_codec.h"

namespace lexvane::concordance {
class ConcordanceTable;
struct SourceBlock;
}  // namespace lexvane::concordance

namespace lexvane::corpus {
struct CorpusSettings;
}

namespace lexvane::gui {

class TFormSource : public SourceTextWindow {
  Q_OBJECT

 public:
  explicit TFormSource(QWidget* parent = nullptr);

  // "Display source text" for row `row` (0-based) of `table`: reads the block
  // around the hit, decoding it as UTF-8 or 8-bit text as the table was
  // built, converting DOS text as `corpus` says now, and opens a window in the frame of
  // `from` as the active child window. Null, and no window and no message,
  // when the file cannot be opened.
  static TFormSource* Display(const concordance::ConcordanceTable& table, int row,
                              const corpus::CorpusSettings& corpus, QWidget* from);

 public:  // commands
  // Shows `block` of the file `path`, decoded by `codec`, with the
  // `keywordLength` bytes from the keyword's start selected, and the
  // caption for `path`.
  void SetSource(const std::string& path, const concordance::SourceBlock& block, int keywordLength,
                 const TextCodec& codec = {});

 protected:
  // Brings the keyword to the middle of the field once it has its size.
  void showEvent(QShowEvent* event) override;
};

}  // namespace lexvane::gui
