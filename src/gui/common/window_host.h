// WindowHost: what a child window is given for the whole run of the desktop
// program: the collator every sort and comparison of the run uses (resolved
// once at start-up), the corpus (CorpusSettings), the character sets of the most recent
// build, the concordance window settings, the long-lived dialogs and
// indicator windows, the user interface the engine asks through, the help
// desk, the file choosers, the runner of long operations, and the commands
// by which one window opens another of a different kind. The application's
// Workspace is the one host: it makes the dialogs and knows every window
// kind, so a window library needs no header of another window library.
// Nothing of it is process-wide, so two hosts (two tests) never see each
// other's answerer, help, choosers or collator. GUI thread only.
#pragma once

#include <functional>
#include <memory>

#include "concordance/window_settings.h"
#include "corpus/corpus_settings.h"
#include "frequency/word_counts.h"
#include "gui/common/file_choosers.h"
#include "gui/help/help_desk.h"
#include "text/collation.h"
#include "text/latest_scan_sets.h"

namespace lexvane::gui {

struct ClusterSource;
struct CollocateSource;
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

class WindowHost {
 public:
  virtual ~WindowHost();
  WindowHost(const WindowHost&) = delete;
  WindowHost& operator=(const WindowHost&) = delete;

  // Stops a running operation and waits for it; before the main window and
  // its dialogs go.
  void StopOperations();

 public:  // the shared state
  // The collator of the run: windows hand it to the builds, sorts and
  // comparisons they start (also on the worker thread: it is immutable).
  const text::Collator& Collator() const { return collator_; }
  corpus::CorpusSettings& Corpus() { return corpus_; }
  // The sets of the most recent concordance or word frequency build, which
  // the concordance sort and copy cut words with. A window records
  // corpus::ScannerSets(Corpus()) here when it starts a build (a concordance
  // once concordance::MaxListSizeOf accepted the query) and hands a sort or
  // copy a copy of Sets() when it starts one.
  text::LatestScanSets& LatestScanSets() { return latestScanSets_; }
  concordance::ConcordanceWindowSettings& WindowSettings() { return windowSettings_; }
  GuiUserInterface& Ui() { return *ui_; }
  // Where help requests go (the help window, or a test's observer).
  HelpDesk& Help() { return *help_; }
  // The file dialogs of the save and open commands; tests set their own.
  FileChoosers& Choosers() { return choosers_; }
  OperationRunner& Runner() { return *runner_; }
  // The word counts of the corpora counted so far in the run (C1 of the
  // association measures, keyword lists); shared with the worker thread.
  const std::shared_ptr<frequency::WordCountsCache>& WordCounts() { return wordCounts_; }
  // The export filter chosen last in the run, offered first the next time.
  int LastExportFilter = 0;

 public:  // windows that open windows of another kind
  // "Frequency of collocates..." of a concordance window.
  virtual void OpenCollocates(const CollocateSource& source) = 0;
  // "Clusters..." of a concordance window.
  virtual void OpenClusters(const ClusterSource& source) = 0;

 public:  // tests
  // Runs on the worker thread at the start of every concordance window
  // operation over a built table, so that a test can cancel it at a known
  // point.
  const std::function<void()>& OperationHook() const { return operationHook_; }
  void SetOperationHook(std::function<void()> hook) { operationHook_ = std::move(hook); }

 public:  // the long-lived windows (null before the host made them)
  TFormAbout* FormAbout() const { return formAbout_; }
  TFormFileList* FormFileList() const { return formFileList_; }
  TFormProgressInd* FormProgressInd() const { return formProgressInd_; }
  TFormCopyConcord* FormCopyConcord() const { return formCopyConcord_; }
  TFormSearchInd* FormSearchInd() const { return formSearchInd_; }
  TFormSearch* FormSearch() const { return formSearch_; }
  TFormSortConcord* FormSortConcord() const { return formSortConcord_; }
  TFormSearchAdv* FormSearchAdv() const { return formSearchAdv_; }
  TFormLemmaList* FormLemmaList() const { return formLemmaList_; }
  TFormStat* FormStat() const { return formStat_; }
  TFormFindColFreq* FormFindColFreq() const { return formFindColFreq_; }
  TFormSortCollocates* FormSortCollocates() const { return formSortCollocates_; }
  TFormCopyFreq* FormCopyFreq() const { return formCopyFreq_; }
  TFormSortWordFreq* FormSortWordFreq() const { return formSortWordFreq_; }
  TFormNGramOptions* FormNGramOptions() const { return formNGramOptions_; }
  TFormNGramOptions* FormClusterOptions() const { return formClusterOptions_; }
  TFormSortNGrams* FormSortNGrams() const { return formSortNGrams_; }
  TFormAssociation* FormAssociation() const { return formAssociation_; }
  TFormKeywordQuery* FormKeywordQuery() const { return formKeywordQuery_; }
  TFormSortKeywords* FormSortKeywords() const { return formSortKeywords_; }
  TFormWordFreqColumns* FormWordFreqColumns() const { return formWordFreqColumns_; }

 protected:
  WindowHost(text::Collator collator, concordance::ConcordanceWindowSettings windowSettings);

  // First made, last gone: the user interface and the dialogs show help.
  std::unique_ptr<HelpDesk> help_;
  // Before everything that may sort with it.
  const text::Collator collator_;
  corpus::CorpusSettings corpus_;
  text::LatestScanSets latestScanSets_;
  concordance::ConcordanceWindowSettings windowSettings_;
  std::unique_ptr<GuiUserInterface> ui_;
  std::unique_ptr<OperationRunner> runner_;
  FileChoosers choosers_;
  std::function<void()> operationHook_;
  TFormAbout* formAbout_ = nullptr;
  TFormFileList* formFileList_ = nullptr;
  TFormProgressInd* formProgressInd_ = nullptr;
  TFormCopyConcord* formCopyConcord_ = nullptr;
  TFormSearchInd* formSearchInd_ = nullptr;
  TFormSearch* formSearch_ = nullptr;
  TFormSortConcord* formSortConcord_ = nullptr;
  TFormSearchAdv* formSearchAdv_ = nullptr;
  TFormLemmaList* formLemmaList_ = nullptr;
  TFormStat* formStat_ = nullptr;
  TFormFindColFreq* formFindColFreq_ = nullptr;
  TFormSortCollocates* formSortCollocates_ = nullptr;
  TFormCopyFreq* formCopyFreq_ = nullptr;
  TFormSortWordFreq* formSortWordFreq_ = nullptr;
  TFormNGramOptions* formNGramOptions_ = nullptr;
  TFormNGramOptions* formClusterOptions_ = nullptr;
  TFormSortNGrams* formSortNGrams_ = nullptr;
  TFormAssociation* formAssociation_ = nullptr;
  TFormKeywordQuery* formKeywordQuery_ = nullptr;
  TFormSortKeywords* formSortKeywords_ = nullptr;
  TFormWordFreqColumns* formWordFreqColumns_ = nullptr;
  std::shared_ptr<frequency::WordCountsCache> wordCounts_ =
      std::make_shared<frequency::WordCountsCache>();
};

}  // namespace lexvane::gui
