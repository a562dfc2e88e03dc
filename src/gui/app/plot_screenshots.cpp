#include "gui/app/plot_screenshots.h"

#include <algorithm>

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTimer>

#include "gui/app/form_main.h"
#include "gui/app/screenshots.h"
#include "gui/concordance/form_concordance.h"
#include "gui/concordance/form_concordance_plot.h"

namespace lexvane::gui {

void TakePlotScreenshot(TFormMain& mainWindow, TFormConcordance* concordance, const QString& folder,
                        std::function<void()> then) {
  concordance->SelectRow(concordance->Table()->RowCount() / 3);
  concordance->MenuPlotClick();
  auto* sub = mainWindow.mdiArea()->currentSubWindow();
  if (sub == nullptr || qobject_cast<TFormConcordancePlot*>(sub->widget()) == nullptr) {
    then();
    return;
  }
  sub->showNormal();
  // As high as the plot needs, no higher.
  const QSize area = mainWindow.mdiArea()->size();
  sub->resize(static_cast<int>(area.width() * 0.92),
              std::min(static_cast<int>(area.height() * 0.92), sub->sizeHint().height() + 24));
  sub->move(12, 12);
  QTimer::singleShot(1200, &mainWindow, [&mainWindow, sub, folder, then] {
    SaveScreen(mainWindow, nullptr, folder + QStringLiteral("/concordance_plot.png"));
    sub->close();
    then();
  });
}

}  // namespace lexvane::gui
