#include "gui/concordance/concordance_model.h"

#include <QFont>
#include <QPoint>

#include "concordance/concordance_sort.h"
#include "text/string_words.h"

namespace lexvane::gui {

ConcordanceModel::ConcordanceModel(QObject* parent) : QAbstractTableModel(parent) {}

void ConcordanceModel::setTable(std::shared_ptr<const concordance::ConcordanceTable> table,
                                TextCodec codec) {
  beginResetModel();
  // The table's text is in the encoding it was built with.
  codec_ = table ? CodecFor(table->TextEncoding) : codec;
  table_ = std::move(table);
  endResetModel();
}

void ConcordanceModel::setTintedWord(TintedWord tinted) {
  tinted_ = tinted;
  if (rowCount() > 0) Q_EMIT dataChanged(index(0, LeftColumn), index(rowCount() - 1, RightColumn));
}

void ConcordanceModel::reset() {
  beginResetModel();
  endResetModel();
}

void ConcordanceModel::rowChanged(int row) {
  if (row >= 0 && row < rowCount()) Q_EMIT dataChanged(index(row, 0), index(row, kColumnCount - 1));
}

int ConcordanceModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() || !table_ ? 0 : table_->RowCount();
}

int ConcordanceModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kColumnCount;
}

QString ConcordanceModel::cellText(int row, int column) const {
  if (!table_ || row < 0) return {};
  auto entry = [&](const text::TQStringList& list) {
    return row < list.GetCount() ? codec_.Decode(list.View(row)) : QString();
  };
  switch (column) {
    case NumberColumn:
      return QString::number(row + 1) + QLatin1Char('.');
    case LeftColumn:
      return entry(table_->LeftContexts());
    case KeywordColumn:
      return entry(table_->Keywords());
    case RightColumn:
      return entry(table_->RightContexts());
    case FileColumn:
      // File names are in the file system's encoding, whatever the corpus's.
      return row < table_->FileNames().GetCount()
                 ? FromPath(std::string(table_->FileNames().View(row)))
                 : QString();
    default:
      return {};
  }
}

QVariant ConcordanceModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  const int column = index.column();
  switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
      return cellText(index.row(), column);
    case Qt::TextAlignmentRole:
      // A long left context shows its end next to the keyword.
      if (column == NumberColumn || column == LeftColumn)
        return QVariant::fromValue(Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter));
      if (column == KeywordColumn)
        return QVariant::fromValue(Qt::Alignment(Qt::AlignHCenter | Qt::AlignVCenter));
      return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
    case Qt::FontRole:
      if (column == KeywordColumn) {
        QFont bold;
        bold.setBold(true);
        return bold;
      }
      return {};
    case kTintedSpanRole: {
      if (tinted_.word <= 0 || column != tinted_.side) return {};
      const auto [first, length] = WordSpanFromKeyword(
          cellText(index.row(), column), column == LeftColumn, tinted_.word, tinted_.sets);
      if (length == 0) return {};
      return QPoint(first, length);
    }
    default:
      return {};
  }
}

QVariant ConcordanceModel::headerData(int, Qt::Orientation, int) const {
  return {};
}

Qt::ItemFlags ConcordanceModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

std::pair<int, int> WordSpanFromKeyword(const QString& context, bool leftSide, int n,
                                        const text::CharacterSets& sets) {
  // The engine's words are found in the engine's text, and their bytes
  // counted back in the decoded text's units.
  const TextCodec codec = CodecFor(sets.encoding);
  const std::string bytes = codec.Encode(context);
  concordance::SortOptions options;
  options.RightPart = !leftSide;
  options.WordNumber = n;
  const text::WordSpan span = concordance::SortWordSpan(bytes, options, text::StringWords(sets));
  if (span.length == 0) return {0, 0};
  const std::string_view view(bytes);
  const auto units = [&](std::size_t from, std::size_t length) {
    return static_cast<int>(codec.Decode(view.substr(from, length)).size());
  };
  return {units(0, span.first), units(span.first, span.length)};
}

}  // namespace lexvane::gui
