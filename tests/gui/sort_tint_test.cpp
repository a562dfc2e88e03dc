// The concordance grid's sort tint marks the word the sort ordered the rows
// by, cut with the sort's own separators: digits, which separate words by
// default, are never tinted as a word, a context whose chosen token holds
// nothing but separators gets no tint, and a UTF-8 corpus tints the same
// characters as its Windows-1252 twin. Searched and sorted through the frame
// and the dialogs, as a user would.
#include <QAbstractItemModelTester>
#include <QApplication>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QtTest>

#include <fstream>

#include "desktop_test.h"
#include "gui/app/form_main.h"
#include "gui/app/workspace.h"
#include "gui/concordance/concordance_model.h"
#include "gui/concordance/form_concordance.h"
#include "gui/concordance/form_sort_concord.h"
#include "gui/help/help.h"
#include "gui/runner/gui_user_interface.h"
#include "gui/runner/operation_runner.h"
#include "gui/search/form_search.h"
#include "text/encoding.h"
#include "tools/root_collator.h"

using namespace lexvane;
using namespace lexvane::gui;
using lexvane::gui::testing::WhenShown;

namespace {

// Prose with dates and counts in Windows-1252: every row of "spielten" has
// digits next to the keyword on one side or the other.
const std::string kProse =
    "Am 3. M\xE4rz 2021 spielten 12 Kinder im Garten hinter der alten M\xFChle, w\xE4hrend "
    "ihre Eltern auf den B\xE4nken sa\xDF"
    "en. Sp\xE4ter spielten 7 Kinder im Hof. "
    "Die Gro\xDF"
    "eltern, die seit 1958 dort wohnten, spielten Karten.";

}  // namespace

class SortTintTest : public lexvane::gui::testing::DesktopTest {
  Q_OBJECT

  // Searches "spielten" in the prose written in `encoding`.
  TFormConcordance* search(text::Encoding encoding) {
    const std::string name = text::IsUtf8(encoding) ? "utf8.txt" : "ansi.txt";
    const std::string path = dir_->filePath(QString::fromStdString(name)).toStdString();
    std::ofstream(path, std::ios::binary)
        << (text::IsUtf8(encoding) ? text::decodeToUtf8(kProse, text::Encoding::Windows1252)
                                   : kProse);
    corpus::CorpusSettings& corpus = workspace_->Corpus();
    corpus.Files.Clear();
    corpus.Files.Add(path, RootCollator());
    corpus.TextEncoding = encoding;
    corpus.WordSeparators = text::kDefaultWordSeparators;
    // "3." of a date ends no sentence.
    corpus.EnhSentDetect = true;
    TFormSearch* dialog = workspace_->FormSearch();
    WhenShown(dialog, [dialog] {
      dialog->ButtonClearAllClick();
      QTest::keyClicks(dialog->Edit1, QStringLiteral("spielten"));
      QTest::keyClick(dialog->Edit1, Qt::Key_Return);
      QTest::keyClick(dialog->Edit1, Qt::Key_Return);
    });
    frame_->MenuSearchClick();
    workspace_->Runner().waitForIdle();
    const QList<QMdiSubWindow*> subs = frame_->mdiArea()->subWindowList();
    return subs.isEmpty() ? nullptr : qobject_cast<TFormConcordance*>(subs.back()->widget());
  }
  void sortWith(TFormConcordance* window, bool rightPart, int word) {
    TFormSortConcord* dialog = workspace_->FormSortConcord();
    WhenShown(dialog, [dialog, rightPart, word] {
      (rightPart ? dialog->RadioButtonRightPart : dialog->RadioButtonLeftPart)->setChecked(true);
      dialog->SpinEditWord->setValue(word);
      dialog->Button1->click();
    });
    window->MenuSortClick();
    workspace_->Runner().waitForIdle();
  }
  // The tinted text of every row's context on one side, keyed by the row's
  // keyword and other context (the row order may differ between runs).
  static QStringList tints(const ConcordanceModel& model, int column) {
    QStringList found;
    for (int row = 0; row < model.rowCount(); ++row) {
      const QVariant span = model.data(model.index(row, column), ConcordanceModel::kTintedSpanRole);
      const QString cell = model.cellText(row, column);
      found << cell + QStringLiteral(" => ") +
                   (span.isValid() ? cell.mid(span.toPoint().x(), span.toPoint().y())
                                   : QStringLiteral("(none)"));
    }
    found.sort();
    return found;
  }

 private Q_SLOTS:
  void init() { QVERIFY(startDesktop()); }
  void cleanup() { stopDesktop(); }

  void theTintIsTheWordTheSortOrderedBy() {
    TFormConcordance* window = search(text::Encoding::Windows1252);
    QVERIFY(window != nullptr);
    ConcordanceModel* model = window->Model();
    QAbstractItemModelTester tester(model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QCOMPARE(model->rowCount(), 3);
    // The first word to the right is the word after the count, never the
    // count itself.
    sortWith(window, true, 1);
    QCOMPARE(tints(*model, ConcordanceModel::RightColumn),
             (QStringList{QStringLiteral("12 Kinder im Garten hinter der alten M\u00FChle, "
                                         "w\u00E4hrend ihre Eltern auf den B\u00E4nken "
                                         "sa\u00DFen. => Kinder"),
                          QStringLiteral("7 Kinder im Hof. => Kinder"),
                          QStringLiteral("Karten. => Karten")}));
    // The second word to the left of "Am 3. M\u00E4rz 2021" is "Am": the
    // date's digits are separators.
    sortWith(window, false, 2);
    QCOMPARE(tints(*model, ConcordanceModel::LeftColumn),
             (QStringList{QStringLiteral("Am 3. M\u00E4rz 2021 => Am"),
                          QStringLiteral("Die Gro\u00DFeltern, die seit 1958 dort wohnten, => "
                                         "dort"),
                          QStringLiteral("Sp\u00E4ter => (none)")}));
    // Word 1 to the left is the last token up to a blank: "2021" holds no
    // word character, so that row is ordered by an empty word, and nothing
    // is tinted; "wohnten," is tinted without its comma.
    sortWith(window, false, 1);
    QCOMPARE(tints(*model, ConcordanceModel::LeftColumn),
             (QStringList{QStringLiteral("Am 3. M\u00E4rz 2021 => (none)"),
                          QStringLiteral("Die Gro\u00DFeltern, die seit 1958 dort wohnten, => "
                                         "wohnten"),
                          QStringLiteral("Sp\u00E4ter => Sp\u00E4ter")}));
  }

  void aUtf8CorpusTintsTheCharactersOfItsWindows1252Twin() {
    for (const bool right : {false, true})
      for (const int word : {1, 2, 3}) {
        TFormConcordance* ansi = search(text::Encoding::Windows1252);
        QVERIFY(ansi != nullptr);
        sortWith(ansi, right, word);
        TFormConcordance* utf8 = search(text::Encoding::Utf8);
        QVERIFY(utf8 != nullptr);
        sortWith(utf8, right, word);
        const int column = right ? ConcordanceModel::RightColumn : ConcordanceModel::LeftColumn;
        QCOMPARE(tints(*utf8->Model(), column), tints(*ansi->Model(), column));
        // And the same spans, counted in characters.
        for (int row = 0; row < ansi->Model()->rowCount(); ++row) {
          const auto span = [column, row](TFormConcordance* window) {
            const ConcordanceModel& m = *window->Model();
            return m.data(m.index(row, column), ConcordanceModel::kTintedSpanRole);
          };
          QCOMPARE(span(utf8), span(ansi));
        }
      }
  }
};

QTEST_MAIN(SortTintTest)
#include "sort_tint_test.moc"
