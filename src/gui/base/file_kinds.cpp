#include "gui/base/file_kinds.h"

#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

namespace lexvane::gui {

FileKind KindOfFile(const QString& path) {
  const QFileInfo info(path);
  const QString suffix = info.suffix();
  auto is = [&suffix](const char* extension) {
    return suffix.compare(QLatin1String(extension), Qt::CaseInsensitive) == 0;
  };
  // The list reader calls any name holding ".CTL" a Text List, whatever
  // follows (LIST.CTL.bak).
  if (is("ctl") || is("cfl") || info.fileName().contains(QLatin1String(".CTL")))
    return FileKind::List;
  if (is("cws")) return FileKind::SearchFile;
  if (is("cll")) return FileKind::LemmaList;
  return FileKind::Corpus;
}

FilesToOpen SortFilesToOpen(const QStringList& paths) {
  FilesToOpen files;
  for (const QString& path : paths) {
    switch (KindOfFile(path)) {
      case FileKind::List:
        if (files.list.isEmpty()) files.list = path;
        break;
      case FileKind::SearchFile:
        if (files.searchFile.isEmpty()) files.searchFile = path;
        break;
      case FileKind::LemmaList:
        if (files.lemmaList.isEmpty()) files.lemmaList = path;
        break;
      case FileKind::Corpus:
        files.corpusFiles.append(path);
        break;
    }
  }
  return files;
}

QStringList DroppedFiles(const QMimeData* data, FileKindSet kinds) {
  QStringList files;
  if (data == nullptr || !data->hasUrls()) return files;
  for (const QUrl& url : data->urls()) {
    if (!url.isLocalFile()) continue;
    const QFileInfo info(url.toLocalFile());
    if (!info.isFile()) continue;
    const QString path = info.absoluteFilePath();
    if (kinds == FileKindSet::CorpusOnly && KindOfFile(path) != FileKind::Corpus) continue;
    files.append(path);
  }
  return files;
}

}  // namespace lexvane::gui
