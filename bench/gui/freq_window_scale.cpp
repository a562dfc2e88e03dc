// The word frequency window at scale, offscreen: a corpus of N distinct words
// (default 2 000 000) counted into a window, then shown, scrolled, sorted by
// frequency and copied to a file. Prints the time from the end of the build
// to the painted window, the window's memory beyond the list, and the longest
// pause of the GUI thread's event loop during the sort and the copy.
//   freq_window_scale [TYPES]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>

#include "frequency/word_frequency_list.h"
#include "gui/app/workspace.h"
#include "gui/base/text_codec.h"
#include "gui/common/form_copy_freq.h"
#include "gui/common/frequency_copy_command.h"
#include "gui/frequency/form_sort_word_freq.h"
#include "gui/frequency/form_word_freq.h"
#include "gui/frequency/word_freq_factory.h"
#include "gui/frequency/word_freq_model.h"
#include "gui/runner/operation_runner.h"

using namespace lexvane;
using namespace lexvane::gui;

namespace {

double residentMB() {
  std::ifstream statm("/proc/self/statm");
  long pages = 0, resident = 0;
  statm >> pages >> resident;
  return static_cast<double>(resident) * 4096.0 / (1024.0 * 1024.0);
}

// The longest gap between two ticks of a 5 ms timer on the GUI thread.
class PauseMeter : public QObject {
 public:
  void begin() {
    longest_ = 0;
    clock_.start();
    timer_.start(5);
  }
  qint64 end() {
    timer_.stop();
    return longest_;
  }
  PauseMeter() {
    connect(&timer_, &QTimer::timeout, this,
            [this] { longest_ = std::max(longest_, clock_.restart()); });
  }

 private:
  QTimer timer_;
  QElapsedTimer clock_;
  qint64 longest_ = 0;
};

void acceptWhenShown(QDialog* dialog, std::function<void()> then) {
  auto* timer = new QTimer(dialog);
  timer->setInterval(0);
  QObject::connect(timer, &QTimer::timeout, dialog, [dialog, timer, then] {
    if (!dialog->isVisible()) return;
    timer->deleteLater();
    then();
  });
  timer->start();
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const long types = argc > 1 ? std::atol(argv[1]) : 2000000;
  QTemporaryDir dir;
  const std::string path = ToPath(dir.filePath(QStringLiteral("vocabulary.txt")));
  {
    std::string text;
    text.reserve(static_cast<std::size_t>(types) * 10);
    for (long i = 0; i < types; ++i) {
      // Distinct letter strings; every tenth word twice, so frequencies differ.
      std::string word;
      for (unsigned long v = static_cast<unsigned long>(i) * 2654435761ul % 4000000007ul + 1; v;
           v /= 26)
        word += static_cast<char>('a' + v % 26);
      text += word;
      text += i % 10 == 0 ? " " + word + ". " : " ";
    }
    std::ofstream(path, std::ios::binary) << text;
  }

  // Resolved once, as the desktop program does.
  Workspace workspace(text::Collator::FromEnvironment());
  QWidget mainWindow;
  workspace.CreateDialogs(&mainWindow);
  workspace.Corpus().Files.Add(path, workspace.Collator());
  workspace.Corpus().TotalBytes =
      static_cast<std::int64_t>(QFileInfo(dir.filePath("vocabulary.txt")).size());

  QElapsedTimer clock;
  clock.start();
  double rssList = 0;
  qint64 buildEnd = 0;
  auto* window = static_cast<TFormWordFreq*>(CreateWordFreqWindow(workspace, nullptr));
  QObject::connect(window->Model(), &QAbstractItemModel::modelAboutToBeReset, [&] {
    if (buildEnd == 0 && window->List() != nullptr) {
      buildEnd = clock.elapsed();
      rssList = residentMB();
    }
  });
  window->resize(800, 600);
  workspace.Runner().waitForIdle();
  window->show();
  window->grab();
  const qint64 shown = clock.elapsed();
  std::printf("types %d, build %lld ms, build end to painted window %lld ms\n",
              window->List()->Count(), static_cast<long long>(buildEnd),
              static_cast<long long>(shown - buildEnd));

  clock.restart();
  window->DrawGrid1->scrollToBottom();
  window->grab();
  std::printf("scroll to the end: %lld ms\n", static_cast<long long>(clock.elapsed()));
  clock.restart();
  window->DrawGrid1->selectAll();
  window->grab();
  std::printf("select all: %lld ms\n", static_cast<long long>(clock.elapsed()));
  clock.restart();
  window->Model()->SetList(window->List().get());
  window->grab();
  std::printf("grid reset over the whole list: %lld ms\n", static_cast<long long>(clock.elapsed()));
  const double rssWindow = residentMB();
  std::printf(
      "resident: list %.1f MB, with the window shown %.1f MB (window beyond list %.1f MB)\n",
      rssList, rssWindow, rssWindow - rssList);

  PauseMeter pauses;
  acceptWhenShown(workspace.FormSortWordFreq(), [&] {
    workspace.FormSortWordFreq()->SetItemIndex(1);
    workspace.FormSortWordFreq()->Button1->click();
  });
  pauses.begin();
  clock.restart();
  window->MenuSortClick();
  workspace.Runner().waitForIdle();
  window->grab();
  const qint64 byFrequency = clock.elapsed();
  std::printf("sort by frequency: %lld ms, longest GUI pause %lld ms, resident %.1f MB\n",
              static_cast<long long>(byFrequency), static_cast<long long>(pauses.end()),
              residentMB());
  // The baseline of the same run: the same words sorted by their bytes.
  {
    std::vector<std::string> words;
    words.reserve(static_cast<std::size_t>(window->List()->Count()));
    for (std::int32_t i = 0; i < window->List()->Count(); ++i)
      words.push_back(window->List()->Info(i).Word);
    clock.restart();
    std::sort(words.begin(), words.end());
    const qint64 baseline = std::max<qint64>(clock.elapsed(), 1);
    std::printf("std::sort of the words by bytes: %lld ms; sort by frequency / baseline %.1f\n",
                static_cast<long long>(baseline),
                static_cast<double>(byFrequency) / static_cast<double>(baseline));
  }
  acceptWhenShown(workspace.FormSortWordFreq(), [&] {
    workspace.FormSortWordFreq()->SetItemIndex(0);
    workspace.FormSortWordFreq()->Button1->click();
  });
  clock.restart();
  window->MenuSortClick();
  workspace.Runner().waitForIdle();
  window->grab();
  std::printf("sort alphabetically again: %lld ms\n", static_cast<long long>(clock.elapsed()));

  const QString out = dir.filePath(QStringLiteral("copy.txt"));
  workspace.Choosers().SaveCopy = [&](QWidget*) { return out; };
  acceptWhenShown(workspace.FormCopyFreq(), [&] {
    workspace.FormCopyFreq()->CheckBoxToFile->setChecked(true);
    workspace.FormCopyFreq()->Button1->click();
  });
  pauses.begin();
  clock.restart();
  window->MenuCopyClick();
  workspace.Runner().waitForIdle();
  std::printf("copy to a file: %lld ms (%lld bytes), longest GUI pause %lld ms\n",
              static_cast<long long>(clock.elapsed()),
              static_cast<long long>(QFileInfo(out).size()), static_cast<long long>(pauses.end()));
  clock.restart();
  delete window;
  std::printf("closing the window: %lld ms\n", static_cast<long long>(clock.elapsed()));
  return 0;
}
