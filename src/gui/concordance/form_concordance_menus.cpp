// The concordance window's Edit menu and pop-up menu: the same commands in
// the same order, each pair calling one handler; Paste enabled on opening
// either menu as CanPaste says.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QMimeData>
#include <QTableView>

#include "gui/common/ngram_help.h"
#include "gui/common/window_host.h"
#include "gui/concordance/concordance_model.h"
#include "gui/concordance/form_concordance.h"
#include "gui/help/help.h"
#include "gui/runner/operation_runner.h"

namespace lexvane::gui {

namespace {

constexpr int kEditHelpContext = 11;
constexpr int kExportHelpContext = 130;
constexpr int kPlotHelpContext = 110;

}  // namespace

QAction* TFormConcordance::addItem(QMenu* menu, const char* name, const QString& caption,
                                   void (TFormConcordance::*handler)()) {
  QAction* action = menu->addAction(caption);
  action->setObjectName(QLatin1String(name));
  connect(action, &QAction::triggered, this, handler);
  actions_.insert(QLatin1String(name), action);
  return action;
}

void TFormConcordance::buildMenus() {
  editMenu_ = new QMenu(QStringLiteral("&Edit"));
  editMenu_->setObjectName(QStringLiteral("MenuEdit1"));
  editMenu_->setProperty(kMenuGroupProperty, 1);
  SetHelpContext(editMenu_, kEditHelpContext);
  popupMenu_ = new QMenu;
  popupMenu_->setObjectName(QStringLiteral("PopupMenu1"));

  struct Entry {
    const char* editName;
    const char* popupName;
    QString caption;
    QKeySequence shortcut;
    void (TFormConcordance::*handler)();
    int helpContext;
  };
  const Entry entries[] = {
      {"MenuCopy", "MenuPopupCopy", QStringLiteral("Copy..."),
       QKeySequence(Qt::CTRL | Qt::Key_Insert), &TFormConcordance::MenuCopyClick, kEditHelpContext},
      {"MenuPaste", "MenuPopupPaste", QStringLiteral("Paste"),
       QKeySequence(Qt::SHIFT | Qt::Key_Insert), &TFormConcordance::MenuPasteClick, 0},
      {"MenuClear", "MenuPopupClear", QStringLiteral("Clear"), QKeySequence(Qt::Key_Delete),
       &TFormConcordance::MenuClearClick, kEditHelpContext},
      {"MenuSort",
       "MenuPopupSort",
       QStringLiteral("&Sort..."),
       {},
       &TFormConcordance::MenuSortClick,
       0},
      {"N3", "N4", {}, {}, nullptr, 0},
      {"MenuDeleteDuplicate",
       "MenuPopupDeleteDuplicate",
       QStringLiteral("&Delete duplicate sentences"),
       {},
       &TFormConcordance::MenuDeleteDuplicateClick,
       kEditHelpContext},
      {"MenuDisplaySource",
       "MenuPopupDisplaySource",
       QStringLiteral("Display s&ource text"),
       {},
       &TFormConcordance::MenuDisplaySourceClick,
       kEditHelpContext},
      {"MenuDisplaystrippedsource",
       "MenuDisplaystrippedtext",
       QStringLiteral("Display stripped source text"),
       {},
       &TFormConcordance::MenuDisplaystrippedsourceClick,
       0},
      {"MenuStatistics",
       "MenuPopupStatistics",
       QStringLiteral("S&tatistics..."),
       {},
       &TFormConcordance::MenuStatisticsClick,
       0},
      {"MenuFrequencies",
       "PopupMenuFrequencies",
       QStringLiteral("&Frequency of collocates..."),
       {},
       &TFormConcordance::MenuFrequenciesClick,
       0},
      {"N1", "N2", {}, {}, nullptr, 0},
      {"MenuCurrentSentence",
       "MenuPopupCurrentSentence",
       QStringLiteral("S&how current sentence"),
       {},
       &TFormConcordance::MenuCurrentSentenceClick,
       0},
      {"MenuSaveSettings",
       "MenuPopupSaveSettings",
       QStringLiteral("S&ave settings"),
       {},
       &TFormConcordance::MenuSaveSettingsClick,
       0},
      // Commands added to the window, after its own.
      {"N5", "N6", {}, {}, nullptr, 0},
      {"MenuExport",
       "MenuPopupExport",
       QStringLiteral("Export..."),
       {},
       &TFormConcordance::MenuExportClick,
       kExportHelpContext},
      {"N7", "N8", {}, {}, nullptr, 0},
      {"MenuClusters",
       "MenuPopupClusters",
       QStringLiteral("Clusters..."),
       {},
       &TFormConcordance::MenuClustersClick,
       kClusterWindowHelpContext},
      {"N9", "N10", {}, {}, nullptr, 0},
      {"MenuPlot",
       "MenuPopupPlot",
       QStringLiteral("Concordance p&lot..."),
       {},
       &TFormConcordance::MenuPlotClick,
       kPlotHelpContext},
  };
  for (const Entry& e : entries) {
    if (e.handler == nullptr) {
      editMenu_->addSeparator()->setObjectName(QLatin1String(e.editName));
      popupMenu_->addSeparator()->setObjectName(QLatin1String(e.popupName));
      continue;
    }
    QAction* item = addItem(editMenu_, e.editName, e.caption, e.handler);
    QAction* popup = addItem(popupMenu_, e.popupName, e.caption, e.handler);
    if (!e.shortcut.isEmpty()) {
      // The Edit menu's item holds the short cut for the window; the pop-up
      // twin only shows it.
      item->setShortcut(e.shortcut);
      item->setShortcutContext(Qt::WidgetWithChildrenShortcut);
      addAction(item);
      popup->setShortcut(e.shortcut);
      popup->setShortcutContext(Qt::WidgetShortcut);
    }
    if (e.helpContext != 0) SetHelpContext(item, e.helpContext);
  }
  for (const char* name : {"MenuCurrentSentence", "MenuPopupCurrentSentence"}) {
    actions_.value(QLatin1String(name))->setCheckable(true);
    actions_.value(QLatin1String(name))->setChecked(true);
  }
  for (const char* name : {"MenuDisplaystrippedsource", "MenuDisplaystrippedtext"})
    actions_.value(QLatin1String(name))->setVisible(false);
  connect(editMenu_, &QMenu::aboutToShow, this, &TFormConcordance::UpdateMenus);
}

QList<QMenu*> TFormConcordance::MergedMenus() const {
  if (editMenu_ == nullptr) return {};
  return {editMenu_};
}

QAction* TFormConcordance::Action(const QString& name) const {
  return actions_.value(name);
}

bool TFormConcordance::CanPaste() const {
  const QMimeData* data = QApplication::clipboard()->mimeData();
  if (data == nullptr || !data->hasText() || grid_ == nullptr) return false;
  const QModelIndexList selected = grid_->selectionModel()->selectedIndexes();
  if (selected.size() != 1) return false;
  const int column = selected.front().column();
  return column == ConcordanceModel::LeftColumn || column == ConcordanceModel::RightColumn;
}

void TFormConcordance::UpdateMenus() {
  const bool can = CanPaste() && !workspace_->Runner().busy();
  actions_.value(QStringLiteral("MenuPaste"))->setEnabled(can);
  actions_.value(QStringLiteral("MenuPopupPaste"))->setEnabled(can);
}

void TFormConcordance::updateBusy(bool busy) {
  // Commands that change or read the table wait for a running operation.
  for (QAction* action : std::as_const(actions_)) {
    const QString name = action->objectName();
    if (name == QLatin1String("MenuPaste") || name == QLatin1String("MenuPopupPaste")) continue;
    if (name.contains(QLatin1String("CurrentSentence")) ||
        name.contains(QLatin1String("SaveSettings")))
      continue;
    action->setEnabled(!busy);
  }
}

}  // namespace lexvane::gui
