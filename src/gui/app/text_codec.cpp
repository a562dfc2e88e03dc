#include "gui/app/text_codec.h"

#include <QFile>

#include "text/encoding.h"

namespace lexvane::gui {

QString FromAnsi(std::string_view ansi) {
  return QString::fromStdString(text::ansiToUtf8(ansi));
}

std::string ToAnsi(const QString& text) {
  return text::utf8ToAnsi(text.toStdString());
}

TextCodec CorpusCodec(const corpus::CorpusSettings&) {
  return TextCodec{&FromAnsi, &ToAnsi};
}

QString FromPath(const std::string& path) {
  return QFile::decodeName(path.c_str());
}

std::string ToPath(const QString& path) {
  return QFile::encodeName(path).toStdString();
}

}  // namespace lexvane::gui
