#include "gui/concordance/form_source.h"

#include <algorithm>

#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTimer>

#include "concordance/concordance_table.h"
#include "concordance/source_text.h"
#include "corpus/corpus_settings.h"
#include "gui/base/text_codec.h"
#include "gui/help/help.h"

namespace lexvane::gui {

TFormSource::TFormSource(QWidget* parent) : SourceTextWindow(QStringLiteral("&Edit"), parent) {
  setObjectName(QStringLiteral("FormSource"));
  SetHelpContext(this, 8);
}

TFormSource* TFormSource::Display(const concordance::ConcordanceTable& table, int row,
                                  const corpus::CorpusSettings& corpus, QWidget* from) {
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
  auto* window = new TFormSource;
  window->SetSource(path, *block, static_cast<int>(table.Keywords().View(row).size()),
                    CodecFor(table.TextEncoding));
  window->ShowFrom(from, QSize(480, 320));
  return window;
}

void TFormSource::SetSource(const std::string& path, const concordance::SourceBlock& block,
                            int keywordLength, const TextCodec& codec) {
  setWindowTitle(SourceCaption(path));
  std::int64_t start = block.KeywordStart;
  std::string field = concordance::FieldText(block.Text, start);
  if (codec.IsUtf8()) {
    const std::size_t lead = CutLeadingBytes(field);
    if (static_cast<std::int64_t>(lead) <= start) {
      field.erase(0, lead);
      start -= static_cast<std::int64_t>(lead);
    }
    field.resize(field.size() - CutTrailingBytes(field));
  }
  Memo1->setPlainText(codec.Decode(field));
  // Byte positions to positions in the decoded text.
  auto position = [&](std::int64_t byte) {
    const auto bytes = static_cast<std::size_t>(std::clamp<std::int64_t>(byte, 0, field.size()));
    return static_cast<int>(codec.Decode(std::string_view(field).substr(0, bytes)).size());
  };
  const int end = Memo1->document()->characterCount() - 1;
  QTextCursor cursor(Memo1->document());
  cursor.setPosition(std::min(position(start), end));
  cursor.setPosition(std::min(position(start + keywordLength), end), QTextCursor::KeepAnchor);
  Memo1->setTextCursor(cursor);
  Memo1->centerCursor();
}

void TFormSource::showEvent(QShowEvent* event) {
  SourceTextWindow::showEvent(event);
  QTimer::singleShot(0, Memo1, [memo = Memo1] { memo->centerCursor(); });
}

}  // namespace lexvane::gui
