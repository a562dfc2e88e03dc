// "Export..." of the three table windows: the entries appended to both
// menus, the save dialog's filters and suffixes, and files written from each
// window and read back by Python's csv module or an XLSX reader made of
// zipfile and ElementTree, field for field against the engine's tables.
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include "concordance/concordance_builder.h"
#include "concordance/concordance_sort.h"
#include "corpus/list_files.h"
#include "frequency/colloc_table.h"
#include "frequency/word_frequency_list.h"
#include "frequency_test_support.h"
#include "gui/app/form_main.h"
#include "gui/common/export_command.h"
#include "gui/concordance/form_concordance.h"
#include "gui/frequency/form_colloc_freq.h"
#include "gui/frequency/form_sort_word_freq.h"
#include "gui/frequency/form_word_freq.h"
#include "gui/frequency/word_freq_factory.h"
#include "gui/help/help.h"
#include "gui/runner/operation_runner.h"
#include "gui/search/form_search.h"
#include "search/search_query.h"
#include "text/encoding.h"
#include "tools/read_back.h"
#include "tools/root_collator.h"

using namespace lexvane;
using namespace lexvane::gui;
using namespace lexvane::gui::testing;

namespace {

// A JSON string as the reader prints it (ensure_ascii off).
std::string json(std::string_view utf8) {
  std::string out = "\"";
  for (char c : utf8) {
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\t':
        out += "\\t";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      default:
        out += c;
    }
  }
  return out + '"';
}

std::string jsonRow(const std::vector<std::string>& fields) {
  std::string out = "[";
  for (std::size_t i = 0; i < fields.size(); ++i) out += (i ? ", " : "") + fields[i];
  return out + "]";
}

// The captions of a menu, "-" for a separator.
QStringList captionsOf(const QMenu* menu) {
  QStringList captions;
  for (QAction* a : menu->actions()) captions << (a->isSeparator() ? "-" : a->text());
  return captions;
}

// The menu's export entry (entries added later may follow it).
QAction* exportAction(const QMenu* menu) {
  for (QAction* a : menu->actions())
    if (a->objectName().contains(QLatin1String("Export"))) return a;
  return nullptr;
}

}  // namespace

class TableExportTest : public QObject {
  Q_OBJECT

  std::unique_ptr<QTemporaryDir> dir_;
  QStringList messages_;

  std::string path(const char* name) const {
    return dir_->filePath(QLatin1String(name)).toStdString();
  }
  // The next export goes to `file` as `filter` (an index of ExportFilters).
  void chooseFile(Workspace& workspace, const std::string& file, int filter) {
    workspace.Choosers().Export = [file, filter](QWidget*, const QString&) {
      return std::optional<ExportTarget>(
          ExportTarget{QString::fromStdString(file), ExportFilterOptions(filter)});
    };
  }
  // The workspace's questions are collected in messages_.
  void collectMessages(Workspace& workspace) {
    workspace.Ui().setAnswerer([this](const Question& q) {
      messages_ << q.text;
      return text::Answer::Ok;
    });
  }

 private Q_SLOTS:
  void init() {
    InitGuiResources();
    dir_ = std::make_unique<QTemporaryDir>();
    messages_.clear();
  }

  void concordanceOfADosCorpusExportsAsUtf8CsvWithEverythingThatFindsAHit() {
    qputenv("LEXVANE_SETTINGS", dir_->filePath(QStringLiteral("lexvane.ini")).toLocal8Bit());
    Workspace workspace{text::Collator("root")};
    collectMessages(workspace);
    TFormMain frame(workspace);
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    corpus::OpenListFile(LEXVANE_SAMPLES_DIR "/dos.CTL", workspace.Corpus(), RootCollator(),
                         workspace.Ui());
    TFormSearch* dialog = workspace.FormSearch();
    WhenShown(dialog, [dialog] {
      dialog->ButtonClearAllClick();
      QTest::keyClicks(dialog->Edit1, QStringLiteral("*"));
      QTest::keyClick(dialog->Edit1, Qt::Key_Return);
      QTest::keyClick(dialog->Edit1, Qt::Key_Return);
    });
    frame.MenuSearchClick();
    workspace.Runner().waitForIdle();
    auto* window =
        qobject_cast<TFormConcordance*>(frame.mdiArea()->subWindowList().back()->widget());
    QVERIFY(window && window->Built());
    const concordance::ConcordanceTable& table = *window->Table();
    QVERIFY(table.RowCount() > 50);
    QCOMPARE(table.TextEncoding, text::Encoding::Dos850);  // held as Windows-1252

    // Appended after "S&ave settings" (and the other additions) in both
    // menus, with a help topic.
    const QMenu* edit = window->MergedMenus().front();
    // (Entries added later follow it.)
    QCOMPARE(captionsOf(edit).mid(12, 3), (QStringList{"S&ave settings", "-", "Export..."}));
    QAction* popupExport = window->Action(QStringLiteral("MenuPopupExport"));
    QVERIFY(popupExport && !popupExport->associatedObjects().isEmpty());
    const auto* popup = qobject_cast<QMenu*>(popupExport->associatedObjects().front());
    QVERIFY(popup && popup->objectName() == QStringLiteral("PopupMenu1"));
    QCOMPARE(captionsOf(popup).mid(12, 3), (QStringList{"S&ave settings", "-", "Export..."}));
    QCOMPARE(exportAction(edit)->objectName(), QStringLiteral("MenuExport"));
    QCOMPARE(exportAction(popup)->objectName(), QStringLiteral("MenuPopupExport"));
    QCOMPARE(exportAction(edit)->property(kHelpContextProperty).toInt(), 130);

    // Sorted first: the export follows the window's order.
    text::SilentProgressIndicator progress;
    concordance::SortConcordance(*window->Table(), {}, corpus::ScannerSets(workspace.Corpus()),
                                 RootCollator(), progress);
    window->TableChanged();
    const std::string file = path("café concordance.csv");
    chooseFile(workspace, file, 0);
    exportAction(popup)->trigger();
    workspace.Runner().waitForIdle();
    QVERIFY2(messages_.isEmpty(), qPrintable(messages_.join('\n')));

    const auto back = lexvane::testing::ReadTable("csv", file);
    QCOMPARE(back.status, 0);
    QCOMPARE(back.lines.size(), static_cast<std::size_t>(table.RowCount()) + 2);
    QCOMPARE(back.lines[0], std::string("bom 0"));
    QCOMPARE(back.lines[1],
             jsonRow({json("Left context"), json("Keyword"), json("Right context"), json("File"),
                      json("Full path"), json("Byte offset"), json("Sentence number")}));
    bool accented = false;
    for (std::int32_t r = 0; r < table.RowCount(); ++r) {
      const auto& info = table.Info(r);
      const std::string keyword = text::decodeToUtf8(table.Keywords().View(r), table.TextEncoding);
      accented = accented || keyword == "café";
      QCOMPARE(back.lines[r + 2],
               jsonRow({json(text::decodeToUtf8(table.LeftContexts().View(r), table.TextEncoding)),
                        json(keyword),
                        json(text::decodeToUtf8(table.RightContexts().View(r), table.TextEncoding)),
                        json(table.FileNames().View(r)), json(table.PathOf(r)),
                        json(std::to_string(info.Offset)), json(std::to_string(info.SentenceNo))}));
    }
    QVERIFY(accented);
    frame.close();
    qunsetenv("LEXVANE_SETTINGS");
  }

  void wordListSortedByFrequencyExportsAWorkbookOfNumbers() {
    FrequencyFixture f;
    collectMessages(*f.workspace);
    std::unique_ptr<ChildWindow> made(CreateWordFreqWindow(*f.workspace, nullptr));
    auto* window = qobject_cast<TFormWordFreq*>(made.get());
    QVERIFY(window);
    f.workspace->Runner().waitForIdle();
    QCOMPARE(captionsOf(window->MenuEdit).mid(3, 3),
             (QStringList{"S&tatistics...", "-", "Export..."}));
    QCOMPARE(captionsOf(window->PopupMenu1).mid(3, 3),
             (QStringList{"S&tatistics...", "-", "Export..."}));
    QCOMPARE(exportAction(window->MenuEdit)->property(kHelpContextProperty).toInt(), 130);

    TFormSortWordFreq* sort = f.workspace->FormSortWordFreq();
    WhenShown(sort, [sort] {
      sort->SetItemIndex(frequency::kSortByFrequency);
      sort->Button1->click();
    });
    window->MenuSortClick();
    f.workspace->Runner().waitForIdle();
    const frequency::WordFrequencyList& list = *window->List();

    const std::string file = path("words.xlsx");
    chooseFile(*f.workspace, file, 4);
    exportAction(window->MenuEdit)->trigger();
    f.workspace->Runner().waitForIdle();
    QVERIFY2(messages_.isEmpty(), qPrintable(messages_.join('\n')));
    const auto back = lexvane::testing::ReadTable("xlsx", file);
    QCOMPARE(back.status, 0);
    QCOMPARE(back.lines.size(), static_cast<std::size_t>(list.Count()) + 2);
    QVERIFY(back.lines[0].starts_with("sheet \"Word frequency\" frozen 1"));
    QCOMPARE(back.lines[1], jsonRow({json("Word"), json("Word Class"), json("F"), json("F %"),
                                     json("CF"), json("CF %")}));
    // Numbers as the reader gives them: the grid's figures, without padding
    // and without trailing zeros after the point.
    auto number = [](std::string text) {
      text = text.substr(text.find_first_not_of(' '));
      if (text.find('.') != std::string::npos) {
        while (text.back() == '0') text.pop_back();
        if (text.back() == '.') text.pop_back();
      }
      return text;
    };
    for (std::int32_t r = 0; r < list.Count(); ++r) {
      const auto& info = list.Info(r);
      QCOMPARE(back.lines[r + 2],
               jsonRow({json(text::decodeToUtf8(info.Word, list.TextEncoding())), json(""),
                        number(list.CellText(3, r + 1)), number(list.CellText(4, r + 1)),
                        number(list.CellText(5, r + 1)), number(list.CellText(6, r + 1))}));
    }
  }

  void collocateTableExportsTsvOfItsSelectedPositions() {
    FrequencyFixture f;
    collectMessages(*f.workspace);
    QuietHost quiet;
    search::SearchQuery query;
    query.Masks[0] = {search::TypedMask("th*")};
    auto concordance = concordance::BuildConcordance(query, f.workspace->Corpus(), quiet.host);
    frequency::PositionFlags left{}, right{};
    left[0] = left[1] = true;
    right[0] = true;
    auto table = std::make_shared<frequency::CollocTable>(left, right);
    table->BuildCollocTable(concordance->WordSeparators, concordance->LeftContexts(),
                            concordance->Keywords(), concordance->RightContexts(), {"*"},
                            RootCollator(), quiet.host);
    table->Sort(frequency::kTotalColumn, quiet.progress);
    QVERIFY(table->Count() > 20);
    TFormCollocFreq window(*f.workspace, table, QStringLiteral("Collocates: th*"));
    QCOMPARE(captionsOf(window.MenuEdit),
             (QStringList{"&Copy...", "Clear", "&Sort...", "Association measures...", "-",
                          "Export..."}));
    QCOMPARE(
        captionsOf(window.PopupMenu1),
        (QStringList{"&Copy...", "Clear", "&Sort", "Association measures...", "-", "Export..."}));

    const std::string file = path("collocates.tsv");
    chooseFile(*f.workspace, file, 3);
    exportAction(window.PopupMenu1)->trigger();
    f.workspace->Runner().waitForIdle();
    QVERIFY2(messages_.isEmpty(), qPrintable(messages_.join('\n')));
    const auto back = lexvane::testing::ReadTable("tsv", file);
    QCOMPARE(back.status, 0);
    QCOMPARE(back.lines[0], std::string("bom 1"));
    QCOMPARE(back.lines[1], jsonRow({json("Collocate"), json("L2"), json("L1"), json("Node"),
                                     json("R1"), json("Total")}));
    QCOMPARE(back.lines.size(), static_cast<std::size_t>(table->Count()) + 2);
    for (std::int32_t r = 0; r < table->Count(); ++r) {
      const auto& info = table->Info(r);
      QCOMPARE(back.lines[r + 2],
               jsonRow({json(info.Collocate), json(std::to_string(info.Left(2))),
                        json(std::to_string(info.Left(1))), json(info.Node),
                        json(std::to_string(info.Right(1))), json(std::to_string(info.Total))}));
    }
  }

  void theSaveDialogsFilterDecidesFormatByteOrderMarkAndSuffix() {
    FrequencyFixture f;
    collectMessages(*f.workspace);
    std::unique_ptr<ChildWindow> made(CreateWordFreqWindow(*f.workspace, nullptr));
    auto* window = qobject_cast<TFormWordFreq*>(made.get());
    f.workspace->Runner().waitForIdle();
    const QStringList filters = ExportFilters();
    QCOMPARE(filters.size(), 5);
    struct Case {
      int filter;
      const char* typed;
      const char* written;
      const char* format;
      const char* firstLine;
    } cases[] = {{4, "book", "book.xlsx", "xlsx", "sheet \"Word frequency\" frozen 1"},
                 {1, "excel", "excel.csv", "csv", "bom 1"},
                 {2, "plain.txt", "plain.txt", "tsv", "bom 0"}};
    for (const Case& c : cases) {
      QTimer::singleShot(0, [this, c, filters] {
        QTRY_VERIFY(qobject_cast<QFileDialog*>(QApplication::activeModalWidget()));
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        QCOMPARE(dialog->objectName(), QStringLiteral("ExportDialog"));
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Export table"));
        QCOMPARE(dialog->nameFilters(), filters);
        auto* combo = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        QVERIFY(combo);
        // What a choice in the file type box signals.
        combo->setCurrentIndex(c.filter);
        Q_EMIT combo->activated(c.filter);
        Q_EMIT combo->textActivated(combo->currentText());
        dialog->setDirectory(dir_->path());
        dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(c.typed);
        static_cast<QDialog*>(dialog)->accept();  // as the Save button does
      });
      window->MenuExportClick();
      f.workspace->Runner().waitForIdle();
      const auto back = lexvane::testing::ReadTable(c.format, path(c.written));
      QCOMPARE(back.status, 0);
      QVERIFY2(back.lines.size() > 100 && back.lines[0].starts_with(c.firstLine), c.written);
    }
    // Cancelled: nothing is written, nothing runs.
    QTimer::singleShot(0, [] {
      QTRY_VERIFY(QApplication::activeModalWidget());
      QApplication::activeModalWidget()->close();
    });
    window->MenuExportClick();
    QVERIFY(!f.workspace->Runner().busy());
    QVERIFY(messages_.isEmpty());
  }
};

QTEST_MAIN(TableExportTest)
#include "table_export_test.moc"
