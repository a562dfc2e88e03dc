#include "gui/concordance/form_source.h"

#include <algorithm>

#include <QPlainTextEdit>
#include <QTextCursor>

#include "concordance/concordance_table.h"
#include "concordance/source_text.h"
#include "gui/app/help.h"
#include "gui/app/text_codec.h"

namespace lexvane::gui {

TFormSource::TFormSource(QWidget* parent) : SourceTextWindow(QStringLiteral("&Edit"), parent) {
  setObjectName(QStringLiteral("FormSource"));
  SetHelpContext(this, 8);
}

TFormSource* TFormSource::Display(const concordance::ConcordanceTable& table, int row,
                                  bool oemToAnsi, QWidget* from) {
  if (row < 0 || row >= table.RowCount()) return nullptr;
  const std::string& path = table.PathOf(row);
  const auto block = concordance::ReadSourceBlock(path, table.Info(row).Offset, oemToAnsi);
  if (!block) return nullptr;
  auto* window = new TFormSource;
  window->SetSource(path, *block, static_cast<int>(table.Keywords().View(row).size()));
  window->ShowFrom(from, QSize(480, 320));
  return window;
}

void TFormSource::SetSource(const std::string& path, const concordance::SourceBlock& block,
                            int keywordLength) {
  setWindowTitle(SourceCaption(path));
  std::int64_t start = block.KeywordStart;
  Memo1->setPlainText(FromAnsi(concordance::FieldText(block.Text, start)));
  const int end = Memo1->document()->characterCount() - 1;
  QTextCursor cursor(Memo1->document());
  cursor.setPosition(static_cast<int>(std::min<std::int64_t>(start, end)));
  cursor.setPosition(static_cast<int>(std::min<std::int64_t>(start + keywordLength, end)),
                     QTextCursor::KeepAnchor);
  Memo1->setTextCursor(cursor);
  Memo1->centerCursor();
}

}  // namespace lexvane::gui
