// The file-list editor: OK writes the working list back (duplicates dropped)
// and marks the corpus modified by the rules of the typed-into marks and
// EditedInDialog; Cancel drops list changes but keeps option changes; the
// Delete key and the Remove button.
#include <QAbstractItemModelTester>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

#include <fstream>

#include "gui/corpus/form_file_list.h"
#include "gui/help/help.h"
#include "gui/help/help_desk.h"
#include "gui/runner/gui_user_interface.h"
#include "text/character_sets.h"
#include "tools/root_collator.h"

using namespace lexvane;
using namespace lexvane::gui;

class FileListEditorTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<corpus::CorpusSettings> corpus_;
  HelpDesk helpDesk_;
  std::unique_ptr<GuiUserInterface> ui_;
  std::unique_ptr<TFormFileList> editor_;
  QStringList chosen_;

  QStringList listBox() {
    QStringList items;
    QAbstractItemModel* model = editor_->ListOfFiles->model();
    for (int i = 0; i < model->rowCount(); ++i) items << model->index(i, 0).data().toString();
    return items;
  }
  void select(int row) {
    QAbstractItemModel* model = editor_->ListOfFiles->model();
    editor_->ListOfFiles->selectionModel()->select(model->index(row, 0),
                                                   QItemSelectionModel::Select);
  }
  // Types characters beyond Latin-1 too (keyClicks takes Latin-1 only).
  static void typeInto(QWidget* widget, const QString& text) {
    for (QChar c : text)
      QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
  }
  QStringList files() {
    QStringList paths;
    for (const std::string& p : corpus_->Files.Paths()) paths << QString::fromStdString(p);
    return paths;
  }

 private Q_SLOTS:
  void init() {
    corpus_ = std::make_unique<corpus::CorpusSettings>();
    corpus_->Files.Add("/corpus/b.txt", RootCollator());
    corpus_->Files.Add("/corpus/d.txt", RootCollator());
    corpus_->ListPath = "/corpus/list.CTL";
    ui_ = std::make_unique<GuiUserInterface>(helpDesk_);
    ui_->setAnswerer([](const Question&) { return text::Answer::Ok; });
    editor_ = std::make_unique<TFormFileList>(*corpus_, RootCollator(), *ui_);
    editor_->setFileChooser([this] { return std::optional<QStringList>(chosen_); });
    editor_->show();  // WhenShow
  }
  void cleanup() { editor_.reset(); }

  void showingFillsTheListAndCaption() {
    QCOMPARE(editor_->windowTitle(), QStringLiteral("File List Settings: /corpus/list.CTL"));
    QCOMPARE(listBox(), QStringList({"/corpus/b.txt", "/corpus/d.txt"}));
    QVERIFY(!editor_->ButtonDelete->isEnabled());
    QVERIFY(!editor_->EditedInDialog());
    QCOMPARE(editor_->ButtonAdd->text(), QStringLiteral("< &Add"));
    QCOMPARE(editor_->ButtonDelete->text(), QStringLiteral("> &Remove"));
    QVERIFY(editor_->IgnoreCapitals->isChecked());
  }

  void controlsCarryTheirCaptions() {
    QCOMPARE(editor_->Label1->text(), QStringLiteral("Word separators:"));
    QCOMPARE(editor_->Label2->text(), QStringLiteral("Sentence separators:"));
    QCOMPARE(editor_->CheckBoxOEMtoANSI->text(),
             QStringLiteral("Convert from DOS (OEM) to Windows (ANSI) encoding"));
    QCOMPARE(editor_->CheckBoxEnhSentEnd->text(),
             QStringLiteral("Enhanced sentence end detection"));
    QCOMPARE(editor_->CheckBoxCRLF->text(), QStringLiteral("Treat CR-LF as sentence separator"));
    QCOMPARE(editor_->IgnoreCapitals->text(),
             QStringLiteral("No difference between large and small letters"));
    QCOMPARE(editor_->TaggedText->text(), QStringLiteral("Tagged Texts"));
    QCOMPARE(editor_->ButtonOK->text(), QStringLiteral("OK"));
    QVERIFY(editor_->ButtonOK->isDefault());
    QCOMPARE(editor_->ButtonCancel->text(), QStringLiteral("Cancel"));
    QCOMPARE(editor_->ButtonHelp->text(), QStringLiteral("Help"));
    QCOMPARE(editor_->ListOfFiles->selectionMode(), QAbstractItemView::ExtendedSelection);
    editor_->hide();
    corpus_->ListPath.clear();
    editor_->show();
    QCOMPARE(editor_->windowTitle(), QStringLiteral("File List Settings: "));
  }

  void separatorsShowAsWindows1252AndTypingStoresWindows1252() {
    editor_->hide();
    corpus_->WordSeparators = " \xA7\x85";  // section sign, ellipsis
    editor_->show();
    QCOMPARE(editor_->EditWordSepar->text(), QString::fromUtf8(" \u00A7\u2026"));
    editor_->EditWordSepar->setFocus();
    editor_->EditWordSepar->end(false);
    typeInto(editor_->EditWordSepar, QString::fromUtf8("\u00E9\u2014"));
    QCOMPARE(corpus_->WordSeparators, std::string(" \xA7\x85\xE9\x97"));
    // A character the code page cannot hold is stored as '?'.
    typeInto(editor_->EditWordSepar, QString::fromUtf8("\u03B1"));
    QCOMPARE(corpus_->WordSeparators, std::string(" \xA7\x85\xE9\x97?"));
    editor_->ButtonOKClick();
    QVERIFY(corpus_->Modified);
  }

  void encodingIsOneChoiceOfThree() {
    QCOMPARE(editor_->RadioButtonAnsi->text(), QStringLiteral("Windows (ANSI)"));
    QCOMPARE(editor_->RadioButtonUtf8->text(), QStringLiteral("UTF-8"));
    for (QRadioButton* b :
         {editor_->RadioButtonAnsi, editor_->CheckBoxOEMtoANSI, editor_->RadioButtonUtf8})
      QCOMPARE(b->accessibleName(), b->text());
    QVERIFY(!editor_->GroupEncoding->accessibleName().isEmpty());
    QVERIFY(editor_->RadioButtonAnsi->isChecked());
    // UTF-8 with the untouched defaults: the UTF-8 defaults, and back.
    editor_->RadioButtonUtf8->click();
    QCOMPARE(corpus_->TextEncoding, text::Encoding::Utf8);
    QVERIFY(!editor_->RadioButtonAnsi->isChecked());
    QCOMPARE(corpus_->WordSeparators, text::kDefaultUtf8WordSeparators);
    QCOMPARE(editor_->EditWordSepar->text(),
             QString::fromStdString(text::kDefaultUtf8WordSeparators));
    editor_->CheckBoxOEMtoANSI->click();
    QCOMPARE(corpus_->TextEncoding, text::Encoding::Dos850);
    QCOMPARE(corpus_->WordSeparators, text::kDefaultWordSeparators);
    QCOMPARE(editor_->EditWordSepar->text(), QString::fromStdString(text::kDefaultWordSeparators));
    // The choice survives Cancel and the next show; it counts as an edit.
    editor_->ButtonCancelClick();
    editor_->show();
    QVERIFY(editor_->CheckBoxOEMtoANSI->isChecked());
    editor_->RadioButtonAnsi->click();
    editor_->ButtonOKClick();
    QVERIFY(corpus_->Modified);
    QCOMPARE(corpus_->TextEncoding, text::Encoding::Windows1252);
  }

  void utf8SeparatorsAreTypedAndShownAsUtf8() {
    editor_->RadioButtonUtf8->click();
    editor_->EditWordSepar->setFocus();
    editor_->EditWordSepar->end(false);
    typeInto(editor_->EditWordSepar, QString::fromUtf8("\u00A7\u03B1"));
    QCOMPARE(corpus_->WordSeparators, text::kDefaultUtf8WordSeparators + "\u00A7\u03B1");
    // Back to Windows (ANSI): the characters it holds stay, the others go.
    editor_->RadioButtonAnsi->click();
    QCOMPARE(corpus_->WordSeparators.substr(text::kDefaultWordSeparators.size()),
             std::string("\x93\x94\x91\x92\xAB\xBB\x97\x96\x85\xA1\xBF\xA0\xA7"));
    QCOMPARE(editor_->EditWordSepar->text().right(2), QString::fromUtf8("\u00A0\u00A7"));
  }

  void filesThatLookUtf8AreOfferedOncePerList() {
    QTemporaryDir dir;
    const QString utf8 = dir.filePath(QStringLiteral("greek.txt"));
    const QString other = dir.filePath(QStringLiteral("cyrillic.txt"));
    std::ofstream(utf8.toStdString())
        << "\u039A\u03B1\u03BB\u03B7\u03BC\u03AD\u03C1\u03B1 caf\u00E9";
    std::ofstream(other.toStdString())
        << "\u0414\u043E\u0431\u0440\u043E\u0435 \u0443\u0442\u0440\u043E";
    QList<Question> asked;
    text::Answer answer = text::Answer::No;
    ui_->setAnswerer([&](const Question& q) {
      asked << q;
      return answer;
    });
    chosen_ = {utf8};
    editor_->ButtonAddClick();
    QCOMPARE(asked.size(), 1);
    QCOMPARE(asked[0].buttons, text::Buttons::YesNo);
    QVERIFY(asked[0].text.contains(QStringLiteral("UTF-8")));
    QVERIFY(editor_->RadioButtonAnsi->isChecked());
    chosen_ = {other};
    editor_->ButtonAddClick();
    QCOMPARE(asked.size(), 1);  // once per list
    // A new list is asked again; Yes switches, as choosing UTF-8 would.
    editor_->hide();
    corpus_->ResetToNewList();
    editor_->show();
    answer = text::Answer::Yes;
    editor_->ButtonAddClick();
    QCOMPARE(asked.size(), 2);
    QVERIFY(editor_->RadioButtonUtf8->isChecked());
    QCOMPARE(corpus_->TextEncoding, text::Encoding::Utf8);
    QCOMPARE(editor_->EditWordSepar->text(),
             QString::fromStdString(text::kDefaultUtf8WordSeparators));
    QVERIFY(editor_->EditedInDialog());
    // Windows-1252 text is never offered.
    editor_->RadioButtonAnsi->click();
    editor_->hide();
    corpus_->ResetToNewList();
    editor_->show();
    const QString ansi = dir.filePath(QStringLiteral("ansi.txt"));
    std::ofstream(ansi.toStdString()) << "caf\xE9 na\xEFve";
    chosen_ = {ansi};
    editor_->ButtonAddClick();
    QCOMPARE(asked.size(), 2);
  }

  void missingFileIsReportedWithOkCancelAndHelp() {
    QList<Question> asked;
    ui_->setAnswerer([&](const Question& q) {
      asked << q;
      return text::Answer::Cancel;
    });
    editor_->ButtonOKClick();   // b.txt and d.txt do not exist
    QCOMPARE(asked.size(), 1);  // Cancel ends the recount
    QCOMPARE(asked[0].caption, QStringLiteral("Warning"));
    QCOMPARE(asked[0].text, QStringLiteral("Warning: The file /corpus/b.txt does not exist."));
    QCOMPARE(asked[0].buttons, text::Buttons::OkCancelHelp);
    QCOMPARE(files(), QStringList({"/corpus/b.txt", "/corpus/d.txt"}));  // nothing removed
    QCOMPARE(corpus_->TotalBytes, 0);
  }

  void okAddsFilesOnceAndMarksModified() {
    chosen_ = {"/corpus/a.txt", "/corpus/d.txt", "/corpus/D.txt"};
    editor_->ButtonAddClick();
    // Sorted without regard to case, equal names by their bytes; the path
    // already present stands twice until OK.
    QCOMPARE(listBox(), QStringList({"/corpus/a.txt", "/corpus/b.txt", "/corpus/D.txt",
                                     "/corpus/d.txt", "/corpus/d.txt"}));
    editor_->ButtonOK->click();
    QCOMPARE(editor_->result(), int(QDialog::Accepted));
    // Linux paths are case-sensitive: only the identical path is dropped.
    QCOMPARE(files(),
             QStringList({"/corpus/a.txt", "/corpus/b.txt", "/corpus/D.txt", "/corpus/d.txt"}));
    QVERIFY(corpus_->Modified);
  }

  void confirmingTheAddDialogWithNothingStillCountsAsAnEdit() {
    chosen_ = {};
    editor_->ButtonAddClick();
    editor_->ButtonOKClick();
    QVERIFY(corpus_->Modified);
  }

  void cancelDropsListChangesOnly() {
    chosen_ = {"/corpus/a.txt"};
    editor_->ButtonAddClick();
    editor_->CheckBoxEnhSentEnd->click();
    editor_->ButtonCancel->click();
    QCOMPARE(editor_->result(), int(QDialog::Rejected));
    QCOMPARE(files(), QStringList({"/corpus/b.txt", "/corpus/d.txt"}));
    QVERIFY(corpus_->EnhSentDetect);  // options take effect at once
    QVERIFY(!corpus_->Modified);
    editor_->show();
    QCOMPARE(listBox(), QStringList({"/corpus/b.txt", "/corpus/d.txt"}));
  }

  void typedSeparatorsSurviveCancelAndMarkTheNextOk() {
    editor_->EditSentSepar->setFocus();
    QTest::keyClicks(editor_->EditSentSepar, ";");
    QCOMPARE(corpus_->SentenceSeparators, std::string(".?!;"));
    editor_->ButtonCancelClick();
    QVERIFY(!corpus_->Modified);
    QCOMPARE(corpus_->SentenceSeparators, std::string(".?!;"));
    editor_->show();
    QCOMPARE(editor_->EditSentSepar->text(), QStringLiteral(".?!;"));
    editor_->ButtonOKClick();  // no further change
    QVERIFY(corpus_->Modified);
    // The mark was cleared by that OK.
    corpus_->Modified = false;
    editor_->show();
    editor_->ButtonOKClick();
    QVERIFY(!corpus_->Modified);
  }

  void settingTheFieldsByProgramDoesNotMarkThem() {
    editor_->hide();  // New list and Open list change the options while it is hidden
    corpus_->WordSeparators = " ,.";
    editor_->show();
    QCOMPARE(editor_->EditWordSepar->text(), QStringLiteral(" ,."));
    editor_->ButtonOKClick();
    QVERIFY(!corpus_->Modified);
  }

  void onlyDosAndEnhancedOptionsCountAsChanges_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<bool>("modified");
    QTest::newRow("dos") << "CheckBoxOEMtoANSI" << true;
    QTest::newRow("enhanced") << "CheckBoxEnhSentEnd" << true;
    QTest::newRow("crlf") << "CheckBoxCRLF" << false;
    QTest::newRow("capitals") << "IgnoreCapitals" << false;
    QTest::newRow("tagged") << "TaggedText" << false;
  }
  void onlyDosAndEnhancedOptionsCountAsChanges() {
    QFETCH(QString, box);
    QFETCH(bool, modified);
    auto* check = editor_->findChild<QAbstractButton*>(box);
    const bool before = check->isChecked();
    check->click();
    editor_->ButtonOKClick();
    QCOMPARE(corpus_->Modified, modified);
    const corpus::CorpusSettings& c = *corpus_;
    const bool now = box == "CheckBoxOEMtoANSI"    ? c.TextEncoding == text::Encoding::Dos850
                     : box == "CheckBoxEnhSentEnd" ? c.EnhSentDetect
                     : box == "CheckBoxCRLF"       ? c.CRLFAsSeparator
                     : box == "IgnoreCapitals"     ? c.IgnoreCapital
                                                   : c.TaggedText;
    QCOMPARE(now, !before);
  }

  void deleteKeyAndRemoveButtonRemoveTheSelection() {
    chosen_ = {"/corpus/a.txt", "/corpus/c.txt"};
    editor_->ButtonAddClick();
    select(0);
    select(2);
    QVERIFY(editor_->ButtonDelete->isEnabled());
    editor_->ListOfFiles->setFocus();
    QTest::keyClick(editor_->ListOfFiles, Qt::Key_Delete);
    QCOMPARE(listBox(), QStringList({"/corpus/b.txt", "/corpus/d.txt"}));
    QVERIFY(!editor_->ButtonDelete->isEnabled());
    select(1);
    editor_->ButtonDelete->click();
    QCOMPARE(listBox(), QStringList({"/corpus/b.txt"}));
    editor_->ButtonOKClick();
    QCOMPARE(files(), QStringList({"/corpus/b.txt"}));
  }

  void listModelKeepsTheModelContract() {
    QAbstractItemModelTester tester(editor_->ListOfFiles->model(),
                                    QAbstractItemModelTester::FailureReportingMode::QtTest);
    chosen_ = {"/corpus/a.txt", "/corpus/c.txt"};
    editor_->ButtonAddClick();
    select(1);
    editor_->ButtonRemoveClick();
    editor_->ButtonOKClick();
    editor_->show();
    QCOMPARE(editor_->ListOfFiles->model()->rowCount(), 3);
  }

  void helpOpensContext3() {
    int opened = -1;
    helpDesk_.SetObserver([&](int c) { opened = c; });
    editor_->ButtonHelp->click();
    QCOMPARE(opened, 3);
    helpDesk_.SetObserver({});
  }
};

QTEST_MAIN(FileListEditorTest)
#include "file_list_editor_test.moc"
