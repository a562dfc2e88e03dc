#include "gui/app/workspace.h"

#include "gui/app/form_about.h"
#include "gui/app/form_progress_ind.h"
#include "gui/app/form_search_ind.h"
#include "gui/app/gui_user_interface.h"
#include "gui/app/operation_runner.h"
#include "gui/concordance/concordance_window_factory.h"
#include "gui/concordance/form_copy_concord.h"
#include "gui/concordance/form_sort_concord.h"
#include "gui/concordance/form_stat.h"
#include "gui/corpus/form_file_list.h"
#include "gui/frequency/form_association.h"
#include "gui/frequency/form_copy_freq.h"
#include "gui/frequency/form_find_col_freq.h"
#include "gui/frequency/form_sort_collocates.h"
#include "gui/frequency/form_sort_word_freq.h"
#include "gui/ngrams/form_ngram_options.h"
#include "gui/ngrams/form_sort_ngrams.h"
#include "gui/keywords/form_keyword_query.h"
#include "gui/keywords/form_sort_keywords.h"
#include "gui/frequency/form_word_freq_columns.h"
#include "gui/search/form_lemma_list.h"
#include "gui/search/form_search.h"
#include "gui/search/form_search_adv.h"

namespace lexvane::gui {

Workspace::Workspace(concordance::ConcordanceWindowSettings windowSettings)
    : windowSettings_(windowSettings),
      ui_(std::make_unique<GuiUserInterface>()),
      factory_(std::make_unique<ConcordanceWindowFactory>()) {}

Workspace::~Workspace() {
  // A running operation refers to the indicators: stop it while they exist.
  runner_.reset();
}

void Workspace::CreateDialogs(QWidget* mainWindow) {
  ui_->setParentWindow(mainWindow);
  FormAbout = new TFormAbout(mainWindow);
  FormLemmaList = new TFormLemmaList(*ui_, mainWindow);
  FormFileList = new TFormFileList(corpus_, *ui_, mainWindow);
  FormSearch = new TFormSearch(corpus_, *ui_, *FormLemmaList, mainWindow);
  FormProgressInd = new TFormProgressInd(mainWindow);
  FormSortConcord = new TFormSortConcord(mainWindow);
  FormCopyConcord = new TFormCopyConcord(mainWindow);
  FormSearchInd = new TFormSearchInd(mainWindow);
  FormSearchAdv = new TFormSearchAdv(corpus_, *ui_, *FormLemmaList, mainWindow);
  FormStat = new TFormStat(mainWindow);
  FormFindColFreq = new TFormFindColFreq(mainWindow);
  FormSortCollocates = new TFormSortCollocates(mainWindow);
  FormCopyFreq = new TFormCopyFreq(mainWindow);
  FormSortWordFreq = new TFormSortWordFreq(mainWindow);
  FormNGramOptions = new TFormNGramOptions(TFormNGramOptions::Kind::NGrams, mainWindow);
  FormClusterOptions = new TFormNGramOptions(TFormNGramOptions::Kind::Clusters, mainWindow);
  FormSortNGrams = new TFormSortNGrams(mainWindow);
  FormAssociation = new TFormAssociation(mainWindow);
  FormKeywordQuery = new TFormKeywordQuery(mainWindow);
  FormSortKeywords = new TFormSortKeywords(mainWindow);
  FormWordFreqColumns = new TFormWordFreqColumns(mainWindow);
  runner_ = std::make_unique<OperationRunner>(*ui_, *FormSearchInd, *FormProgressInd);
}

}  // namespace lexvane::gui

namespace lexvane::gui {

void Workspace::StopOperations() {
  if (runner_) runner_->stop();
}

}  // namespace lexvane::gui
