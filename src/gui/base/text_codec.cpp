#include "gui/base/text_codec.h"

#include <QFile>

#include "corpus/corpus_settings.h"
#include "text/encoding.h"

namespace lexvane::gui {

QString FromAnsi(std::string_view ansi) {
  return QString::fromStdString(text::ansiToUtf8(ansi));
}

std::string ToAnsi(const QString& text) {
  return text::utf8ToAnsi(text.toStdString());
}

QString FromUtf8Text(std::string_view utf8) {
  const std::u16string units = text::decodeToUtf16(utf8, text::Encoding::Utf8);
  return QString::fromUtf16(units.data(), static_cast<qsizetype>(units.size()));
}

std::string ToUtf8Text(const QString& text) {
  return text.toStdString();
}

TextCodec CodecFor(text::Encoding encoding) {
  if (text::IsUtf8(encoding)) return TextCodec{&FromUtf8Text, &ToUtf8Text};
  return TextCodec{&FromAnsi, &ToAnsi};
}

TextCodec CorpusCodec(const corpus::CorpusSettings& corpus) {
  return CodecFor(corpus.TextEncoding);
}

std::string Recode(std::string_view text, text::Encoding from, text::Encoding to) {
  if (text::IsUtf8(from) == text::IsUtf8(to)) return std::string(text);
  return CodecFor(to).Encode(CodecFor(from).Decode(text));
}

QString FromPath(const std::string& path) {
  return QFile::decodeName(path.c_str());
}

std::string ToPath(const QString& path) {
  return QFile::encodeName(path).toStdString();
}

}  // namespace lexvane::gui
