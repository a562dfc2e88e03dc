#include "gui/app/workspace.h"

#include "gui/app/concordance_window_factory.h"
#include "gui/app/form_about.h"
#include "gui/common/form_copy_freq.h"
#include "gui/common/form_stat.h"
#include "gui/concordance/form_copy_concord.h"
#include "gui/concordance/form_sort_concord.h"
#include "gui/corpus/form_file_list.h"
#include "gui/frequency/collocate_command.h"
#include "gui/frequency/form_association.h"
#include "gui/frequency/form_find_col_freq.h"
#include "gui/frequency/form_sort_collocates.h"
#include "gui/frequency/form_sort_word_freq.h"
#include "gui/frequency/form_word_freq_columns.h"
#include "gui/help/help_desk.h"
#include "gui/keywords/form_keyword_query.h"
#include "gui/keywords/form_sort_keywords.h"
#include "gui/ngrams/form_ngram_options.h"
#include "gui/ngrams/form_sort_ngrams.h"
#include "gui/ngrams/ngram_commands.h"
#include "gui/runner/form_progress_ind.h"
#include "gui/runner/form_search_ind.h"
#include "gui/runner/gui_user_interface.h"
#include "gui/runner/operation_runner.h"
#include "gui/search/form_lemma_list.h"
#include "gui/search/form_search.h"
#include "gui/search/form_search_adv.h"

namespace lexvane::gui {

Workspace::Workspace(text::Collator collator, concordance::ConcordanceWindowSettings windowSettings)
    : WindowHost(std::move(collator), windowSettings),
      factory_(std::make_unique<ConcordanceWindowFactory>()) {}

Workspace::~Workspace() {
  // A running operation is stopped while everything it may reach exists.
  runner_.reset();
}

void Workspace::CreateDialogs(QWidget* mainWindow) {
  ui_->setParentWindow(mainWindow);
  formAbout_ = new TFormAbout(*help_, mainWindow);
  formLemmaList_ = new TFormLemmaList(*ui_, collator_, mainWindow);
  formFileList_ = new TFormFileList(corpus_, collator_, *ui_, mainWindow);
  formSearch_ = new TFormSearch(corpus_, *ui_, *formLemmaList_, mainWindow);
  formProgressInd_ = new TFormProgressInd(mainWindow);
  formSortConcord_ = new TFormSortConcord(*help_, mainWindow);
  formCopyConcord_ = new TFormCopyConcord(*help_, mainWindow);
  formSearchInd_ = new TFormSearchInd(mainWindow);
  formSearchAdv_ = new TFormSearchAdv(corpus_, *ui_, *formLemmaList_, mainWindow);
  formStat_ = new TFormStat(*help_, mainWindow);
  formFindColFreq_ = new TFormFindColFreq(*help_, mainWindow);
  formSortCollocates_ = new TFormSortCollocates(*help_, mainWindow);
  formCopyFreq_ = new TFormCopyFreq(*help_, mainWindow);
  formSortWordFreq_ = new TFormSortWordFreq(*help_, mainWindow);
  formNGramOptions_ = new TFormNGramOptions(*help_, TFormNGramOptions::Kind::NGrams, mainWindow);
  formClusterOptions_ =
      new TFormNGramOptions(*help_, TFormNGramOptions::Kind::Clusters, mainWindow);
  formSortNGrams_ = new TFormSortNGrams(*help_, mainWindow);
  formAssociation_ = new TFormAssociation(*help_, mainWindow);
  formKeywordQuery_ = new TFormKeywordQuery(*help_, choosers_, mainWindow);
  formSortKeywords_ = new TFormSortKeywords(*help_, mainWindow);
  formWordFreqColumns_ = new TFormWordFreqColumns(*help_, mainWindow);
  runner_ = std::make_unique<OperationRunner>(*ui_, *formSearchInd_, *formProgressInd_);
}

void Workspace::OpenCollocates(const CollocateSource& source) {
  RunCollocateCommand(*this, source);
}

void Workspace::OpenClusters(const ClusterSource& source) {
  RunClustersCommand(*this, source);
}

}  // namespace lexvane::gui
