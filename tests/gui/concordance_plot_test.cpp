// The concordance plot window on the sample corpus: opened from the
// concordance window's menu and the frame's tool bar, its bars and figures,
// clicking and double-clicking ticks, following sorts and clears, saving PNG
// and SVG, copying, and closing with its concordance window.
#include <QAbstractItemModelTester>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QTableView>
#include <QTemporaryDir>
#include <QToolBar>
#include <QtTest>

#include "concordance/concordance_plot.h"
#include "corpus/list_files.h"
#include "desktop_test.h"
#include "gui/app/form_main.h"
#include "gui/app/workspace.h"
#include "gui/common/export_command.h"
#include "gui/concordance/concordance_model.h"
#include "gui/concordance/form_concordance.h"
#include "gui/concordance/form_concordance_plot.h"
#include "gui/concordance/form_sort_concord.h"
#include "gui/concordance/form_source.h"
#include "gui/concordance/plot_view.h"
#include "gui/help/help.h"
#include "gui/runner/gui_user_interface.h"
#include "gui/runner/operation_runner.h"
#include "gui/search/form_search.h"
#include "tools/root_collator.h"

using namespace lexvane;
using namespace lexvane::gui;

class ConcordancePlotTest : public lexvane::gui::testing::DesktopTest {
  Q_OBJECT

  TFormConcordancePlot* openPlot(TFormConcordance* window) {
    window->Action(QStringLiteral("MenuPlot"))->trigger();
    TFormConcordancePlot* plot = windows<TFormConcordancePlot>().value(0);
    if (plot != nullptr) {
      plot->parentWidget()->resize(800, 400);
      QApplication::processEvents();
    }
    return plot;
  }
  QPoint tickPoint(TFormConcordancePlot* plot, int row) {
    const std::optional<QPointF> at = plot->View()->TickPoint(row);
    return at ? at->toPoint() : QPoint(-1, -1);
  }
  QString figure(TFormConcordancePlot* plot, const char* caption) {
    return plot->FigureLabel(QLatin1String(caption))->text();
  }

 private Q_SLOTS:
  void init() {
    InitGuiResources();
    QVERIFY(startDesktop(text::Answer::Ok, QSize(1000, 700)));
    openSampleCorpus();
  }
  void cleanup() { stopDesktop(); }
  void theMenuOpensOnePlotWithEveryFileAndTheFigures() {
    TFormConcordance* window = searchMask(QStringLiteral("walk*"));
    QVERIFY(window != nullptr);
    // Appended after the window's own entries, in the Edit menu and the pop-up.
    const QList<QAction*> edit = window->MergedMenus().front()->actions();
    QCOMPARE(edit.last()->text(), QStringLiteral("Concordance p&lot..."));
    QVERIFY(edit[edit.size() - 2]->isSeparator());
    QVERIFY(window->Action(QStringLiteral("MenuPopupPlot")) != nullptr);
    QCOMPARE(HelpContextOf(window->Action(QStringLiteral("MenuPlot"))), 110);

    TFormConcordancePlot* plot = openPlot(window);
    QVERIFY(plot != nullptr);
    QCOMPARE(plot->windowTitle(), QStringLiteral("Concordance plot: walk*"));
    QCOMPARE(HelpContextOf(plot), 110);
    const concordance::ConcordancePlot& p = plot->Plot();
    QCOMPARE(p.Bars().size(), std::size_t{3});
    QCOMPARE(p.Bars()[0].Name, std::string("letters_from_the_coast.txt"));
    std::int64_t hits = 0, words = 0;
    for (const auto& bar : p.Bars()) {
      hits += bar.Hits();
      words += bar.Words;
    }
    QCOMPARE(hits, std::int64_t{window->Table()->RowCount()});
    QCOMPARE(words, window->Table()->TotalWords);
    // walk*: 6, 20 and 6 hits in 391, 455 and 470 words (worked out in the
    // command line's tests), readable by name.
    QCOMPARE(figure(plot, "Range:"), QStringLiteral("3 of 3 files (1.0000)"));
    QCOMPARE(figure(plot, "Juilland's D:"), QStringLiteral("0.5839"));
    QCOMPARE(figure(plot, "DP:"), QStringLiteral("0.2793"));
    QCOMPARE(figure(plot, "DPnorm:"), QStringLiteral("0.3973"));
    QCOMPARE(figure(plot, "Hits:"), QStringLiteral("32 in 1316 words"));
    QCOMPARE(plot->FigureLabel(QStringLiteral("DPnorm:"))->accessibleName(),
             QStringLiteral("DPnorm"));
    QCOMPARE(plot->View()->accessibleName(), QStringLiteral("Concordance plot"));
    QVERIFY(plot->findChild<QLabel*>(QStringLiteral("LabelPartial"))->isHidden());
    // The plot marks the concordance window's current row.
    QCOMPARE(plot->View()->SelectedRow(), window->CurrentRow());

    // A second use brings the same window back.
    window->MenuPlotClick();
    QCOMPARE(windows<TFormConcordancePlot>().size(), 1);
    QVERIFY(messages_.isEmpty());
  }

  void theToolBarButtonPlotsTheActiveConcordance() {
    QAction* button = frame_->action(QStringLiteral("SpeedButtonPlot"));
    QVERIFY(button != nullptr);
    QCOMPARE(button->toolTip(), QStringLiteral("Concordance plot..."));
    QVERIFY(!button->isEnabled());
    TFormConcordance* window = searchMask(QStringLiteral("house"));
    frame_->mdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(window->parentWidget()));
    QTRY_VERIFY((frame_->UpdateButtons(), button->isEnabled()));
    button->trigger();
    QCOMPARE(windows<TFormConcordancePlot>().size(), 1);
    // The plot window is no concordance: the button rests while it is active.
    QTRY_VERIFY((frame_->UpdateButtons(), !button->isEnabled()));
  }

  void aClickSelectsTheRowAndADoubleClickOpensItsSource() {
    TFormConcordance* window = searchMask(QStringLiteral("the"));
    TFormConcordancePlot* plot = openPlot(window);
    const int row = 7;
    const QPoint at = tickPoint(plot, row);
    QVERIFY(at.x() >= 0);
    QCOMPARE(plot->View()->RowAt(at), row);

    QTest::mouseMove(plot->View(), at);
    QTRY_VERIFY(plot->HoverLabel()->text().startsWith(QStringLiteral("8. ")));
    const concordance::ConcordanceTable& table = *window->Table();
    QVERIFY(plot->HoverLabel()->text().contains(
        QString::fromStdString(std::string(table.RightContexts().View(row)))));

    QTest::mouseClick(plot->View(), Qt::LeftButton, {}, at);
    QCOMPARE(window->CurrentRow(), row);
    QCOMPARE(plot->View()->SelectedRow(), row);
    QVERIFY(window->MemoCurSentence()->toPlainText().contains(
        QStringLiteral(" |") + QString::fromStdString(std::string(table.Keywords().View(row))) +
        QStringLiteral("| ")));
    // Far from any tick: nothing changes.
    QTest::mouseClick(plot->View(), Qt::LeftButton, {}, QPoint(2, 2));
    QCOMPARE(window->CurrentRow(), row);

    QTest::mouseDClick(plot->View(), Qt::LeftButton, {}, at);
    const QList<TFormSource*> sources = windows<TFormSource>();
    QCOMPARE(sources.size(), 1);
    QVERIFY(sources[0]->windowTitle().startsWith(QStringLiteral("Source: ")));
    QCOMPARE(sources[0]->Memo1->textCursor().selectedText(),
             QString::fromStdString(std::string(table.Keywords().View(row))));
  }

  void theKeyboardWalksTheHits() {
    TFormConcordance* window = searchMask(QStringLiteral("walk*"));
    TFormConcordancePlot* plot = openPlot(window);
    window->SelectRow(2);
    QCOMPARE(plot->View()->SelectedRow(), 2);
    QTest::keyClick(plot->View(), Qt::Key_Right);
    QCOMPARE(window->CurrentRow(), 3);
    QTest::keyClick(plot->View(), Qt::Key_Left);
    QTest::keyClick(plot->View(), Qt::Key_Left);
    QCOMPARE(window->CurrentRow(), 1);
    QTest::keyClick(plot->View(), Qt::Key_Return);
    QCOMPARE(windows<TFormSource>().size(), 1);
  }

  void aSortOrAClearRedrawsThePlot() {
    TFormConcordance* window = searchMask(QStringLiteral("the"));
    TFormConcordancePlot* plot = openPlot(window);
    const int before = plot->Plot().RowCount();
    TFormSortConcord* dialog = workspace_->FormSortConcord();
    QTimer::singleShot(0, dialog, [dialog] {
      QTRY_VERIFY(dialog->isVisible());
      dialog->RadioButtonRightPart->setChecked(true);
      dialog->Button1->click();
    });
    window->MenuSortClick();
    workspace_->Runner().waitForIdle();
    QVERIFY(window->Table()->TableSorted);
    // Every row's tick where its hit lies, in the sorted order.
    const concordance::ConcordanceTable& table = *window->Table();
    for (int r : {0, before / 2, before - 1}) {
      const auto [bar, position] = plot->Plot().Locate(r);
      QCOMPARE(bar, table.Info(r).FileIndex);
      QCOMPARE(position, double(table.Info(r).Offset) / double(table.FileBytes[bar]));
    }
    // A clear of the first ten rows.
    window->Grid()->selectionModel()->select(
        QItemSelection(window->Model()->index(0, 2), window->Model()->index(9, 2)),
        QItemSelectionModel::ClearAndSelect);
    window->MenuClearClick();
    QCOMPARE(plot->Plot().RowCount(), before - 10);
    QCOMPARE(plot->Plot().Dispersion().Hits, std::int64_t{before - 10});
    QCOMPARE(figure(plot, "Hits:").section(QLatin1Char(' '), 0, 0), QString::number(before - 10));
  }

  void barsScaleToFileSize() {
    TFormConcordance* window = searchMask(QStringLiteral("walk*"));
    TFormConcordancePlot* plot = openPlot(window);
    const auto& g = plot->View()->Painter().Geometry();
    QCOMPARE(g.BarLength(plot->Plot(), 0), g.BarLength(plot->Plot(), 2));
    plot->findChild<QCheckBox*>(QStringLiteral("CheckBoxScaleToSize"))->setChecked(true);
    QVERIFY(plot->Action(QStringLiteral("MenuScaleToSize"))->isChecked());
    QCOMPARE(plot->View()->Scale(), concordance::BarScale::FileSize);
    const auto& bars = plot->Plot().Bars();
    const auto& scaled = plot->View()->Painter().Geometry();
    QVERIFY(std::abs(scaled.BarLength(plot->Plot(), 0) / scaled.FullWidth -
                     double(bars[0].Bytes) / double(plot->Plot().LargestBytes())) < 1e-9);
    plot->MenuScaleToSizeClick();
    QVERIFY(!plot->findChild<QCheckBox*>(QStringLiteral("CheckBoxScaleToSize"))->isChecked());
  }

  void savesPngAndSvgAndCopies() {
    TFormConcordance* window = searchMask(QStringLiteral("walk*"));
    TFormConcordancePlot* plot = openPlot(window);
    QStringList asked;
    QString answer = dir_->filePath(QStringLiteral("plot.png"));
    plot->SetAskSavePath([&](const QString& caption, const QString& filter, const QString&) {
      asked << caption + QLatin1Char('|') + filter;
      return std::optional<QString>(answer);
    });
    plot->MenuSavePngClick();
    QImage png(answer);
    QVERIFY(!png.isNull());
    // Twice the pixels of the picture at least, for print and high-density
    // screens.
    QVERIFY(png.width() >= 2 * 640);
    answer = dir_->filePath(QStringLiteral("plot.svg"));
    plot->MenuSaveSvgClick();
    QFile svg(answer);
    QVERIFY(svg.open(QIODevice::ReadOnly));
    const QByteArray document = svg.readAll();
    QVERIFY(document.contains("<svg"));
    QVERIFY(document.contains("Concordance plot: walk*"));
    QVERIFY(document.contains("letters_from_the_coast.txt"));
    QCOMPARE(asked, (QStringList{QStringLiteral("Save plot as PNG|PNG image (*.png)"),
                                 QStringLiteral("Save plot as SVG|SVG image (*.svg)")}));
    QVERIFY(messages_.isEmpty());
    // A folder cannot be written over.
    QVERIFY(!plot->SavePng(dir_->path()));
    QCOMPARE(messages_.size(), 1);
    QVERIFY(messages_[0].startsWith(QStringLiteral("Unable to write to ")));

    // The table of the files as CSV (the first filter), on the worker thread.
    const QString csv = dir_->filePath(QStringLiteral("files.csv"));
    workspace_->Choosers().Export = [csv](QWidget*, const QString& suggested) {
      return suggested == QStringLiteral("dispersion")
                 ? std::optional<ExportTarget>(ExportTarget{csv, ExportFilterOptions(0)})
                 : std::nullopt;
    };
    plot->Action(QStringLiteral("MenuPopupExport"))->trigger();
    workspace_->Runner().waitForIdle();
    workspace_->Choosers().Export = {};
    QFile table(csv);
    QVERIFY(table.open(QIODevice::ReadOnly));
    QCOMPARE(table.readAll(), QByteArray("File,Words,Hits,Per 1000 words\r\n"
                                         "letters_from_the_coast.txt,391,6,15.35\r\n"
                                         "morning_walks.txt,455,20,43.96\r\n"
                                         "the_old_house.txt,470,6,12.77\r\n"));

    plot->MenuCopyImageClick();
    QVERIFY(!QApplication::clipboard()->image().isNull());
    plot->MenuCopyFiguresClick();
    const QString figures = QApplication::clipboard()->text();
    QVERIFY(figures.startsWith(QStringLiteral("Files:\t3\r\n")));
    QVERIFY(figures.contains(QStringLiteral("\r\nmorning_walks.txt\t")));
  }

  void theAddedTopicsExistAndTheirLinksLeadSomewhere() {
    for (int context : {110, 111, 112}) QVERIFY(HelpContexts().contains(context));
    const QRegularExpression link(QStringLiteral("href=\"([^\"#]+)"));
    for (int context : {110, 111, 112}) {
      const QUrl url = HelpTopicUrl(context);
      QCOMPARE(url, QUrl(QStringLiteral("qrc:/help/context_%1.html").arg(context)));
      QFile file(url.toString().mid(3));
      QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(url.toString()));
      const QString html = QString::fromUtf8(file.readAll());
      QVERIFY(html.contains(QStringLiteral("<h1>")));
      for (auto m = link.globalMatch(html); m.hasNext();) {
        const QString target = QStringLiteral(":/help/") + m.next().captured(1);
        QVERIFY2(QFile::exists(target), qPrintable(url.toString() + " links to " + target));
      }
    }
    // The formulas name their papers; the contents lead to the topics.
    QFile measures(QStringLiteral(":/help/context_111.html"));
    QVERIFY(measures.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(measures.readAll());
    for (const char* paper : {"Juilland", "Gries, S. Th. (2008)", "Lijffijt"})
      QVERIFY2(text.contains(QLatin1String(paper)), paper);
    QFile contents(QStringLiteral(":/help/h_Contents.html"));
    QVERIFY(contents.open(QIODevice::ReadOnly));
    QVERIFY(QString::fromUtf8(contents.readAll()).contains(QStringLiteral("context_110.html")));
  }

  void thePlotClosesWithItsConcordance() {
    TFormConcordance* window = searchMask(QStringLiteral("house"));
    QPointer<TFormConcordancePlot> plot = openPlot(window);
    QVERIFY(plot != nullptr);
    qobject_cast<QMdiSubWindow*>(window->parentWidget())->close();
    QTRY_VERIFY(plot.isNull());
    QTRY_COMPARE(frame_->mdiArea()->subWindowList().size(), 0);
  }
};

QTEST_MAIN(ConcordancePlotTest)
#include "concordance_plot_test.moc"
