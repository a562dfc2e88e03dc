#include "gui/runner/form_search_ind.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "gui/base/gui_thread.h"
#include "gui/base/text_codec.h"

namespace lexvane::gui {

void CentreOnScreen(QWidget* window) {
  QScreen* screen = window->screen();
  if (screen == nullptr) return;
  QRect frame = window->frameGeometry();
  frame.moveCenter(screen->availableGeometry().center());
  window->move(frame.topLeft());
}

TFormSearchInd::TFormSearchInd(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
  setObjectName(QStringLiteral("FormSearchInd"));
  setWindowTitle(QStringLiteral("Searching for word(s)"));
  setModal(false);

  auto* grid = new QGridLayout;
  auto addRow = [&](int row, const QString& caption, QLabel*& value, const char* name) {
    auto* label = new QLabel(caption, this);
    label->setObjectName(QStringLiteral("Label%1").arg(row + 1));
    value = new QLabel(this);
    value->setObjectName(QLatin1String(name));
    value->setMinimumWidth(180);
    grid->addWidget(label, row, 0);
    grid->addWidget(value, row, 1);
    return label;
  };
  addRow(0, QStringLiteral("Processing file:"), LabelFile, "LabelFile");
  addRow(1, QStringLiteral("Words:"), LabelWords, "LabelWords");
  addRow(2, QStringLiteral("Sentences:"), LabelSentences, "LabelSentences");
  Label4 = addRow(3, QString(), LabelFoundWords, "LabelFoundWords");

  ButtonCancel = new QPushButton(QStringLiteral("Cancel"), this);
  ButtonCancel->setObjectName(QStringLiteral("ButtonCancel"));
  ButtonCancel->setAutoDefault(false);
  connect(ButtonCancel, &QPushButton::clicked, this, &TFormSearchInd::ButtonCancelClick);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ButtonCancel);
  buttons->addStretch();
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addLayout(buttons);
  setFixedSize(sizeHint().expandedTo(QSize(300, 0)));
}

void TFormSearchInd::showEvent(QShowEvent* event) {
  LabelFile->clear();
  LabelWords->clear();
  LabelSentences->clear();
  LabelFoundWords->clear();
  CentreOnScreen(this);
  QDialog::showEvent(event);
}

void TFormSearchInd::closeEvent(QCloseEvent* event) {
  // The close box hides the window; the scan goes on.
  event->accept();
  hide();
}

void TFormSearchInd::Start(std::string_view foundLabel) {
  cancelled_.store(false);
  {
    std::lock_guard lock(mutex_);
    countsPending_ = false;
  }
  QString label = FromAnsi(foundLabel);
  RunOnThreadOf(this, [this, label] {
    Label4->setText(label);
    hide();  // a show below empties the value lines even when still visible
    show();
    repaint();
  });
}

void TFormSearchInd::SetFile(std::string_view fileName) {
  QString name = FromPath(std::string(fileName));
  RunOnThreadOf(this, [this, name] {
    LabelFile->setText(name);
    LabelFile->repaint();
  });
}

void TFormSearchInd::SetCounts(std::int64_t words, std::int64_t sentences, std::int64_t found) {
  bool queue = false;
  {
    std::lock_guard lock(mutex_);
    words_ = words;
    sentences_ = sentences;
    found_ = found;
    queue = !countsPending_;
    countsPending_ = true;
  }
  if (OnThreadOf(this)) {
    showCounts();
    // The single-threaded protocol: pending events run at each update point.
    QCoreApplication::processEvents();
  } else if (queue) {
    QMetaObject::invokeMethod(this, Hand([this] { showCounts(); }), Qt::QueuedConnection);
  }
}

void TFormSearchInd::showCounts() {
  std::int64_t words, sentences, found;
  {
    std::lock_guard lock(mutex_);
    words = words_;
    sentences = sentences_;
    found = found_;
    countsPending_ = false;
  }
  LabelWords->setText(QString::number(words));
  LabelSentences->setText(QString::number(sentences));
  LabelFoundWords->setText(QString::number(found));
  repaint();
}

void TFormSearchInd::Finish() {
  RunOnThreadOf(this, [this] { hide(); });
}

}  // namespace lexvane::gui
