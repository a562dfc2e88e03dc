#include "gui/concordance/form_source.h"

#include <algorithm>

#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTimer>

#include "concordance/concordance_table.h"
#include "concordance/source_text.h"
#include "corpus/corpus_settings.h"
#include "gui/app/help.h"
#include "gui/app/text_codec.h"

namespace lexvane::gui {

TFormSource::TFormSource(QWidget* parent) : SourceTextWindow(QStringLiteral("&Edit"), parent) {
  setObjectName(QStringLiteral("FormSource"));
  SetHelpContext(this, 8);
}

TFormSource* TFormSource::Display(const concordance::ConcordanceTable& table, int row,
                                  const corpus::CorpusSettings& corpus, QWidget* from) {
  if (row < 0 || row >= table.RowCount()) return nullptr;
  const std::string& path = table.PathOf(row);
  const auto block = concordance::ReadSourceBlock(path, table.Info(row).Offset,
                                                  corpus.TextEncoding == text::Encoding::Dos850);
  if (!block) return nullptr;
  auto* window = new TFormSource;
  window->SetSource(path, *block, static_cast<int>(table.Keywords().View(row).size()),
                    CorpusCodec(corpus));
  window->ShowFrom(from, QSize(480, 320));
  return window;
}

void TFormSource::SetSource(const std::string& path, const concordance::SourceBlock& block,
                            int keywordLength, const TextCodec& codec) {
  setWindowTitle(SourceCaption(path));
  std::int64_t start = block.KeywordStart;
  Memo1->setPlainText(codec.Decode(concordance::FieldText(block.Text, start)));
  const int end = Memo1->document()->characterCount() - 1;
  QTextCursor cursor(Memo1->document());
  cursor.setPosition(static_cast<int>(std::min<std::int64_t>(start, end)));
  cursor.setPosition(static_cast<int>(std::min<std::int64_t>(start + keywordLength, end)),
                     QTextCursor::KeepAnchor);
  Memo1->setTextCursor(cursor);
  Memo1->centerCursor();
}

void TFormSource::showEvent(QShowEvent* event) {
  SourceTextWindow::showEvent(event);
  QTimer::singleShot(0, Memo1, [memo = Memo1] { memo->centerCursor(); });
}

}  // namespace lexvane::gui
