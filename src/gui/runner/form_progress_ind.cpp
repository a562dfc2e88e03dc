#include "gui/runner/form_progress_ind.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/base/gui_thread.h"
#include "gui/base/text_codec.h"
#include "gui/runner/form_search_ind.h"

namespace lexvane::gui {

TFormProgressInd::TFormProgressInd(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
  setObjectName(QStringLiteral("FormProgressInd"));
  setModal(false);
  Gauge = new QProgressBar(this);
  Gauge->setObjectName(QStringLiteral("Gauge"));
  Gauge->setRange(0, 100);
  Gauge->setValue(0);
  Gauge->setMinimumWidth(260);
  ButtonCancel = new QPushButton(QStringLiteral("Cancel"), this);
  ButtonCancel->setObjectName(QStringLiteral("ButtonCancel"));
  ButtonCancel->setAutoDefault(false);
  connect(ButtonCancel, &QPushButton::clicked, this, &TFormProgressInd::ButtonCancelClick);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ButtonCancel);
  buttons->addStretch();
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Gauge);
  layout->addLayout(buttons);
  setFixedSize(sizeHint());
}

void TFormProgressInd::showEvent(QShowEvent* event) {
  CentreOnScreen(this);
  QDialog::showEvent(event);
}

void TFormProgressInd::closeEvent(QCloseEvent* event) {
  // No close box; a close from the system only hides the window.
  event->accept();
  hide();
}

void TFormProgressInd::Start(std::string_view title) {
  cancelled_.store(false);
  percent_.store(0);
  QString caption = FromAnsi(title);
  RunOnThreadOf(this, [this, caption] {
    Gauge->setValue(0);
    setWindowTitle(caption);
    show();
    repaint();
  });
}

void TFormProgressInd::SetGauge(int percent) {
  percent_.store(percent);
  if (OnThreadOf(this)) {
    Gauge->setValue(percent);
    // The single-threaded protocol: pending events run at each update point.
    QCoreApplication::processEvents();
  } else if (!gaugePending_.exchange(true)) {
    QMetaObject::invokeMethod(this, Hand([this] {
                                gaugePending_.store(false);
                                Gauge->setValue(percent_.load());
                              }),
                              Qt::QueuedConnection);
  }
}

void TFormProgressInd::Finish() {
  RunOnThreadOf(this, [this] { hide(); });
}

}  // namespace lexvane::gui
