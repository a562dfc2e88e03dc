// Association measures in the collocate window of a concordance of the
// sample corpus: the appended Edit menu entry, the dialog, the extra columns
// through the window's model (the engine's own figures, cell for cell), the
// corpus counted once for every table of it, and a cancelled dialog.
#include <QAbstractItemModelTester>
#include <QCheckBox>
#include <QComboBox>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableView>
#include <QtTest>

#include "concordance/concordance_builder.h"
#include "concordance/concordance_sort.h"
#include "frequency/colloc_association.h"
#include "frequency/colloc_command.h"
#include "frequency_test_support.h"
#include "gui/base/text_codec.h"
#include "gui/frequency/colloc_freq_model.h"
#include "gui/frequency/form_association.h"
#include "gui/frequency/form_colloc_freq.h"
#include "gui/help/help.h"
#include "gui/runner/operation_runner.h"
#include "search/search_query.h"
#include "tools/root_collator.h"

using namespace lexvane;
using namespace lexvane::gui;
using namespace lexvane::gui::testing;

namespace {

// A collocate table of the sample corpus's concordance of "house" and
// "walk*", made by the engine's command with the query's defaults (*, three
// words either side).
std::shared_ptr<frequency::CollocTable> collocTable(Workspace& workspace, QuietHost& quiet) {
  search::SearchQuery query;
  query.Masks[0] = {search::TypedMask("house"), search::TypedMask("walk*")};
  auto concordance = concordance::BuildConcordance(query, workspace.Corpus(), quiet.host);
  concordance::SortConcordance(*concordance, {}, corpus::ScannerSets(workspace.Corpus()),
                               RootCollator(), quiet.progress);
  frequency::CollocQuery dialog;
  frequency::CollocCommandSteps steps{[] {},
                                      [](frequency::CollocQuery& d) {
                                        d.ButtonOKClick();
                                        return d.ButtonOKClick() ==
                                               frequency::CollocQuery::Outcome::Ok;
                                      }};
  auto result =
      frequency::MenuFrequenciesClick(*concordance, "", dialog, steps, RootCollator(), quiet.host);
  return std::shared_ptr<frequency::CollocTable>(std::move(result.table));
}

QAction* actionNamed(QMenu* menu, const QString& name) {
  for (QAction* a : menu->actions())
    if (a->objectName() == name) return a;
  return nullptr;
}

}  // namespace

class AssociationWindowTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void init() { InitGuiResources(); }

  void theEntryFollowsTheWindowsOwnAndOpensItsDialog() {
    FrequencyFixture f;
    QuietHost quiet;
    TFormCollocFreq window(*f.workspace, collocTable(*f.workspace, quiet), QStringLiteral("c"));
    QStringList captions;
    for (QAction* a : window.MenuEdit->actions()) captions << a->text();
    // The window's own entries first; the later ones after them.
    QCOMPARE(captions.mid(0, 3), QStringList({"&Copy...", "Clear", "&Sort..."}));
    QCOMPARE(captions[3], QStringLiteral("Association measures..."));
    QCOMPARE(window.PopupMenu1->actions()[3]->text(), QStringLiteral("Association measures..."));
    QCOMPARE(
        actionNamed(window.MenuEdit, "MenuAssociation")->property(kHelpContextProperty).toInt(),
        100);
    TFormAssociation* dialog = f.workspace->FormAssociation();
    QCOMPARE(dialog->windowTitle(), QStringLiteral("Association measures"));
    QCOMPARE(HelpContextOf(dialog), 100);
    for (QWidget* w : dialog->findChildren<QWidget*>())
      if (qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w) ||
          qobject_cast<QSpinBox*>(w) || qobject_cast<QComboBox*>(w) ||
          qobject_cast<QPushButton*>(w))
        QVERIFY2(!w->accessibleName().isEmpty(), qPrintable(w->objectName()));
    // Cancel changes nothing.
    WhenShown(dialog, [dialog] { dialog->ButtonCancel->click(); });
    actionNamed(window.MenuEdit, "MenuAssociation")->trigger();
    f.workspace->Runner().waitForIdle();
    QCOMPARE(window.Model()->columnCount(), frequency::kCollocColumns - 1);
    QCOMPARE(f.workspace->WordCounts()->Builds(), 0);
  }

  void theChosenMeasuresShowTheEnginesFigures() {
    FrequencyFixture f;
    QuietHost quiet;
    auto table = collocTable(*f.workspace, quiet);
    const std::int32_t rows = table->Count();
    QVERIFY(rows > 40);
    TFormCollocFreq window(*f.workspace, table, QStringLiteral("c"));
    QAbstractItemModelTester tester(window.Model(),
                                    QAbstractItemModelTester::FailureReportingMode::QtTest);
    TFormAssociation* dialog = f.workspace->FormAssociation();
    WhenShown(dialog, [dialog] {
      for (QCheckBox* box : dialog->CheckBoxMeasures) box->setChecked(false);
      dialog->findChild<QCheckBox*>("CheckBoxLL")->setChecked(true);
      dialog->findChild<QCheckBox*>("CheckBoxLogDice")->setChecked(true);
      dialog->SpinMinC1->setValue(2);
      dialog->ComboSortBy->setCurrentIndex(
          dialog->ComboSortBy->findData(stats::MeasureIndex(stats::Measure::LogLikelihood)));
      dialog->ButtonOK->click();
    });
    window.MenuAssociationClick();
    f.workspace->Runner().waitForIdle();

    // The same figures from the engine on this thread.
    auto expected = collocTable(*f.workspace, quiet);
    frequency::WordCountsCache cache;
    const auto counts = cache.Obtain(expected->SourceCorpus(), RootCollator(), quiet.host);
    QVERIFY(expected->ApplyAssociation(dialog->Options(), *counts, quiet.progress));
    const CollocFreqModel& model = *window.Model();
    QCOMPARE(model.columnCount(), frequency::kCollocColumns - 1 + 4 + 2);
    QCOMPARE(model.rowCount(), expected->Count());
    QVERIFY(expected->HiddenCount() > 0);
    QCOMPARE(model.rowCount() + table->HiddenCount(), rows);
    QCOMPARE(model.headerData(frequency::kCollocColumns - 1, Qt::Horizontal).toString(),
             QStringLiteral("R1"));
    QCOMPARE(model.headerData(model.columnCount() - 1, Qt::Horizontal).toString(),
             QStringLiteral("logDice"));
    QVERIFY(model.headerData(model.columnCount() - 1, Qt::Horizontal, Qt::ToolTipRole)
                .toString()
                .startsWith(QStringLiteral("N = ")));
    for (int r = 1; r <= expected->Count(); ++r)
      for (int c = 1; c < expected->ColumnCount(); ++c)
        QCOMPARE(model.index(r - 1, c - 1).data().toString(), FromAnsi(expected->CellText(c, r)));
    QCOMPARE(window.DrawGrid1->columnWidth(model.columnCount() - 1), 64);

    // A second choice on the same corpus counts nothing again, and an empty
    // minimum brings the rows set aside back.
    WhenShown(dialog, [dialog] {
      dialog->SpinMinC1->setValue(0);
      dialog->RadioOncePerHit->setChecked(true);
      dialog->ButtonOK->click();
    });
    window.MenuAssociationClick();
    f.workspace->Runner().waitForIdle();
    QCOMPARE(model.rowCount(), rows);
    QCOMPARE(f.workspace->WordCounts()->Builds(), 1);
    dialog->SetOptions({});
  }
};

QTEST_MAIN(AssociationWindowTest)
#include "association_window_test.moc"
