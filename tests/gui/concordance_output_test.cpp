// The concordance window's output commands on the road from the frame: a
// search of the sample corpus, then statistics, copy and both source
// displays, from the window's handlers and from the tool bar, reading the
// window's table and selection.
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

#include "corpus/list_files.h"
#include "desktop_test.h"
#include "gui/app/form_main.h"
#include "gui/app/workspace.h"
#include "gui/common/form_stat.h"
#include "gui/concordance/concordance_copy_command.h"
#include "gui/concordance/form_concordance.h"
#include "gui/concordance/form_copy_concord.h"
#include "gui/concordance/form_source.h"
#include "gui/concordance/form_source_stripped.h"
#include "gui/help/help.h"
#include "gui/runner/gui_user_interface.h"
#include "gui/runner/operation_runner.h"
#include "gui/search/form_search.h"
#include "tools/root_collator.h"

using namespace lexvane;
using namespace lexvane::gui;
using lexvane::gui::testing::WhenShown;

namespace {

QString shown(std::string_view s) {
  return FromAnsi(s);
}

}  // namespace

class ConcordanceOutputTest : public lexvane::gui::testing::DesktopTest {
  Q_OBJECT

  ChildWindow* activeChild() {
    QMdiSubWindow* sub = frame_->mdiArea()->activeSubWindow();
    return sub != nullptr ? qobject_cast<ChildWindow*>(sub->widget()) : nullptr;
  }
  // "Word search..." for `mask` on the corpus of `list`; the window's row
  // `row` selected.
  TFormConcordance* search(const char* list, const QString& mask, int row) {
    corpus::OpenListFile(list, workspace_->Corpus(), RootCollator(), workspace_->Ui());
    TFormConcordance* window = searchMask(mask);
    if (window != nullptr) window->Grid()->setCurrentIndex(window->Grid()->model()->index(row, 2));
    return window;
  }

 private Q_SLOTS:
  void init() { QVERIFY(startDesktop()); }
  void cleanup() { stopDesktop(); }

  void statisticsOfTheWindowFromItsMenuAndTheToolBar() {
    TFormConcordance* window = search(LEXVANE_SAMPLES_DIR "/sample.CTL", "house", 0);
    QVERIFY(window != nullptr);
    TFormStat* stat = workspace_->FormStat();
    QString found;
    WhenShown(stat, [&] {
      found = stat->ValueLabels[4]->text();
      stat->ButtonCopy->click();
      stat->ButtonOK->click();
    });
    frame_->SpeedButtonStatClick();
    QCOMPARE(found, QString::number(window->Table()->RowCount()));
    QVERIFY(QApplication::clipboard()->text().startsWith(QStringLiteral("Files:\t3\r\n")));
    QVERIFY(!stat->isVisible());
  }

  void copyOfTheSelectedRowToTheClipboardAndOfAllRowsToAFile() {
    TFormConcordance* window = search(LEXVANE_SAMPLES_DIR "/sample.CTL", "house", 2);
    QVERIFY(window != nullptr);
    const concordance::ConcordanceTable& t = *window->Table();
    TFormCopyConcord* dialog = workspace_->FormCopyConcord();
    WhenShown(dialog, [dialog] { dialog->Button1->click(); });  // the defaults
    window->MenuCopyClick();
    workspace_->Runner().waitForIdle();
    QCOMPARE(QApplication::clipboard()->text(),
             shown(t.LeftContexts().View(2)) + ' ' + shown(t.Keywords().View(2)) + ' ' +
                 shown(t.RightContexts().View(2)) + QStringLiteral(" \r\n"));

    const QString path = dir_->filePath(QStringLiteral("rows.txt"));
    workspace_->Choosers().SaveSentences = [&](QWidget*) -> std::optional<QString> { return path; };
    WhenShown(dialog, [dialog] {
      dialog->CheckBoxToFile->setChecked(true);
      dialog->CheckBoxSelectedOnly->setChecked(false);
      dialog->RadioButtonToOnePara->setChecked(true);
      dialog->Button1->click();
    });
    frame_->SpeedButtonCopyClick();
    workspace_->Runner().waitForIdle();
    workspace_->Choosers().SaveSentences = {};
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    // One paragraph: every row, no line end, a blank at the end.
    QCOMPARE(
        bytes.size(), qsizetype(t.RowCount()) * 3 + [&t] {
          qsizetype n = 0;
          for (int r = 0; r < t.RowCount(); ++r)
            n += t.LeftContexts().View(r).size() + t.Keywords().View(r).size() +
                 t.RightContexts().View(r).size();
          return n;
        }());
    QVERIFY(!bytes.contains('\n'));
    QVERIFY(bytes.endsWith(' '));
    QVERIFY(messages_.isEmpty());
  }

  void sourceOfTheSelectedRowBecomesTheActiveChildAndCopies() {
    TFormConcordance* window = search(LEXVANE_SAMPLES_DIR "/sample.CTL", "house", 1);
    QVERIFY(window != nullptr);
    const concordance::ConcordanceTable& t = *window->Table();
    frame_->SpeedButtonShowSrcClick();
    auto* source = qobject_cast<TFormSource*>(activeChild());
    QVERIFY(source != nullptr);
    QCOMPARE(frame_->activeKind(), ActiveKind::Source);
    QCOMPARE(source->windowTitle(), SourceCaption(t.PathOf(1)));
    QCOMPARE(source->Memo1->textCursor().selectedText(), shown(t.Keywords().View(1)));
    QCOMPARE(HelpContextOf(source->Memo1), 8);
    frame_->SpeedButtonCopyClick();  // routed to the source window
    QCOMPARE(QApplication::clipboard()->text(), shown(t.Keywords().View(1)));
    // Each command opens a new window.
    window->MenuDisplaySourceClick();
    QCOMPARE(frame_->mdiArea()->subWindowList().size(), 3);
  }

  void strippedSourceOfATaggedCorpus() {
    TFormConcordance* window = search(LEXVANE_SAMPLES_DIR "/tagged.CTL", "house", 0);
    QVERIFY(window != nullptr);
    window->MenuDisplaystrippedsourceClick();
    auto* stripped = qobject_cast<TFormSourceStripped*>(activeChild());
    QVERIFY(stripped != nullptr);
    QCOMPARE(frame_->activeKind(), ActiveKind::SourceStripped);
    QVERIFY(stripped->Memo1->toPlainText().startsWith(QStringLiteral("The old house on the hill")));
    QVERIFY(!stripped->Memo1->toPlainText().contains(QLatin1Char('>')));
    QCOMPARE(HelpContextOf(stripped->Memo1), 0);
  }
};

QTEST_MAIN(ConcordanceOutputTest)
#include "concordance_output_test.moc"
