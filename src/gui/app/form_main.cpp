#include "gui/app/form_main.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>
#include <QTimer>

#include "gui/app/form_about.h"
#include "gui/app/list_file_commands.h"
#include "gui/app/recent_lists_menu.h"
#include "gui/app/workspace.h"
#include "gui/base/app_icons.h"
#include "gui/base/child_window.h"
#include "gui/base/text_codec.h"
#include "gui/concordance/form_concordance.h"
#include "gui/concordance/form_source.h"
#include "gui/concordance/form_source_stripped.h"
#include "gui/corpus/form_file_list.h"
#include "gui/frequency/form_colloc_freq.h"
#include "gui/frequency/form_word_freq.h"
#include "gui/help/help.h"
#include "gui/help/help_desk.h"
#include "gui/keywords/form_keywords.h"
#include "gui/ngrams/form_ngrams.h"
#include "gui/ngrams/ngram_commands.h"
#include "gui/runner/form_search_ind.h"
#include "gui/runner/operation_runner.h"

namespace lexvane::gui {

TFormMain::TFormMain(Workspace& workspace, QWidget* parent)
    : QMainWindow(parent), workspace_(workspace) {
  setObjectName(QStringLiteral("FormMain"));
  setWindowTitle(QStringLiteral("Lexvane"));
  setWindowIcon(AppIcon());
  SetHelpContext(this, 1);
  resize(640, 400);
  CentreOnScreen(this);

  mdi_ = new QMdiArea(this);
  mdi_->setObjectName(QStringLiteral("ClientArea"));
  mdi_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  mdi_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setCentralWidget(mdi_);
  buildMenus();
  buildToolBar();

  connect(mdi_, &QMdiArea::subWindowActivated, this, [this] {
    mergeChildMenus();
    scheduleUpdate();
  });
  connect(qApp, &QApplication::focusChanged, this, &TFormMain::scheduleUpdate);
  connect(qApp, &QGuiApplication::applicationStateChanged, this, &TFormMain::scheduleUpdate);

  // The long-lived windows come after the main window.
  workspace_.CreateDialogs(this);
  listFiles_ = new ListFileCommands(workspace_, this);
  connect(listFiles_, &ListFileCommands::listFileUsed, recentLists_, &RecentListsMenu::Record);
  setAcceptDrops(true);
  connect(&workspace_.Runner(), &OperationRunner::busyChanged, this, &TFormMain::UpdateButtons);
  connect(workspace_.FormFileList(), &TFormFileList::optionsChanged, this,
          &TFormMain::UpdateButtons);
  UpdateButtons();
}

TFormMain::~TFormMain() {
  // The base class still closes the child windows; nothing may call back.
  disconnect(mdi_, nullptr, this, nullptr);
  disconnect(qApp, nullptr, this, nullptr);
  workspace_.StopOperations();
}

void TFormMain::scheduleUpdate() {
  if (updatePending_) return;
  updatePending_ = true;
  QTimer::singleShot(0, this, [this] {
    updatePending_ = false;
    UpdateButtons();
  });
}

void TFormMain::changeEvent(QEvent* event) {
  // A modal dialog blocks or releases the frame: the active window changes.
  switch (event->type()) {
    case QEvent::ActivationChange:
    case QEvent::WindowStateChange:
      scheduleUpdate();
      break;
    default:
      break;
  }
  QMainWindow::changeEvent(event);
}

ChildWindow* TFormMain::activeChild() const {
  if (QApplication::activeModalWidget() != nullptr) return nullptr;
  QWidget* active = QApplication::activeWindow();
  if (active != nullptr && active != this && active->isVisible()) return nullptr;
  QMdiSubWindow* sub = mdi_->currentSubWindow();
  return sub != nullptr ? qobject_cast<ChildWindow*>(sub->widget()) : nullptr;
}

ActiveKind TFormMain::activeKind() const {
  ChildWindow* w = activeChild();
  if (qobject_cast<TFormConcordance*>(w)) return ActiveKind::Concordance;
  if (qobject_cast<TFormSource*>(w)) return ActiveKind::Source;
  if (qobject_cast<TFormSourceStripped*>(w)) return ActiveKind::SourceStripped;
  if (qobject_cast<TFormWordFreq*>(w)) return ActiveKind::WordFreq;
  if (qobject_cast<TFormCollocFreq*>(w)) return ActiveKind::CollocFreq;
  if (qobject_cast<TFormNGrams*>(w)) return ActiveKind::NGrams;
  if (qobject_cast<TFormKeywords*>(w)) return ActiveKind::Keywords;
  return ActiveKind::None;
}

void TFormMain::UpdateButtons() {
  const corpus::CorpusSettings& corpus = workspace_.Corpus();
  applyState(ComputeCommandState(
      {activeKind(), corpus.Files.Count(), corpus.TaggedText, workspace_.Runner().busy()}));
}

void TFormMain::UpdateMenus() {
  UpdateButtons();
}

void TFormMain::applyState(const CommandState& s) {
  auto set = [this](const char* name, bool enabled) {
    actions_.value(QLatin1String(name))->setEnabled(enabled);
  };
  set("MenuSavelist", s.saveList);
  set("MenuSavelistas", s.saveList);
  set("MenuSearch", s.search);
  set("MenuAdvancedSearch", s.advancedSearch);
  set("MenuBuildfrequencylist", s.frequencyList);
  set("MenuNGramList", s.ngramList);
  // A keyword list counts the corpus as a word frequency list does.
  set("MenuKeywordList", s.frequencyList);
  set("SpeedButtonKeywordList", s.frequencyList);
  set("SpeedButtonFileSave", s.saveList);
  set("SpeedButtonSearch", s.search);
  set("SpeedButtonAdvSearch", s.advancedSearch);
  set("SpeedButtonCFreq", s.collocates);
  set("SpeedButtonFreqList", s.frequencyList);
  set("SpeedButtonCopy", s.copy);
  set("SpeedButtonClear", s.clear);
  set("SpeedButtonSort", s.sort);
  set("SpeedButtonDelDup", s.deleteDuplicates);
  set("SpeedButtonShowSrc", s.displaySource);
  set("SpeedButtonShowScrStripped", s.displayStrippedSource);
  set("SpeedButtonStat", s.statistics);
  set("SpeedButtonPlot", s.plot);
}

void TFormMain::ShowListInfo() {
  toolBarLabel_->setText(FromPath(workspace_.Corpus().ListInfo()));
  toolBarLabel_->setToolTip(toolBarLabel_->text());
}

QMdiSubWindow* TFormMain::AddChildWindow(ChildWindow* window) {
  window->setAttribute(Qt::WA_DeleteOnClose);
  QMdiSubWindow* sub = mdi_->addSubWindow(window);
  sub->setAttribute(Qt::WA_DeleteOnClose);
  connect(window, &QWidget::windowTitleChanged, this, [this] { scheduleUpdate(); });
  window->show();
  return sub;
}

// ---- File ----

void TFormMain::MenuNewlistClick() {
  if (listFiles_->NewList()) MenuEditFileListClick();
  UpdateButtons();
}

void TFormMain::MenuOpenlistClick() {
  listFiles_->OpenList();
  UpdateButtons();
}

void TFormMain::MenuSavelistClick() {
  listFiles_->SaveList();
  UpdateButtons();
}

void TFormMain::MenuSavelistasClick() {
  listFiles_->SaveListAs();
  UpdateButtons();
}

void TFormMain::OpenListFromCommandLine(const QString& path) {
  // A full path, as the open dialog gives, so that the label and a later
  // save name the same file whatever the working folder.
  listFiles_->OpenListFile(QFileInfo(path).absoluteFilePath());
  UpdateButtons();
}

void TFormMain::closeEvent(QCloseEvent* event) {
  if (!listFiles_->QuerySaveList()) {
    event->ignore();
    return;
  }
  workspace_.StopOperations();
  mdi_->closeAllSubWindows();
  event->accept();
}

// ---- Tools ----

void TFormMain::MenuEditFileListClick() {
  workspace_.FormFileList()->exec();
  ShowListInfo();
  UpdateButtons();
}

void TFormMain::MenuSearchClick() {
  workspace_.NextSearchKind = SearchKind::Simple;
  if (ChildWindow* w = workspace_.Factory().CreateConcordance(SearchKind::Simple, workspace_, this))
    AddChildWindow(w);
  UpdateButtons();
}

void TFormMain::MenuAdvancedSearchClick() {
  workspace_.NextSearchKind = SearchKind::Advanced;
  if (ChildWindow* w =
          workspace_.Factory().CreateConcordance(SearchKind::Advanced, workspace_, this))
    AddChildWindow(w);
  UpdateButtons();
}

void TFormMain::MenuBuildfrequencylistClick() {
  if (ChildWindow* w = workspace_.Factory().CreateWordFreq(workspace_, this)) AddChildWindow(w);
  UpdateButtons();
}

void TFormMain::MenuNGramListClick() {
  if (ChildWindow* w = CreateNGramWindow(workspace_, this)) AddChildWindow(w);
  UpdateButtons();
}

void TFormMain::MenuKeywordListClick() {
  if (ChildWindow* w = CreateKeywordWindow(workspace_, this)) AddChildWindow(w);
  UpdateButtons();
}

// ---- Help ----

void TFormMain::Contents1Click() {
  workspace_.Help().Show(0);
}

void TFormMain::MenuAboutClick() {
  workspace_.FormAbout()->exec();
  UpdateButtons();
}

// ---- Routed commands ----
// Each calls the same command of the active child window; a window that does
// not offer it ignores it, and the enabled rules keep such buttons disabled.

void TFormMain::route(void (ChildWindow::*command)()) {
  if (ChildWindow* w = activeChild()) (w->*command)();
  UpdateButtons();
}

void TFormMain::SpeedButtonCopyClick() {
  route(&ChildWindow::MenuCopyClick);
}

void TFormMain::SpeedButtonClearClick() {
  route(&ChildWindow::MenuClearClick);
}

void TFormMain::MenuSortClick() {
  route(&ChildWindow::MenuSortClick);
}

void TFormMain::SpeedButtonStatClick() {
  route(&ChildWindow::MenuStatisticsClick);
}

void TFormMain::SpeedButtonDelDupClick() {
  route(&ChildWindow::MenuDeleteDuplicateClick);
}

void TFormMain::SpeedButtonShowSrcClick() {
  route(&ChildWindow::MenuDisplaySourceClick);
}

void TFormMain::SpeedButtonShowScrStrippedClick() {
  route(&ChildWindow::MenuDisplaystrippedsourceClick);
}

void TFormMain::SpeedButtonCFreqClick() {
  route(&ChildWindow::MenuFrequenciesClick);
}

void TFormMain::SpeedButtonPlotClick() {
  route(&ChildWindow::MenuPlotClick);
}

}  // namespace lexvane::gui
