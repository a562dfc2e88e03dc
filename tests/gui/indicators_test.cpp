// The long-operation protocol through the two indicator windows and the
// operation runner: the counts of each update point reach the window, Cancel
// is seen at the next step, a pass of fewer than 100 items never lets events
// run, a question from the worker is asked on the GUI thread while it waits,
// and the result is handed over on the GUI thread at the end.
#include <vector>

#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QThread>
#include <QtTest>

#include "gui/base/thread_handover.h"
#include "gui/help/help_desk.h"
#include "gui/runner/form_progress_ind.h"
#include "gui/runner/form_search_ind.h"
#include "gui/runner/gui_user_interface.h"
#include "gui/runner/operation_runner.h"

using namespace lexvane;
using namespace lexvane::gui;

namespace {

// A table pass of n items by the protocol: the gauge and an event run at
// every 100th item, then the flag, then the item. Returns the items done.
int tablePass(text::ProgressIndicator& progress, int n, const std::function<void(int)>& item) {
  progress.Start("Sorting");
  int done = 0;
  for (int i = 1; i <= n; ++i) {
    if (i % 100 == 0) progress.SetGauge(i * 100 / n);
    if (progress.Cancelled()) break;
    item(i);
    ++done;
  }
  progress.Finish();
  return done;
}

}  // namespace

class IndicatorsTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void searchIndicatorCaptionsAndWindowKind() {
    TFormSearchInd w;
    QCOMPARE(w.windowTitle(), QStringLiteral("Searching for word(s)"));
    QCOMPARE(w.findChild<QLabel*>("Label1")->text(), QStringLiteral("Processing file:"));
    QCOMPARE(w.findChild<QLabel*>("Label2")->text(), QStringLiteral("Words:"));
    QCOMPARE(w.findChild<QLabel*>("Label3")->text(), QStringLiteral("Sentences:"));
    QCOMPARE(w.ButtonCancel->text(), QStringLiteral("Cancel"));
    QVERIFY(!w.isModal());
    QVERIFY(w.windowFlags() & Qt::WindowCloseButtonHint);
    w.Start("Words found:");
    QCOMPARE(w.Label4->text(), QStringLiteral("Words found:"));
    QVERIFY(w.isVisible());
    QVERIFY(w.LabelWords->text().isEmpty());
    QTest::keyClick(&w, Qt::Key_Escape);
    QVERIFY(w.Cancelled());
    QVERIFY(w.isVisible());  // Esc only sets the flag
    w.close();               // the close box only hides
    QVERIFY(!w.isVisible());
    QVERIFY(w.Cancelled());
    w.Start("Types:");
    QVERIFY(!w.Cancelled());  // cleared for the next scan
    QCOMPARE(w.Label4->text(), QStringLiteral("Types:"));
  }

  void progressIndicatorStartsAtZeroWithItsTitle() {
    TFormProgressInd w;
    QVERIFY(w.windowTitle().isEmpty());  // no caption of its own
    QVERIFY(!w.isModal());
    QCOMPARE(w.ButtonCancel->text(), QStringLiteral("Cancel"));
    w.Start("Sorting");
    QCOMPARE(w.windowTitle(), QStringLiteral("Sorting"));
    QCOMPARE(w.Gauge->value(), 0);
    QVERIFY(!(w.windowFlags() & Qt::WindowCloseButtonHint));
    w.ButtonCancel->click();
    QVERIFY(w.Cancelled());
    w.Start("Copying...");
    QVERIFY(!w.Cancelled());
    w.Finish();
    QVERIFY(!w.isVisible());
  }

  void passOfFewerThan100ItemsNeverLetsEventsRun() {
    TFormProgressInd w;
    bool eventRan = false;
    QMetaObject::invokeMethod(
        &w, [&] { eventRan = true; }, Qt::QueuedConnection);
    int gaugeMoves = 0;
    connect(w.Gauge, &QProgressBar::valueChanged, this, [&] { ++gaugeMoves; });
    QCOMPARE(tablePass(w, 99, [](int) {}), 99);
    QVERIFY(!eventRan);
    QCOMPARE(gaugeMoves, 0);
    QCOMPARE(tablePass(w, 250, [](int) {}), 250);
    QVERIFY(eventRan);               // at item 100
    QCOMPARE(w.Gauge->value(), 80);  // 200 * 100 / 250: never 100 unless n is a multiple
  }

  void cancelOnTheGuiThreadIsSeenBeforeTheNextItem() {
    TFormProgressInd w;
    // A click waiting in the queue runs at the first update point (item 100)
    // and stops the pass before item 100 is processed.
    QMetaObject::invokeMethod(w.ButtonCancel, "click", Qt::QueuedConnection);
    QCOMPARE(tablePass(w, 1000, [](int) {}), 99);
  }

  void workerScanShowsCountsAndStopsAtTheNextWordAfterCancel() {
    TFormSearchInd search;
    TFormProgressInd progress;
    HelpDesk helpDesk;
    GuiUserInterface ui(helpDesk);
    OperationRunner runner(ui, search, progress);
    std::atomic<std::int64_t> wordsRead{0};
    std::atomic<std::int64_t> cancelSeenAt{-1};
    std::atomic<bool> reachedCancelPoint{false};
    bool doneOnGuiThread = false;
    QVERIFY(runner.start(
        [&](text::OperationHost& host) {
          host.search.Start("Words found:");
          host.search.SetFile("a.txt");
          for (std::int64_t w = 1; w <= 1'000'000; ++w) {
            if (host.search.Cancelled()) {
              cancelSeenAt = w;
              break;
            }
            wordsRead = w;
            if (w % 1000 == 0) host.search.SetCounts(w, w / 10, w / 100);
            if (w == 5000) {
              reachedCancelPoint = true;
              while (!host.search.Cancelled()) QThread::msleep(1);
            }
          }
        },
        [&](bool completed) {
          QVERIFY(completed);
          doneOnGuiThread = QThread::currentThread() == qApp->thread();
        }));
    QVERIFY(runner.busy());
    QVERIFY(!runner.start([](text::OperationHost&) {}));  // one operation at a time
    QTRY_VERIFY(reachedCancelPoint.load());
    QTRY_COMPARE(search.LabelWords->text(), QStringLiteral("5000"));
    QCOMPARE(search.LabelSentences->text(), QStringLiteral("500"));
    QCOMPARE(search.LabelFoundWords->text(), QStringLiteral("50"));
    QCOMPARE(search.LabelFile->text(), QStringLiteral("a.txt"));
    search.ButtonCancel->click();
    runner.waitForIdle();
    QCOMPARE(cancelSeenAt.load(), 5001);
    QCOMPARE(wordsRead.load(), 5000);
    QVERIFY(doneOnGuiThread);
    QVERIFY(!search.isVisible());
  }

  void questionFromTheWorkerIsAskedOnTheGuiThread() {
    TFormSearchInd search;
    TFormProgressInd progress;
    HelpDesk helpDesk;
    GuiUserInterface ui(helpDesk);
    OperationRunner runner(ui, search, progress);
    QThread* askedOn = nullptr;
    QString askedText;
    ui.setAnswerer([&](const Question& q) {
      askedOn = QThread::currentThread();
      askedText = q.text;
      return text::Answer::Cancel;
    });
    text::Answer got = text::Answer::Ok;
    runner.start([&](text::OperationHost& host) {
      got = host.ui.Ask("Error", "/corpus/missing.txt: No such file or directory",
                        text::Buttons::OkCancel, text::Icon::Error);
    });
    runner.waitForIdle();
    QCOMPARE(askedOn, qApp->thread());
    QCOMPARE(askedText, QStringLiteral("/corpus/missing.txt: No such file or directory"));
    QCOMPARE(got, text::Answer::Cancel);
  }

  void anErrorAbandonsTheOperationWithAMessage() {
    TFormSearchInd search;
    TFormProgressInd progress;
    HelpDesk helpDesk;
    GuiUserInterface ui(helpDesk);
    OperationRunner runner(ui, search, progress);
    QStringList shown;
    ui.setAnswerer([&](const Question& q) {
      shown << q.caption + ": " + q.text;
      return text::Answer::Ok;
    });
    bool completed = true;
    runner.start([](text::OperationHost&) { throw std::runtime_error("Cannot read x.txt"); },
                 [&](bool c) { completed = c; });
    runner.waitForIdle();
    QVERIFY(!completed);
    QCOMPARE(shown, QStringList{"Error: Cannot read x.txt"});
    // Not even an error of no known type ends the program.
    runner.start([](text::OperationHost&) { throw 42; }, [&](bool c) { completed = c; });
    runner.waitForIdle();
    QCOMPARE(shown.size(), 2);
  }

  void closingTheOwnerWindowStopsTheWorkAndDropsItsCompletion() {
    TFormSearchInd search;
    TFormProgressInd progress;
    HelpDesk helpDesk;
    GuiUserInterface ui(helpDesk);
    OperationRunner runner(ui, search, progress);
    auto owner = std::make_unique<QObject>();
    std::atomic<bool> started{false};
    std::atomic<bool> sawCancel{false};
    bool doneCalled = false;
    QVERIFY(runner.start(
        [&](text::OperationHost& host) {
          host.search.Start("Words found:");
          started = true;
          while (!host.search.Cancelled()) QThread::msleep(1);
          sawCancel = true;
        },
        [&](bool) { doneCalled = true; }, owner.get()));
    QTRY_VERIFY(started.load());
    owner.reset();  // the window closes while its table is built
    runner.waitForIdle();
    QVERIFY(sawCancel.load());
    QVERIFY(!doneCalled);  // nothing is handed to a window that is gone
    QVERIFY(!search.isVisible());
    // The next operation runs and completes as usual.
    QObject second;
    QVERIFY(runner.start([](text::OperationHost&) {}, [&](bool) { doneCalled = true; }, &second));
    runner.waitForIdle();
    QVERIFY(doneCalled);
  }

  void anAbortWhileTheQuestionTravelsStillCounts() {
    TFormSearchInd search;
    TFormProgressInd progress;
    HelpDesk helpDesk;
    GuiUserInterface ui(helpDesk);
    OperationRunner runner(ui, search, progress);
    QStringList asked;
    ui.setAnswerer([&](const Question& q) {
      asked << q.text;
      return text::Answer::Ok;
    });
    text::Answer answer = text::Answer::Ok;
    runner.start([&](text::OperationHost& host) {
      // The program starts to close after the question left the worker but
      // before the GUI thread shows it.
      QMetaObject::invokeMethod(&runner, Hand([&] { runner.abort(); }), Qt::QueuedConnection);
      answer =
          host.ui.Ask("Error", "/corpus/x.txt: gone", text::Buttons::OkCancel, text::Icon::Error);
    });
    runner.waitForIdle();
    QVERIFY(asked.isEmpty());
    QCOMPARE(answer, text::Answer::Cancel);
  }

  void aCompletionMayStartTheNextOperationButNotWhileStopping() {
    TFormSearchInd search;
    TFormProgressInd progress;
    HelpDesk helpDesk;
    GuiUserInterface ui(helpDesk);
    OperationRunner runner(ui, search, progress);
    QList<bool> busySignals;
    connect(&runner, &OperationRunner::busyChanged, this, [&](bool b) { busySignals << b; });
    bool secondDone = false;
    auto second = [&](bool) { secondDone = true; };
    QVERIFY(
        runner.start([](text::OperationHost&) {},
                     [&](bool) { QVERIFY(runner.start([](text::OperationHost&) {}, second)); }));
    runner.waitForIdle();  // waits for the chained one too
    QVERIFY(secondDone);
    QVERIFY(!runner.busy());
    QCOMPARE(busySignals, QList<bool>({true, true, false}));

    // Closing: the running operation stops and its completion cannot chain.
    std::atomic<bool> started{false};
    bool refused = false;
    QVERIFY(runner.start(
        [&](text::OperationHost& host) {
          started = true;
          while (!host.progress.Cancelled()) QThread::msleep(1);
        },
        [&](bool) { refused = !runner.start([](text::OperationHost&) {}); }));
    QTRY_VERIFY(started.load());
    runner.stop();
    QVERIFY(refused);
    QVERIFY(!runner.busy());
    QVERIFY(runner.start([](text::OperationHost&) {}));  // and afterwards as usual
    runner.waitForIdle();
  }

  void anAbortedOperationAsksNothingMore() {
    TFormSearchInd search;
    TFormProgressInd progress;
    HelpDesk helpDesk;
    GuiUserInterface ui(helpDesk);
    OperationRunner runner(ui, search, progress);
    QStringList asked;
    ui.setAnswerer([&](const Question& q) {
      asked << q.text;
      return text::Answer::Ok;
    });
    std::atomic<bool> started{false};
    std::vector<text::Answer> answers;
    runner.start([&](text::OperationHost& host) {
      started = true;
      while (!host.search.Cancelled()) QThread::msleep(1);
      // A file that cannot be opened, met after the program began to close.
      answers.push_back(
          host.ui.Ask("Error", "/corpus/x.txt: gone", text::Buttons::Ok, text::Icon::Error));
      answers.push_back(
          host.ui.Ask("Warning", "Go on?", text::Buttons::OkCancelHelp, text::Icon::Warning));
      answers.push_back(host.ui.Ask("", "Sort first?", text::Buttons::YesNo, text::Icon::Question));
    });
    QTRY_VERIFY(started.load());
    runner.abort();
    runner.waitForIdle();
    QVERIFY(asked.isEmpty());
    QCOMPARE(answers,
             (std::vector<text::Answer>{text::Answer::Ok, text::Answer::Cancel, text::Answer::No}));
  }

  void stoppingTheRunnerCancelsTheWork() {
    TFormSearchInd search;
    TFormProgressInd progress;
    HelpDesk helpDesk;
    GuiUserInterface ui(helpDesk);
    auto runner = std::make_unique<OperationRunner>(ui, search, progress);
    std::atomic<bool> started{false};
    runner->start([&](text::OperationHost& host) {
      started = true;
      while (!host.progress.Cancelled()) QThread::msleep(1);
    });
    QTRY_VERIFY(started.load());
    runner.reset();  // must not hang
  }
};

QTEST_MAIN(IndicatorsTest)
#include "indicators_test.moc"
