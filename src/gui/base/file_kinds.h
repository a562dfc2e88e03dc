// The kinds of file that the desktop program opens when they come from
// outside (its command line, the file manager, a drop), told apart by name
// as the file dialogs' filters tell them: list files (".CTL", ".CFL"), word
// search files (".cws"), lemma lists (".cll"); everything else is corpus
// text. Which kind of list file a list is stays the list reader's rule.
#pragma once

#include <QString>
#include <QStringList>

class QMimeData;

namespace lexvane::gui {

enum class FileKind { List, SearchFile, LemmaList, Corpus };

// By the name's extension, in any case ("novels.ctl" is a list file too;
// the list reader then reads it as an older File List).
FileKind KindOfFile(const QString& path);

// What a set of files opens: the first list file, the first search file, the
// first lemma list and every corpus file, in the order given.
struct FilesToOpen {
  QString list;
  QString searchFile;
  QString lemmaList;
  QStringList corpusFiles;
};
FilesToOpen SortFilesToOpen(const QStringList& paths);

enum class FileKindSet { Any, CorpusOnly };
// The full paths of the local files (not folders) among dropped data, in
// order; with CorpusOnly only those of FileKind::Corpus.
QStringList DroppedFiles(const QMimeData* data, FileKindSet kinds);

}  // namespace lexvane::gui
