// The two source windows: the block around a hit near the start of a file
// and far into it with the keyword selected, the caption's 30-character
// rule, the DOS option read when the window opens, a file that went missing,
// the stripped text of a tagged corpus, and Copy.
#include <QApplication>
#include <QClipboard>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QtTest>

#include <fstream>

#include "concordance/concordance_builder.h"
#include "corpus/list_files.h"
#include "gui/concordance/form_source.h"
#include "gui/concordance/form_source_stripped.h"
#include "gui/help/help_desk.h"
#include "gui/runner/gui_user_interface.h"
#include "tools/root_collator.h"

using namespace lexvane;
using namespace lexvane::gui;

namespace {

std::unique_ptr<concordance::ConcordanceTable> build(const char* list, const char* mask) {
  HelpDesk helpDesk;
  GuiUserInterface ui(helpDesk);
  corpus::CorpusSettings corpus;
  corpus::OpenListFile(list, corpus, RootCollator(), ui);
  search::SearchQuery query;
  query.Masks[0] = {search::TypedMask(mask)};
  text::SilentSearchIndicator search;
  text::SilentProgressIndicator progress;
  text::OperationHost host{ui, search, progress};
  return concordance::BuildConcordance(query, corpus, host);
}

// A table of one hit at `offset` of `path`.
std::unique_ptr<concordance::ConcordanceTable> oneHit(const std::string& path, std::int64_t offset,
                                                      const std::string& keyword) {
  auto table = std::make_unique<concordance::ConcordanceTable>();
  table->CorpusFiles = {path};
  table->LeftContexts().Add("");
  table->Keywords().AddObject(keyword, new concordance::TOneWordInfo(0, 0, offset));
  table->RightContexts().Add("");
  table->FileNames().Add("f.txt");
  return table;
}

void writeFile(const QString& path, const std::string& bytes) {
  std::ofstream(path.toStdString(), std::ios::binary) << bytes;
}

corpus::CorpusSettings corpusWithDosOption(bool on) {
  corpus::CorpusSettings corpus;
  corpus.TextEncoding = on ? text::Encoding::Dos850 : text::Encoding::Windows1252;
  return corpus;
}
const corpus::CorpusSettings kPlain = corpusWithDosOption(false);
const corpus::CorpusSettings kDos = corpusWithDosOption(true);

QString selected(const SourceTextWindow& w) {
  return w.Memo1->textCursor().selectedText();
}

}  // namespace

class SourceWindowsTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void keywordSelectedNearTheStartAndFarIntoTheSampleCorpus() {
    auto table = build(LEXVANE_SAMPLES_DIR "/sample.CTL", "house");
    int near = -1, far = -1;
    for (int row = 0; row < table->RowCount(); ++row) {
      if (table->Info(row).Offset < 2048 && near < 0) near = row;
      if (table->Info(row).Offset > 2048) far = row;
    }
    QVERIFY(near >= 0 && far >= 0);
    std::unique_ptr<TFormSource> w(TFormSource::Display(*table, near, kPlain, nullptr));
    QVERIFY(w);
    QCOMPARE(w->Memo1->textCursor().selectionStart(), int(table->Info(near).Offset));
    QCOMPARE(selected(*w), QString::fromStdString(std::string(table->Keywords().View(near))));
    QVERIFY(w->windowTitle().startsWith(QStringLiteral("Source: ...")));
    QVERIFY(w->windowTitle().endsWith(QStringLiteral(".txt")));
    QCOMPARE(w->windowTitle().size(), 8 + 30);

    w.reset(TFormSource::Display(*table, far, kPlain, nullptr));
    QCOMPARE(w->Memo1->textCursor().selectionStart(), 2048);
    QCOMPARE(selected(*w), QString::fromStdString(std::string(table->Keywords().View(far))));
    // The block ends with the file, fewer than 2048 bytes after the keyword.
    QVERIFY(w->Memo1->toPlainText().size() < 4096);
    QVERIFY(w->Memo1->toPlainText().endsWith(QLatin1Char('\n')));
  }

  void farIntoAFileWithLineBreaksTheKeywordStaysSelected() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("long.txt"));
    std::string bytes;
    while (bytes.size() < 20'000) bytes += "a line of text\r\n";
    const std::size_t hit = 10'000;
    bytes.replace(hit, 7, "KEYWORD");
    writeFile(path, bytes);
    auto table = oneHit(path.toStdString(), hit, "KEYWORD");
    std::unique_ptr<TFormSource> w(TFormSource::Display(*table, 0, kPlain, nullptr));
    QCOMPARE(selected(*w), QStringLiteral("KEYWORD"));
    QVERIFY(!w->Memo1->toPlainText().contains(QLatin1Char('\r')));
    // Short paths show whole.
    const auto caption = SourceCaption("/c/corpus/twenty-six-chars.txt");  // 30 characters
    QCOMPARE(caption, QStringLiteral("Source: /c/corpus/twenty-six-chars.txt"));
    QCOMPARE(SourceCaption("/c/corpus/thirty-one-chars1.txt"),  // 31 characters
             QStringLiteral("Source: ...orpus/thirty-one-chars1.txt"));
  }

  void dosOptionAsItStandsNowAndAMissingFile() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("dos.txt"));
    writeFile(path, "un caf\x82 noir");
    auto table = oneHit(path.toStdString(), 3, "caf\x82");
    std::unique_ptr<TFormSource> w(TFormSource::Display(*table, 0, kDos, nullptr));
    QCOMPARE(selected(*w), QStringLiteral("caf\u00e9"));
    w.reset(TFormSource::Display(*table, 0, kPlain, nullptr));
    QCOMPARE(selected(*w), QStringLiteral("caf\u201a"));  // byte 0x82 as Windows text
    QFile::remove(path);
    QVERIFY(!TFormSource::Display(*table, 0, kPlain, nullptr));
    QVERIFY(!TFormSourceStripped::Display(*table, 0, kPlain, nullptr));
  }

  void strippedSourceOfTheTaggedSampleAndCopy() {
    auto table = build(LEXVANE_SAMPLES_DIR "/tagged.CTL", "house");
    QVERIFY(table->RowCount() > 0);
    std::unique_ptr<TFormSourceStripped> w(
        TFormSourceStripped::Display(*table, 0, kPlain, nullptr));
    QVERIFY(w);
    const QString text = w->Memo1->toPlainText();
    QVERIFY(text.startsWith(QStringLiteral("The old house on the hill has eleven rooms.\n")));
    QVERIFY(!text.contains(QLatin1Char('<')));
    QCOMPARE(w->Memo1->textCursor().position(), 0);
    QCOMPARE(w->windowTitle(), SourceCaption(table->CorpusFiles[0]));

    QApplication::clipboard()->setText(QStringLiteral("before"));
    w->Copy1Click();  // nothing selected: the clipboard keeps its text
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("before"));
    QTextCursor c = w->Memo1->textCursor();
    c.setPosition(4);
    c.setPosition(50, QTextCursor::KeepAnchor);
    w->Memo1->setTextCursor(c);
    w->Copy2->trigger();  // the pop-up entry runs the same command
    QCOMPARE(QApplication::clipboard()->text(), text.mid(4, 46));
  }
};

QTEST_MAIN(SourceWindowsTest)
#include "source_windows_test.moc"
