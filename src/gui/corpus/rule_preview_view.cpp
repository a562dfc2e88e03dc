#include "gui/corpus/rule_preview_view.h"

#include <algorithm>

#include <QTextCharFormat>
#include <QTextCursor>

#include "gui/base/text_codec.h"
#include "gui/base/thread_handover.h"
#include "text/error.h"

namespace lexvane::gui {

namespace {

// Line breaks as lines, other control characters as blanks.
QString displayable(QString s) {
  s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  for (QChar& c : s) {
    if (c == u'\r')
      c = u'\n';
    else if (c.unicode() < 32 && c != u'\n' && c != u'\t')
      c = u' ';
  }
  return s;
}

}  // namespace

RulePreviewView::RulePreviewView(QWidget* parent)
    : QTextEdit(parent), sets_(text::CharacterSets::Initial()) {
  setObjectName(QStringLiteral("RulePreview"));
  setAccessibleName(QStringLiteral("Preview of words and sentence ends"));
  setAccessibleDescription(
      QStringLiteral("The start of the selected file, its words shaded in turn and a double bar "
                     "where a sentence ends"));
  setReadOnly(true);
  setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  setMinimumHeight(110);
  note_ = QStringLiteral("No file to preview.");
  paint();
}

RulePreviewView::~RulePreviewView() {
  if (reader_) reader_->wait();
}

void RulePreviewView::ShowFile(const std::string& path, bool reload) {
  if (path == path_ && (!reload || reading_)) return;
  path_ = path;
  ++generation_;
  if (path_.empty()) {
    start_ = {};
    note_ = QStringLiteral("No file to preview.");
    paint();
    return;
  }
  // A read under way finishes first; its end starts the read of this path.
  if (!reading_) startReading();
}

void RulePreviewView::SetRules(const text::CharacterSets& sets, bool crlf, bool enhanced) {
  sets_ = sets;
  crlf_ = crlf;
  enhanced_ = enhanced;
  if (!reading_) paint();
}

void RulePreviewView::startReading() {
  reading_ = true;
  const std::string path = path_;
  const int generation = generation_;
  if (reader_) reader_->wait();
  // The view waits for its reader when it goes, so `this` outlives the
  // thread; a result posted to a view that has gone is dropped with it.
  reader_.reset(QThread::create([this, path, generation] {
    text::FileStart start = text::ReadFileStart(path);
    QMetaObject::invokeMethod(this, Hand([this, start = std::move(start), generation]() mutable {
                                finishReading(std::move(start), generation);
                              }),
                              Qt::QueuedConnection);
  }));
  reader_->start();
}

void RulePreviewView::finishReading(text::FileStart start, int generation) {
  reading_ = false;
  if (generation != generation_) {
    startReading();
    return;
  }
  start_ = std::move(start);
  note_ = start_.ok ? QString() : FromPath(start_.note);
  paint();
}

void RulePreviewView::paint() {
  clear();
  words_.clear();
  QTextCursor cursor(document());
  QTextCharFormat plain;
  if (!note_.isEmpty()) {
    QTextCharFormat noteFormat;
    noteFormat.setFontItalic(true);
    noteFormat.setForeground(palette().color(QPalette::PlaceholderText));
    cursor.insertText(note_, noteFormat);
    return;
  }
  const text::DecodedSample decoded =
      text::DecoderFor(sets_)(start_.bytes, text::kPreviewCharacters);
  try {
    words_ = text::CutPreview(start_.bytes, start_.wholeFile, sets_, crlf_);
  } catch (const text::Error& e) {
    cursor.insertText(QString::fromStdString(e.what()), plain);
    return;
  }
  const std::size_t shown = decoded.Bytes();
  words_.erase(std::find_if(words_.begin(), words_.end(),
                            [shown](const text::PreviewWord& w) { return w.begin >= shown; }),
               words_.end());

  QTextCharFormat word[2];
  QColor tint = palette().color(QPalette::Highlight);
  tint.setAlpha(55);
  word[0].setBackground(tint);
  tint.setAlpha(125);
  word[1].setBackground(tint);
  QTextCharFormat mark;
  mark.setFontWeight(QFont::Bold);
  // Red, apart from the tints of the words in light and dark palettes alike.
  mark.setForeground(QColor(0xD0, 0x30, 0x30));

  auto put = [&](std::size_t from, std::size_t to, const QTextCharFormat& format) {
    if (from >= to) return;
    const std::size_t unit = decoded.unitOfByte[from];
    const QString part = QString::fromUtf16(decoded.text.data() + unit,
                                            static_cast<qsizetype>(decoded.unitOfByte[to] - unit));
    cursor.insertText(displayable(part), format);
  };
  std::size_t at = 0;
  for (std::size_t i = 0; i < words_.size(); ++i) {
    const text::PreviewWord& w = words_[i];
    const std::size_t end = std::min(w.end, shown);
    const std::size_t gapEnd = std::min(w.gapEnd, shown);
    put(at, w.begin, plain);
    put(w.begin, end, word[i % 2]);
    put(end, gapEnd, plain);
    at = gapEnd;
    if ((enhanced_ ? w.enhancedEnd : w.simpleEnd) && w.gapEnd <= shown)
      cursor.insertText(QString(SentenceMark()), mark);
  }
  put(at, shown, plain);
  if (shown < start_.bytes.size() || !start_.wholeFile)
    cursor.insertText(QStringLiteral(" \u2026"), plain);
  moveCursor(QTextCursor::Start);
}

}  // namespace lexvane::gui
