// The two search dialogs and the lexeme list as the user drives them: typed
// masks moved by Enter, Clear All, Del, the advanced distances and the gap
// message, search files saved and loaded through the file dialogs (replaced
// by choosers), lemma forms copied into the column that had the focus.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

#include "corpus/corpus_settings.h"
#include "gui/help/help.h"
#include "gui/help/help_desk.h"
#include "gui/runner/gui_user_interface.h"
#include "gui/search/form_lemma_list.h"
#include "gui/search/form_search.h"
#include "gui/search/form_search_adv.h"
#include "tools/root_collator.h"

using namespace lexvane;
using namespace lexvane::gui;

namespace {

QStringList items(const QListWidget* list) {
  QStringList out;
  for (int i = 0; i < list->count(); ++i) out << list->item(i)->text();
  return out;
}

// Choosers that answer with fixed paths and record the start names.
SearchFileChoosers fixedChoosers(const QString& file, const QString& lemmas, QStringList* starts) {
  return {[file, starts](const QString& s) -> std::optional<QString> {
            *starts << s;
            return file;
          },
          [file, starts](const QString& s) -> std::optional<QString> {
            *starts << s;
            return file;
          },
          [lemmas](const QString&) -> std::optional<QString> { return lemmas; }};
}

}  // namespace

class SearchDialogsTest : public QObject {
  Q_OBJECT

  corpus::CorpusSettings corpus_;
  HelpDesk helpDesk_;
  std::unique_ptr<GuiUserInterface> ui_;
  std::unique_ptr<TFormLemmaList> lemmas_;
  QStringList messages_;

 private Q_SLOTS:
  void init() {
    helpDesk_.SetObserver([](int) {});
    messages_.clear();
    ui_ = std::make_unique<GuiUserInterface>(helpDesk_);
    ui_->setAnswerer([this](const Question& q) {
      messages_ << q.text;
      return text::Answer::Ok;
    });
    lemmas_ = std::make_unique<TFormLemmaList>(*ui_, RootCollator());
  }
  void cleanup() { lemmas_.reset(); }

  void simpleDialogMovesTypedMasksAndStartsOnAnEmptyField() {
    TFormSearch dialog(corpus_, *ui_, *lemmas_);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Word search"));
    QCOMPARE(dialog.EditMaxListSize->text(), QStringLiteral("10000"));
    QTimer::singleShot(0, &dialog, [&] {
      QTest::keyClicks(dialog.Edit1, QStringLiteral("Walk"));
      QTest::keyClick(dialog.Edit1, Qt::Key_Return);
      QVERIFY(dialog.isVisible());
      QCOMPARE(items(dialog.ListBox1), QStringList{"walk"});
      QCOMPARE(dialog.Edit1->text(), QString());
      QTest::keyClick(dialog.Edit1, Qt::Key_Return);
    });
    QCOMPARE(dialog.exec(), int(QDialog::Accepted));
    QCOMPARE(dialog.Query().SimpleMasks(), std::vector<std::string>{"walk"});

    // Del removes the selected lines; Clear All keeps "Max. list size".
    for (const char* mask : {"a", "b", "c"}) {
      dialog.Edit1->setText(QString::fromLatin1(mask));
      dialog.ButtonOKClick();
    }
    dialog.ListBox1->item(1)->setSelected(true);
    dialog.ListBox1->item(3)->setSelected(true);
    QTest::keyClick(dialog.ListBox1, Qt::Key_Delete);
    QCOMPARE(items(dialog.ListBox1), (QStringList{"walk", "b"}));
    dialog.EditMaxListSize->setText(QStringLiteral("50"));
    dialog.Edit1->setText(QStringLiteral("typed"));
    dialog.ButtonClearAllClick();
    QCOMPARE(dialog.ListBox1->count(), 0);
    QCOMPARE(dialog.Edit1->text(), QString());
    QCOMPARE(dialog.EditMaxListSize->text(), QStringLiteral("50"));
    // OK with nothing at all ends as cancelled.
    QTimer::singleShot(0, &dialog, [&] { dialog.ButtonOK->click(); });
    QCOMPARE(dialog.exec(), int(QDialog::Rejected));
  }

  void searchFilesRoundTripBetweenTheDialogs() {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("query.cws"));
    QStringList starts;
    TFormSearchAdv adv(corpus_, *ui_, *lemmas_);
    adv.setChoosers(fixedChoosers(file, {}, &starts));
    adv.Edits[0]->setText(QStringLiteral("The"));
    adv.Edits[1]->setText(QStringLiteral("house"));
    adv.ButtonOKClick();
    adv.Edits[1]->setText(QStringLiteral("home"));
    adv.SpinButtonDownClick(1);
    adv.CheckBoxRanks[0]->setChecked(false);
    adv.RadioButtons[1]->setChecked(true);
    adv.ButtonSaveClick();  // the typed mask is moved first
    QCOMPARE(items(adv.ListBoxes[1]), (QStringList{"house", "home"}));
    QCOMPARE(adv.Model().LastFileName, file.toStdString());

    QSettings saved(file, QSettings::IniFormat);
    QCOMPARE(saved.value("List 1/Line1").toString(), QStringLiteral("the"));
    QCOMPARE(saved.value("List 2/Line2").toString(), QStringLiteral("home"));
    QCOMPARE(saved.value("Common/WordToMiddle").toInt(), 2);
    QCOMPARE(saved.value("Common/Rank1").toInt(), 0);
    QCOMPARE(saved.value("Common/WordDistance2").toInt(), -1);

    TFormSearch simple(corpus_, *ui_, *lemmas_);
    simple.setChoosers(fixedChoosers(file, {}, &starts));
    simple.ButtonLoadClick();
    QCOMPARE(items(simple.ListBox1), QStringList{"the"});
    QCOMPARE(simple.EditMaxListSize->text(), QStringLiteral("10000"));

    TFormSearchAdv loaded(corpus_, *ui_, *lemmas_);
    loaded.setChoosers(fixedChoosers(file, {}, &starts));
    loaded.ButtonLoadClick();
    QCOMPARE(items(loaded.ListBoxes[1]), (QStringList{"house", "home"}));
    QVERIFY(!loaded.CheckBoxRanks[0]->isChecked());
    QVERIFY(loaded.CheckBoxRanks[1]->isChecked());
    QCOMPARE(loaded.LabelSpins[1]->text(), QStringLiteral("x"));
    QVERIFY(loaded.RadioButtons[1]->isChecked());

    // A "Max. list size" that is no number: the lists are written, then the message.
    simple.EditMaxListSize->setText(QStringLiteral("many"));
    simple.ButtonSaveClick();
    QCOMPARE(messages_, QStringList{"'many' is not a valid integer value"});
  }

  void advancedDialogValidatesColumnsAndDistances() {
    TFormSearchAdv dialog(corpus_, *ui_, *lemmas_);
    QCOMPARE(
        dialog.Edits[2]->toolTip(),
        QStringLiteral("Mask(s) for the searched word. Press Enter to move it to the list below."));
    QCOMPARE(dialog.LabelSpins[0]->text(), QStringLiteral("0"));
    dialog.SpinButtonDownClick(0);
    QCOMPARE(dialog.LabelSpins[0]->text(), QStringLiteral("x"));
    dialog.SpinButtonDownClick(0);
    QCOMPARE(dialog.LabelSpins[0]->text(), QStringLiteral("x"));
    dialog.SpinButtonUpClick(0);
    QCOMPARE(dialog.LabelSpins[0]->text(), QStringLiteral("0"));

    // A gap: the message, and the dialog ends without a search.
    QTimer::singleShot(0, &dialog, [&] {
      dialog.Edits[1]->setText(QStringLiteral("b"));
      dialog.Edits[3]->setText(QStringLiteral("d"));
      dialog.ButtonOKClick();
      QVERIFY(dialog.isVisible());
      dialog.ButtonOKClick();
    });
    QCOMPARE(dialog.exec(), int(QDialog::Rejected));
    QCOMPARE(messages_, QStringList{"There are empty column(s) between nonempty columns."});

    // A middle column above the used ones falls back to 1.
    dialog.ButtonClearAllClick();
    QVERIFY(dialog.RadioButtons[0]->isChecked());
    dialog.Edits[0]->setText(QStringLiteral("a"));
    dialog.Edits[1]->setText(QStringLiteral("b"));
    dialog.RadioButtons[3]->setChecked(true);
    QTimer::singleShot(0, &dialog, [&] {
      dialog.ButtonOKClick();
      dialog.ButtonOKClick();
    });
    QCOMPARE(dialog.exec(), int(QDialog::Accepted));
    QCOMPARE(dialog.Query().ColumnCount, 2);
    QCOMPARE(dialog.Query().MiddleColumn, 1);
    QVERIFY(dialog.RadioButtons[0]->isChecked());
  }

  void lemmaFormsGoToTheColumnThatHadTheFocus() {
    TFormSearchAdv dialog(corpus_, *ui_, *lemmas_);
    QStringList starts;
    dialog.setChoosers(
        fixedChoosers({}, QStringLiteral(LEXVANE_SAMPLES_DIR "/lemmas.cll"), &starts));
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    dialog.Edits[0]->setText(QStringLiteral("kept"));
    dialog.Edits[2]->setFocus();
    QTRY_COMPARE(dialog.Model().CurrentColumn, 2);
    dialog.Edits[2]->setText(QStringLiteral("Walk"));
    QTimer::singleShot(0, lemmas_.get(), [this] {
      QCOMPARE(lemmas_->windowTitle(), QStringLiteral("Lexeme List"));
      QCOMPARE(lemmas_->ListBox1->currentItem()->text(),
               QStringLiteral("walk;walks;walked;walking"));
      QCOMPARE(lemmas_->ListBox1->item(0)->text(),
               QStringLiteral("be;am;is;are;was;were;been;being"));
      lemmas_->ButtonAdd->click();
    });
    dialog.ButtonLemmasClick();
    QCOMPARE(items(dialog.ListBoxes[2]), (QStringList{"walk", "walks", "walked", "walking"}));
    QCOMPARE(dialog.Edits[2]->text(), QString());
    QCOMPARE(dialog.Edits[0]->text(), QStringLiteral("kept"));

    // Nothing at or after the typed text: no line selected, Copy does nothing.
    TFormSearch simple(corpus_, *ui_, *lemmas_);
    simple.setChoosers(
        fixedChoosers({}, QStringLiteral(LEXVANE_SAMPLES_DIR "/lemmas.cll"), &starts));
    simple.Edit1->setText(QStringLiteral("zz"));
    QTimer::singleShot(0, lemmas_.get(), [this] {
      QVERIFY(lemmas_->ListBox1->selectedItems().isEmpty());
      lemmas_->ButtonAddClick();
      QVERIFY(lemmas_->isVisible());
      lemmas_->ButtonCancel->click();
    });
    simple.ButtonLemmasClick();
    QCOMPARE(simple.ListBox1->count(), 0);
    QCOMPARE(simple.Edit1->text(), QString());
  }
};

QTEST_MAIN(SearchDialogsTest)
#include "search_dialogs_test.moc"
