// The concordance copy command: the options dialog's defaults and enabling
// rules, the three layouts to the clipboard and to a file (the file holding
// the 8-bit bytes exactly), the selected rows, the size refusal that keeps
// the clipboard, an invalid width, and a cancelled save dialog.
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <fstream>
#include <sstream>

#include "concordance/concordance_table.h"
#include "gui/app/workspace.h"
#include "gui/concordance/concordance_copy_command.h"
#include "gui/concordance/form_copy_concord.h"
#include "gui/runner/gui_user_interface.h"
#include "gui/runner/operation_runner.h"
#include "text/character_sets.h"

using namespace lexvane;
using namespace lexvane::gui;

namespace {

std::shared_ptr<concordance::ConcordanceTable> twoRows() {
  auto table = std::make_shared<concordance::ConcordanceTable>();
  auto add = [&](const std::string& l, const std::string& k, const std::string& r) {
    table->LeftContexts().Add(l);
    table->Keywords().AddObject(k, new concordance::TOneWordInfo(0, 0, 0));
    table->RightContexts().Add(r);
    table->FileNames().Add("a.txt");
  };
  add("the quick brown fox", "jumps", "over the lazy dog.");
  add("a caf\xE9", "walks", "home.");
  return table;
}

std::string fileBytes(const QString& path) {
  std::ifstream in(path.toStdString(), std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

}  // namespace

class ConcordanceCopyTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<QWidget> main_;
  std::unique_ptr<Workspace> workspace_;
  QStringList messages_;

  // Runs the copy with the options dialog set by `set` and confirmed (or
  // cancelled), and waits for the work to end.
  void copy(std::shared_ptr<concordance::ConcordanceTable> table, std::pair<int, int> selection,
            const std::function<void(TFormCopyConcord&)>& set, bool confirm = true) {
    TFormCopyConcord& dialog = *workspace_->FormCopyConcord();
    QTimer::singleShot(0, &dialog, [&dialog, set, confirm] {
      set(dialog);
      (confirm ? dialog.Button1 : dialog.Button2)->click();
    });
    CopyConcordance(*workspace_, table, selection, main_.get());
    workspace_->Runner().waitForIdle();
  }

 private Q_SLOTS:
  void init() {
    messages_.clear();
    main_ = std::make_unique<QWidget>();
    workspace_ = std::make_unique<Workspace>(text::Collator("root"));
    workspace_->Ui().setAnswerer([this](const Question& q) {
      messages_ << q.caption + QStringLiteral(": ") + q.text;
      return text::Answer::Ok;
    });
    workspace_->CreateDialogs(main_.get());
    workspace_->LatestScanSets().Record(
        text::CharacterSets::Derive(text::kDefaultWordSeparators, ".?!", false));
    QApplication::clipboard()->setText(QStringLiteral("before"));
  }
  void cleanup() {
    workspace_.reset();
    main_.reset();
  }

  void dialogDefaultsAndEnablingRules() {
    TFormCopyConcord& d = *workspace_->FormCopyConcord();
    QCOMPARE(d.windowTitle(), QStringLiteral("Copy Options"));
    QVERIFY(d.RadioButtonEachToPara->isChecked());
    QCOMPARE(d.Edit1->text(), QStringLiteral("40"));
    QVERIFY(d.CheckBoxSelectedOnly->isChecked());
    QCOMPARE(d.EditLeftDelimiter->text(), QStringLiteral("|"));
    QCOMPARE(d.EditRightDelimiter->maxLength(), 1);
    QVERIFY(d.Button1->isDefault());
    QList<QWidget*> words{d.SpinEditM, d.SpinEditN, d.LabelM, d.LabelN};
    auto enabled = [&] {
      QString s;
      for (QWidget* w : QList<QWidget*>{d.CheckBoxDelimAround} + words)
        s += w->isEnabled() ? QLatin1Char('1') : QLatin1Char('0');
      return s;
    };
    QCOMPARE(enabled(), QStringLiteral("00000"));
    d.CheckBoxSaveWithDelimiters->click();
    QCOMPARE(enabled(), QStringLiteral("10000"));
    d.CheckBoxDelimAround->click();
    QCOMPARE(enabled(), QStringLiteral("11111"));
    d.CheckBoxSaveWithDelimiters->click();
    QCOMPARE(enabled(), QStringLiteral("00000"));
    QVERIFY(d.EditLeftDelimiter->isEnabled());
    d.CheckBoxSaveWithDelimiters->click();  // the around box kept its check
    QCOMPARE(enabled(), QStringLiteral("11111"));
    QCOMPARE(d.SpinEditM->maximum(), 10);
    // Every control has a name a screen reader reads.
    for (QWidget* w : d.findChildren<QWidget*>())
      if (!w->objectName().isEmpty() && !w->objectName().startsWith(QLatin1String("qt_")))
        QVERIFY2(!w->accessibleName().isEmpty(), qPrintable(w->objectName()));
  }

  void threeLayoutsToTheClipboard() {
    auto table = twoRows();
    copy(table, {0, 1}, [](TFormCopyConcord& d) { d.RadioButtonToOnePara->setChecked(true); });
    QCOMPARE(
        QApplication::clipboard()->text(),
        QStringLiteral("the quick brown fox jumps over the lazy dog. a caf\u00e9 walks home. "));
    copy(table, {1, 1}, [](TFormCopyConcord& d) {
      d.RadioButtonEachToPara->setChecked(true);
      d.CheckBoxIncludeSource->setChecked(true);
    });
    QCOMPARE(QApplication::clipboard()->text(),
             QStringLiteral("a caf\u00e9 walks home. [a.txt] \r\n"));
    copy(table, {1, 1}, [](TFormCopyConcord& d) {
      d.RadioButtonJustify->setChecked(true);
      d.Edit1->setText(QStringLiteral("8"));
      d.CheckBoxIncludeSource->setChecked(false);
      d.CheckBoxSelectedOnly->setChecked(false);
      d.CheckBoxSaveWithDelimiters->setChecked(true);
      d.CheckBoxDelimAround->setChecked(true);
    });
    QCOMPARE(QApplication::clipboard()->text(),
             QStringLiteral("wn | fox | jumps | over | t \r\n"
                            "a | caf\u00e9 | walks | home.|   \r\n"));
    QVERIFY(messages_.isEmpty());
  }

  void tooLargeForTheClipboardIsRefusedAndKeepsIt() {
    auto table = std::make_shared<concordance::ConcordanceTable>();
    const std::string context(255, 'c');
    for (int i = 0; i < 130; ++i) {
      table->LeftContexts().Add(context);
      table->Keywords().AddObject("walks", new concordance::TOneWordInfo(0, 0, 0));
      table->RightContexts().Add(context);
      table->FileNames().Add("a.txt");
    }
    copy(table, {0, 0}, [](TFormCopyConcord& d) {
      d.CheckBoxSaveWithDelimiters->setChecked(false);
      d.CheckBoxSelectedOnly->setChecked(false);
      d.RadioButtonEachToPara->setChecked(true);
    });
    QCOMPARE(messages_, QStringList{QStringLiteral(
                            "Error: Selection is too large (68 kB). Use \"Save to file\" option "
                            "for selections larger than 64 kB.")});
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("before"));
    // One selected row fits.
    copy(table, {5, 5}, [](TFormCopyConcord& d) { d.CheckBoxSelectedOnly->setChecked(true); });
    QCOMPARE(QApplication::clipboard()->text().size(), 255 + 7 + 255 + 3);
  }

  void toAFileTheBytesAsBuilt() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("out.txt"));
    QWidget* parentSeen = nullptr;
    workspace_->Choosers().SaveSentences = [&](QWidget* parent) -> std::optional<QString> {
      parentSeen = parent;
      return path;
    };
    auto table = twoRows();
    copy(table, {0, 1}, [](TFormCopyConcord& d) {
      d.CheckBoxToFile->setChecked(true);
      d.CheckBoxSelectedOnly->setChecked(false);
      d.CheckBoxSaveWithDelimiters->setChecked(false);
      d.RadioButtonEachToPara->setChecked(true);
    });
    QCOMPARE(parentSeen, main_.get());
    QCOMPARE(fileBytes(path), std::string("the quick brown fox jumps over the lazy dog. \r\n"
                                          "a caf\xE9 walks home. \r\n"));
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("before"));

    // A cancelled save dialog writes nothing; nor does a cancelled options dialog.
    QFile::remove(path);
    workspace_->Choosers().SaveSentences = [](QWidget*) { return std::optional<QString>(); };
    copy(table, {0, 1}, [](TFormCopyConcord&) {});
    QVERIFY(!QFile::exists(path));
    workspace_->Choosers().SaveSentences = [&](QWidget*) -> std::optional<QString> { return path; };
    copy(
        table, {0, 1}, [](TFormCopyConcord&) {}, false);
    QVERIFY(!QFile::exists(path));
    QVERIFY(messages_.isEmpty());
  }

  void invalidWidthStopsBeforeAnythingIsCopied() {
    bool chooserAsked = false;
    workspace_->Choosers().SaveSentences = [&](QWidget*) -> std::optional<QString> {
      chooserAsked = true;
      return std::nullopt;
    };
    copy(twoRows(), {0, 1}, [](TFormCopyConcord& d) {
      d.Edit1->setText(QStringLiteral("4x"));
      d.RadioButtonToOnePara->setChecked(true);  // read in every layout
      d.CheckBoxToFile->setChecked(true);
    });
    QCOMPARE(messages_, QStringList{QStringLiteral("Error: '4x' is not a valid integer value")});
    QVERIFY(!chooserAsked);
    workspace_->FormCopyConcord()->Edit1->setText(QStringLiteral("40"));
    workspace_->FormCopyConcord()->CheckBoxToFile->setChecked(false);
  }
};

QTEST_MAIN(ConcordanceCopyTest)
#include "concordance_copy_test.moc"
