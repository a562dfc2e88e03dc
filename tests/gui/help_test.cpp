// Help: a topic for every context number and for the contents, links that all
// lead somewhere, F1 finding the nearest context, the dialogs' Help buttons,
// and the help window's history.
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QTextBrowser>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <QtTest>

#include "gui/app/form_about.h"
#include "gui/base/child_window.h"
#include "gui/corpus/form_file_list.h"
#include "gui/help/help.h"
#include "gui/help/help_desk.h"
#include "gui/runner/gui_user_interface.h"
#include "tools/root_collator.h"

using namespace lexvane;
using namespace lexvane::gui;

class HelpTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void initTestCase() {
    InitGuiResources();
    desk_.InstallKey();
  }
  void cleanup() { desk_.SetObserver({}); }

  void everyContextHasATopicWithWorkingLinks() {
    QList<int> contexts = HelpContexts();
    // Every compiled-in topic has its context number, and no number lacks one.
    QList<int> topics;
    for (const QString& name : QDir(QStringLiteral(":/help")).entryList({"context_*.html"}))
      topics << name.mid(8, name.size() - 13).toInt();
    std::sort(topics.begin(), topics.end());
    QCOMPARE(contexts, topics);
    QVERIFY(contexts.size() >= 22);
    contexts.append(0);
    const QRegularExpression link(QStringLiteral("href=\"([^\"#]+)"));
    for (int context : contexts) {
      const QString path = HelpTopicUrl(context).toString().mid(3);  // "qrc:/help/..."
      QFile file(path);
      QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(path));
      const QString html = QString::fromUtf8(file.readAll());
      QVERIFY2(html.contains("<title>") && html.contains("<h1>"), qPrintable(path));
      QVERIFY2(html.size() > 400, qPrintable(path + " is too short to explain anything"));
      for (auto m = link.globalMatch(html); m.hasNext();) {
        const QString target = QStringLiteral(":/help/") + m.next().captured(1);
        QVERIFY2(QFile::exists(target), qPrintable(path + " links to " + target));
      }
    }
    QCOMPARE(HelpTopicUrl(0), QUrl("qrc:/help/h_Contents.html"));
    QCOMPARE(HelpTopicUrl(2), QUrl("qrc:/help/h_Contents.html"));  // no topic of its own
  }

  void f1OpensTheContextOfTheNearestParent() {
    QWidget window;
    SetHelpContext(&window, 5);
    auto* inner = new QWidget(&window);
    auto* edit = new QLineEdit(inner);
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(inner);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.activateWindow();
    edit->setFocus();
    QList<int> opened;
    desk_.SetObserver([&](int c) { opened << c; });
    QTest::keyClick(edit, Qt::Key_F1);
    SetHelpContext(inner, 12);
    QTest::keyClick(edit, Qt::Key_F1);
    QCOMPARE(opened, QList<int>({5, 12}));
    QCOMPARE(HelpContextOf(edit), 12);
    QCOMPARE(HelpContextOf(nullptr), 0);
  }

  void f1InAWindowWithoutAContextOpensNoOtherWindowsContext() {
    // An indicator and the stripped source window have no context: F1 in
    // them is not the context of the window that owns them.
    QWidget frame;
    SetHelpContext(&frame, 1);
    auto* indicator = new QDialog(&frame);
    auto* button = new QLineEdit(indicator);
    QCOMPARE(HelpContextOf(button), 0);
    auto* holder = new QWidget(&frame);
    auto* child = new ChildWindow(holder);
    auto* edit = new QLineEdit(child);
    QCOMPARE(HelpContextOf(edit), 0);
    SetHelpContext(child, 8);
    QCOMPARE(HelpContextOf(edit), 8);
    QCOMPARE(HelpContextOf(new QLineEdit(holder)), 1);
  }

  void aboutBoxHelpOpensContext15() {
    TFormAbout about(desk_);
    QCOMPARE(about.windowTitle(), QStringLiteral("About"));
    QCOMPARE(HelpContextOf(&about), 15);
    int opened = -1;
    desk_.SetObserver([&](int c) { opened = c; });
    about.HelpBtn->click();
    QCOMPARE(opened, 15);
    bool hasProduct = false;
    for (QLabel* label : about.findChildren<QLabel*>())
      hasProduct |= label->text() == QStringLiteral("Lexvane");
    QVERIFY(hasProduct);
  }

  void helpStaysUsableWhileADialogIsUp() {
    // The Help button of a modal dialog opens the help window, which must
    // take input while the dialog waits for its answer: it is never blocked.
    QWidget frame;
    frame.show();
    corpus::CorpusSettings corpus;
    HelpDesk helpDesk;
    GuiUserInterface ui(helpDesk);
    TFormFileList editor(corpus, RootCollator(), ui, &frame);
    class BlockWatch : public QObject {
     public:
      int blocked = 0;
      bool eventFilter(QObject* o, QEvent* e) override {
        blocked += e->type() == QEvent::WindowBlocked && qobject_cast<HelpWindow*>(o) != nullptr;
        return false;
      }
    } watch;
    // Checked in a timer while the dialog waits; every path closes what it
    // opened, so a failure cannot leave the dialog waiting.
    int blockedWhileUp = -1;
    Qt::WindowModality boxModality = Qt::NonModal;
    QUrl shownTopic;
    bool helpExposed = false;
    qApp->installEventFilter(&watch);
    QTimer::singleShot(0, &editor, [&] {
      editor.ButtonHelp->click();
      HelpWindow* help = nullptr;
      for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* h = qobject_cast<HelpWindow*>(w)) help = h;
      if (help != nullptr) {
        helpExposed = QTest::qWaitForWindowExposed(help);
        shownTopic = help->browser()->source();
      }
      // The message boxes the dialog raises leave it free too.
      QTimer::singleShot(0, &editor, [&] {
        if (QWidget* box = QApplication::activeModalWidget(); box != nullptr && box != &editor) {
          boxModality = box->windowModality();
          box->close();
        }
      });
      ui.ShowMessage(&editor,
                     {QStringLiteral("Warning"), QStringLiteral("x"), text::Buttons::OkCancelHelp,
                      text::Icon::Warning},
                     3);
      QCoreApplication::processEvents();
      if (help != nullptr) {
        blockedWhileUp = watch.blocked;
        help->close();
      }
      editor.reject();
    });
    editor.exec();
    qApp->removeEventFilter(&watch);
    QVERIFY(helpExposed);
    QCOMPARE(shownTopic, HelpTopicUrl(3));
    QCOMPARE(blockedWhileUp, 0);
    QCOMPARE(boxModality, Qt::WindowModal);
    // The dialog itself still keeps the rest of the program waiting.
    QCOMPARE(editor.windowModality(), Qt::WindowModal);
  }

  void helpWindowGoesBackAndForward() {
    HelpWindow window;
    window.showTopic(HelpTopicUrl(0));
    window.showTopic(HelpTopicUrl(3));
    QCOMPARE(window.browser()->documentTitle(), QStringLiteral("The file-list editor"));
    window.browser()->backward();
    QCOMPARE(window.browser()->source(), HelpTopicUrl(0));
    window.browser()->forward();
    QCOMPARE(window.browser()->source(), HelpTopicUrl(3));
  }

 private:
  HelpDesk desk_;
};

QTEST_MAIN(HelpTest)
#include "help_test.moc"
