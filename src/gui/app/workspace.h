// Workspace: what lives for the whole run of the desktop program besides the
// main window: the corpus (CorpusSettings), the character sets of the most
// recent build, the concordance window settings, the long-lived dialogs and
// indicator windows (created once, in start-up order, and reused), the user
// interface the engine asks through, the runner of long operations, and the
// factory of child windows. Later windows reach everything shared through it.
// GUI thread only.
#pragma once

#include <memory>

#include "concordance/window_settings.h"
#include "corpus/corpus_settings.h"
#include "frequency/word_counts.h"
#include "gui/app/child_window_factory.h"
#include "text/latest_scan_sets.h"

class QWidget;

namespace lexvane::gui {

class GuiUserInterface;
class OperationRunner;
class TFormAbout;
class TFormAssociation;
class TFormKeywordQuery;
class TFormSortKeywords;
class TFormCopyConcord;
class TFormCopyFreq;
class TFormFileList;
class TFormFindColFreq;
class TFormNGramOptions;
class TFormLemmaList;
class TFormProgressInd;
class TFormSearch;
class TFormSearchAdv;
class TFormSearchInd;
class TFormSortCollocates;
class TFormSortNGrams;
class TFormSortConcord;
class TFormSortWordFreq;
class TFormWordFreqColumns;
class TFormStat;

class Workspace {
 public:
  explicit Workspace(concordance::ConcordanceWindowSettings windowSettings = {});
  ~Workspace();
  Workspace(const Workspace&) = delete;
  Workspace& operator=(const Workspace&) = delete;

  // Creates the long-lived windows as children of the main window, in the
  // start-up order: TFormAbout, TFormFileList, TFormProgressInd,
  // TFormSearch, TFormProgressInd, TFormSortConcord, TFormSearchInd,
  // TFormSearchAdv, TFormLemmaList (the copy, statistics and collocate
  // dialogs take their places in this order as they arrive), then the
  // dialogs of the association measures and keyword lists. The lemma list
  // is made first of all, as both search dialogs hand it their files.
  void CreateDialogs(QWidget* mainWindow);
  // Stops a running operation and waits for it; before the main window and
  // its dialogs go.
  void StopOperations();

 public:  // the shared state
  corpus::CorpusSettings& Corpus() { return corpus_; }
  // The sets of the most recent concordance or word frequency build, which
  // the concordance sort and copy cut words with. A window records
  // corpus::ScannerSets(Corpus()) here when it starts a build (a concordance
  // once concordance::MaxListSizeOf accepted the query) and hands a sort or
  // copy a copy of Sets() when it starts one.
  text::LatestScanSets& LatestScanSets() { return latestScanSets_; }
  concordance::ConcordanceWindowSettings& WindowSettings() { return windowSettings_; }
  GuiUserInterface& Ui() { return *ui_; }
  OperationRunner& Runner() { return *runner_; }
  ChildWindowFactory& Factory() { return *factory_; }
  // The word counts of the corpora counted so far in the run (C1 of the
  // association measures, keyword lists); shared with the worker thread.
  const std::shared_ptr<frequency::WordCountsCache>& WordCounts() { return wordCounts_; }
  void SetFactory(std::unique_ptr<ChildWindowFactory> factory) { factory_ = std::move(factory); }
  // The kind of the next search.
  SearchKind NextSearchKind = SearchKind::Simple;

 public:  // the long-lived windows (null before CreateDialogs)
  TFormAbout* FormAbout = nullptr;
  TFormFileList* FormFileList = nullptr;
  TFormProgressInd* FormProgressInd = nullptr;
  TFormCopyConcord* FormCopyConcord = nullptr;
  TFormSearchInd* FormSearchInd = nullptr;
  TFormSearch* FormSearch = nullptr;
  TFormSortConcord* FormSortConcord = nullptr;
  TFormSearchAdv* FormSearchAdv = nullptr;
  TFormLemmaList* FormLemmaList = nullptr;
  TFormStat* FormStat = nullptr;
  TFormFindColFreq* FormFindColFreq = nullptr;
  TFormSortCollocates* FormSortCollocates = nullptr;
  TFormCopyFreq* FormCopyFreq = nullptr;
  TFormSortWordFreq* FormSortWordFreq = nullptr;
  // The n-gram and cluster dialogs, made after the others.
  TFormNGramOptions* FormNGramOptions = nullptr;
  TFormNGramOptions* FormClusterOptions = nullptr;
  TFormSortNGrams* FormSortNGrams = nullptr;
  TFormAssociation* FormAssociation = nullptr;
  TFormKeywordQuery* FormKeywordQuery = nullptr;
  TFormSortKeywords* FormSortKeywords = nullptr;
  // Added after the program's own dialogs: the word frequency columns.
  TFormWordFreqColumns* FormWordFreqColumns = nullptr;

 private:
  corpus::CorpusSettings corpus_;
  text::LatestScanSets latestScanSets_;
  concordance::ConcordanceWindowSettings windowSettings_;
  std::unique_ptr<GuiUserInterface> ui_;
  std::unique_ptr<OperationRunner> runner_;
  std::unique_ptr<ChildWindowFactory> factory_;
  std::shared_ptr<frequency::WordCountsCache> wordCounts_ =
      std::make_shared<frequency::WordCountsCache>();
};

}  // namespace lexvane::gui
