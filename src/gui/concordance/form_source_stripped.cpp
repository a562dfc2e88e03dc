#include "gui/concordance/form_source_stripped.h"

#include <QPlainTextEdit>
#include <QTextCursor>

#include "concordance/concordance_table.h"
#include "concordance/source_text.h"
#include "corpus/corpus_settings.h"
#include "gui/base/text_codec.h"

namespace lexvane::gui {

TFormSourceStripped::TFormSourceStripped(QWidget* parent)
    : SourceTextWindow(QStringLiteral("Edit"), parent) {
  setObjectName(QStringLiteral("FormSourceStripped"));
}

TFormSourceStripped* TFormSourceStripped::Display(const concordance::ConcordanceTable& table,
                                                  int row, const corpus::CorpusSettings& corpus,
                                                  QWidget* from) {
  if (row < 0 || row >= table.RowCount()) return nullptr;
  const std::string& path = table.PathOf(row);
  // UTF-8 or 8-bit as the table was built; DOS conversion as the corpus
  // says now.
  const text::Encoding encoding = text::IsUtf8(table.TextEncoding) ? text::Encoding::Utf8
                                  : corpus.TextEncoding == text::Encoding::Dos850
                                      ? text::Encoding::Dos850
                                      : text::Encoding::Windows1252;
  const auto block = concordance::ReadSourceBlock(path, table.Info(row).Offset, encoding);
  if (!block) return nullptr;
  auto* window = new TFormSourceStripped;
  window->SetSource(path, *block, CodecFor(table.TextEncoding));
  window->ShowFrom(from, QSize(399, 300));
  return window;
}

void TFormSourceStripped::SetSource(const std::string& path, const concordance::SourceBlock& block,
                                    const TextCodec& codec) {
  setWindowTitle(SourceCaption(path));
  std::int64_t unused = 0;
  std::string field = concordance::FieldText(block.Text, unused);
  if (codec.IsUtf8()) {
    field.erase(0, CutLeadingBytes(field));
    field.resize(field.size() - CutTrailingBytes(field));
  }
  Memo1->setPlainText(codec.Decode(concordance::StripSourceText(
      field, codec.IsUtf8() ? text::Encoding::Utf8 : text::Encoding::Windows1252)));
  QTextCursor cursor(Memo1->document());
  cursor.setPosition(0);
  Memo1->setTextCursor(cursor);
}

}  // namespace lexvane::gui
