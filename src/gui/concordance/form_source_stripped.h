// TFormSourceStripped: the stripped source text window: the same piece of a
// corpus file as the source window, with its word-class tags removed, the
// caret at the start. Offered for tagged corpora. Each "Display stripped
// source text" opens a new one; the window owns its text.
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

class TFormSourceStripped : public SourceTextWindow {
  Q_OBJECT

 public:
  explicit TFormSourceStripped(QWidget* parent = nullptr);

  // "Display stripped source text" for row `row` (0-based) of `table`, as
  // TFormSource::Display; null when the file cannot be opened.
  static TFormSourceStripped* Display(const concordance::ConcordanceTable& table, int row,
                                      const corpus::CorpusSettings& corpus, QWidget* from);

 public:  // commands
  // Shows `block` of the file `path` stripped of its tags and decoded by
  // `codec`, the caret at the start, and the caption for `path`.
  void SetSource(const std::string& path, const concordance::SourceBlock& block,
                 const TextCodec& codec = {});
};

}  // namespace lexvane::gui
