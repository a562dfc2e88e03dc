// Windows decode corpus text with the encoding of their table: a UTF-8
// concordance shows its characters (an invalid byte as U+FFFD) and file
// names as the file system names them; copies put the decoded text on the
// clipboard; the source window selects the keyword by characters; search
// masks are encoded with the corpus's encoding and carried over when it
// changes. The tables are made directly, so no scan is involved.
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <fstream>

#include "concordance/concordance_table.h"
#include "concordance/source_text.h"
#include "gui/app/workspace.h"
#include "gui/base/text_codec.h"
#include "gui/concordance/concordance_copy_command.h"
#include "gui/concordance/concordance_model.h"
#include "gui/concordance/form_copy_concord.h"
#include "gui/concordance/form_source.h"
#include "gui/runner/gui_user_interface.h"
#include "gui/runner/operation_runner.h"
#include "gui/search/form_lemma_list.h"
#include "gui/search/form_search.h"
#include "text/character_sets.h"

using namespace lexvane;
using namespace lexvane::gui;

namespace {

// "Καλή μέρα" with an invalid byte in the keyword; the file name in UTF-8.
std::shared_ptr<concordance::ConcordanceTable> greekTable(text::Encoding encoding) {
  auto table = std::make_shared<concordance::ConcordanceTable>();
  table->TextEncoding = encoding;
  table->LeftContexts().Add("\u039A\u03B1\u03BB\u03AE");
  table->Keywords().AddObject("\u03BC\u03AD\xFF\u03C1\u03B1",
                              new concordance::TOneWordInfo(0, 0, 0));
  table->RightContexts().Add("\u0434\u0440\u0443\u0433.");
  table->FileNames().Add("gr\u00FC\u00DFe.txt");
  return table;
}

}  // namespace

class Utf8DisplayTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<QWidget> main_;
  std::unique_ptr<Workspace> workspace_;

 private Q_SLOTS:
  void init() {
    main_ = std::make_unique<QWidget>();
    workspace_ = std::make_unique<Workspace>(text::Collator("root"));
    workspace_->Ui().setAnswerer([](const Question&) { return text::Answer::Ok; });
    workspace_->CreateDialogs(main_.get());
    QApplication::clipboard()->setText(QStringLiteral("before"));
  }
  void cleanup() {
    workspace_.reset();
    main_.reset();
  }

  void codecsDecodeAndEncodeByEncoding() {
    const TextCodec utf8 = CodecFor(text::Encoding::Utf8);
    QVERIFY(utf8.IsUtf8());
    QVERIFY(!CodecFor(text::Encoding::Dos850).IsUtf8());
    QCOMPARE(utf8.Decode("a\xC3\xA9\xFF\xE2\x82"), QStringLiteral("a\u00E9\uFFFD\uFFFD\uFFFD"));
    QCOMPARE(utf8.Encode(QStringLiteral("\u03B1\u00E9")), std::string("\u03B1\u00E9"));
    const TextCodec ansi = CodecFor(text::Encoding::Windows1252);
    QCOMPARE(ansi.Decode("\xE9"), QStringLiteral("\u00E9"));
    QCOMPARE(ansi.Encode(QStringLiteral("\u00E9\u03B1")), std::string("\xE9?"));
    corpus::CorpusSettings corpus;
    corpus.TextEncoding = text::Encoding::Utf8;
    QVERIFY(CorpusCodec(corpus).IsUtf8());
    // Cut characters at the two ends of a block read from a file's middle.
    QCOMPARE(CutLeadingBytes("\xBD\xBEx"), std::size_t(2));
    QCOMPARE(CutLeadingBytes("x\xBD"), std::size_t(0));
    QCOMPARE(CutTrailingBytes("x\xE2\x82"), std::size_t(2));
    QCOMPARE(CutTrailingBytes("x\xE2\x82\xAC"), std::size_t(0));
    QCOMPARE(CutTrailingBytes("x\xC3"), std::size_t(1));
  }

  void utf8TableShowsItsCharactersWithTheReplacementForAnInvalidByte() {
    ConcordanceModel model;
    // The table's encoding decides, whatever codec the window had.
    model.setTable(greekTable(text::Encoding::Utf8), CodecFor(text::Encoding::Windows1252));
    QCOMPARE(model.cellText(0, ConcordanceModel::LeftColumn),
             QStringLiteral("\u039A\u03B1\u03BB\u03AE"));
    QCOMPARE(model.cellText(0, ConcordanceModel::KeywordColumn),
             QStringLiteral("\u03BC\u03AD\uFFFD\u03C1\u03B1"));
    QCOMPARE(model.cellText(0, ConcordanceModel::RightColumn),
             QStringLiteral("\u0434\u0440\u0443\u0433."));
    QCOMPARE(model.cellText(0, ConcordanceModel::FileColumn),
             QStringLiteral("gr\u00FC\u00DFe.txt"));
    // File names are the file system's in an 8-bit table too.
    model.setTable(greekTable(text::Encoding::Windows1252), CodecFor(text::Encoding::Utf8));
    QCOMPARE(model.cellText(0, ConcordanceModel::FileColumn),
             QStringLiteral("gr\u00FC\u00DFe.txt"));
    QCOMPARE(model.cellText(0, ConcordanceModel::LeftColumn).size(), 8);  // one per byte
  }

  void copyPutsTheDecodedTextOnTheClipboard() {
    workspace_->LatestScanSets().Record(
        text::CharacterSets::Derive(text::kDefaultUtf8WordSeparators, ".?!", text::Encoding::Utf8));
    TFormCopyConcord& dialog = *workspace_->FormCopyConcord();
    QTimer::singleShot(0, &dialog, [&dialog] {
      dialog.RadioButtonToOnePara->setChecked(true);
      dialog.Button1->click();
    });
    CopyConcordance(*workspace_, greekTable(text::Encoding::Utf8), {0, 0}, main_.get());
    workspace_->Runner().waitForIdle();
    QCOMPARE(QApplication::clipboard()->text(),
             QStringLiteral("\u039A\u03B1\u03BB\u03AE \u03BC\u03AD\uFFFD\u03C1\u03B1 "
                            "\u0434\u0440\u0443\u0433. "));
  }

  void sourceWindowSelectsTheKeywordByCharacters() {
    TFormSource window;
    concordance::SourceBlock block;
    // The block begins inside a character ("\xB1" is the end of "α").
    block.Text = "\xB1\u03B2 \u03B3\u03B4 \u00E9t\u00E9\r\nfin \xE2\x82";
    block.KeywordStart = 1 + 2 + 1;  // "γδ"
    window.SetSource("/c/a.txt", block, 4, CodecFor(text::Encoding::Utf8));
    QCOMPARE(window.Memo1->toPlainText(),
             QStringLiteral("\u03B2 \u03B3\u03B4 \u00E9t\u00E9\nfin "));
    QCOMPARE(window.Memo1->textCursor().selectedText(), QStringLiteral("\u03B3\u03B4"));
  }

  void searchMasksFollowTheCorpusEncoding() {
    corpus::CorpusSettings& corpus = workspace_->Corpus();
    TFormSearch& search = *workspace_->FormSearch();
    corpus.TextEncoding = text::Encoding::Utf8;
    search.AppendMask("\u03BA\u03CD\u03BC\u03B1*", text::Encoding::Utf8);
    search.AppendMask("caf\xE9", text::Encoding::Windows1252);
    QCOMPARE(search.Model().Masks,
             (std::vector<std::string>{"\u03BA\u03CD\u03BC\u03B1*", "caf\u00E9"}));
    QCOMPARE(search.ListBox1->item(0)->text(), QStringLiteral("\u03BA\u03CD\u03BC\u03B1*"));
    QCOMPARE(search.ListBox1->item(1)->text(), QStringLiteral("caf\u00E9"));
    // Back to Windows-1252, the masks read as if typed again when the dialog
    // shows ('?' for what the code page lacks).
    corpus.TextEncoding = text::Encoding::Windows1252;
    QTimer::singleShot(0, &search, [&search] { search.ButtonCancel->click(); });
    search.exec();
    QCOMPARE(search.Model().Masks, (std::vector<std::string>{"????*", "caf\xE9"}));
    QCOMPARE(search.ListBox1->item(1)->text(), QStringLiteral("caf\u00E9"));
  }

  void lemmaListShowsTheCorpusEncoding() {
    QTemporaryDir dir;
    const std::string file = dir.filePath(QStringLiteral("greek.cll")).toStdString();
    std::ofstream(file, std::ios::binary)
        << "\u03BA\u03CD\u03BC\u03B1;\u03BA\u03CD\u03BC\u03B1\u03C4\u03B1\r\n";
    corpus::CorpusSettings& corpus = workspace_->Corpus();
    corpus.TextEncoding = text::Encoding::Utf8;
    TFormSearch& search = *workspace_->FormSearch();
    TFormLemmaList& lemmas = *workspace_->FormLemmaList();
    SearchFileChoosers choosers;
    choosers.lemmas = [file](const QString&) {
      return std::optional<QString>(QString::fromStdString(file));
    };
    search.setChoosers(choosers);
    QString shown;
    QTimer::singleShot(0, &lemmas, [&lemmas, &shown] {
      shown = lemmas.ListBox1->item(0)->text();
      QCOMPARE(lemmas.ListBox1->item(0)->text(),
               QStringLiteral("\u03BA\u03CD\u03BC\u03B1;\u03BA\u03CD\u03BC\u03B1\u03C4\u03B1"));
      lemmas.ButtonCancel->click();
    });
    search.ButtonLemmasClick();
    QVERIFY(!shown.isEmpty());
  }
};

QTEST_MAIN(Utf8DisplayTest)
#include "utf8_display_test.moc"
