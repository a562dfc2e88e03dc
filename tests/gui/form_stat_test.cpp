// The statistics dialog: the rows and the note as the core computes them for
// a concordance of the sample corpus and for a cancelled build, the text
// &Copy puts on the clipboard, and the modal run closed by its button.
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include "concordance/concordance_builder.h"
#include "corpus/list_files.h"
#include "gui/common/form_stat.h"
#include "gui/help/help_desk.h"
#include "gui/runner/gui_user_interface.h"
#include "tools/root_collator.h"

using namespace lexvane;
using namespace lexvane::gui;

class FormStatTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void concordanceRowsAndTheirCopiedText() {
    HelpDesk helpDesk;
    GuiUserInterface ui(helpDesk);
    corpus::CorpusSettings corpus;
    corpus::OpenListFile(LEXVANE_SAMPLES_DIR "/sample.CTL", corpus, RootCollator(), ui);
    search::SearchQuery query;
    query.Masks[0] = {search::TypedMask("the")};
    text::SilentSearchIndicator search;
    text::SilentProgressIndicator progress;
    text::OperationHost host{ui, search, progress};
    auto table = concordance::BuildConcordance(query, corpus, host);
    QVERIFY(table->RowCount() > 0);

    HelpDesk help;
    TFormStat dialog(help);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Statistics"));
    dialog.Fill(concordance::ConcordanceStatistics(*table));
    const QStringList captions{QStringLiteral("Files:"), QStringLiteral("Total size:"),
                               QStringLiteral("Total words:"), QStringLiteral("Total sentences:"),
                               QStringLiteral("Sentences found:")};
    for (int i = 0; i < 5; ++i) {
      QCOMPARE(dialog.CaptionLabels[i]->text(), captions[i]);
      QCOMPARE(dialog.ValueLabels[i]->accessibleName(), captions[i]);
      QVERIFY(dialog.ValueLabels[i]->alignment() & Qt::AlignRight);
    }
    QCOMPARE(dialog.ValueLabels[0]->text(), QStringLiteral("3"));
    QCOMPARE(dialog.ValueLabels[1]->text(), QStringLiteral("7 kB"));  // 6955 bytes
    QCOMPARE(table->RowCount(), 121);
    QCOMPARE(dialog.ValueLabels[4]->text(), QStringLiteral("121"));
    QVERIFY(dialog.LabelNotComplete->isHidden());

    QApplication::clipboard()->clear();
    dialog.ButtonCopy->click();
    // The sample corpus: three files, 6955 bytes.
    const QString expected = QStringLiteral(
        "Files:\t3\r\nTotal size:\t7 kB\r\nTotal words:\t1 316\r\n"
        "Total sentences:\t73\r\nSentences found:\t121\r\n");
    QCOMPARE(QApplication::clipboard()->text(), expected);
  }

  void cancelledBuildShowsAndCopiesTheNote() {
    HelpDesk help;
    TFormStat dialog(help);
    dialog.Fill(
        concordance::MakeStatistics(12, 3456, 612345, 1234567, "Types found:", 1500, false));
    QVERIFY(!dialog.LabelNotComplete->isHidden());
    QCOMPARE(dialog.LabelNotComplete->text(), QStringLiteral("Search was not completed."));
    QCOMPARE(dialog.ValueLabels[3]->text(), QStringLiteral("1 234 567"));
    dialog.ButtonCopyClick();
    QCOMPARE(QApplication::clipboard()->text(),
             QStringLiteral("Files:\t12\r\nTotal size:\t3 456 kB\r\nTotal words:\t612 345\r\n"
                            "Total sentences:\t1 234 567\r\nTypes found:\t1 500\r\n"
                            "Search was not completed.\r\n"));
    // The next window's figures replace the note.
    dialog.Fill(concordance::MakeStatistics(1, 0, 0, 0, "Sentences found:", 0, true));
    QVERIFY(dialog.LabelNotComplete->isHidden());
    QVERIFY(!dialog.CopyText().contains(QStringLiteral("not completed")));
  }

  void showsModallyUntilItsButtonClosesIt() {
    HelpDesk help;
    TFormStat dialog(help);
    bool wasModal = false;
    QTimer::singleShot(0, &dialog, [&] {
      wasModal = QApplication::activeModalWidget() == &dialog;
      QCOMPARE(dialog.ButtonOK->text(), QStringLiteral("Cancel"));
      QVERIFY(dialog.ButtonOK->isDefault());
      dialog.ButtonCopy->click();  // the dialog stays open
      QVERIFY(dialog.isVisible());
      dialog.ButtonOK->click();
    });
    dialog.ShowStatistics(concordance::MakeStatistics(2, 1, 10, 2, "Sentences found:", 4, true));
    QVERIFY(wasModal);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.ValueLabels[4]->text(), QStringLiteral("4"));
  }
};

QTEST_MAIN(FormStatTest)
#include "form_stat_test.moc"
