// TFormConcordancePlot: the plot window of a concordance window
// ("Concordance plot: " and the masks): one bar per corpus file with a tick
// per hit (PlotView), and the dispersion figures of the hits. It belongs to
// its concordance window: that window's "Concordance plot..." command makes
// it (or shows the one it has), it closes with that window, it draws anew
// when the window's table changes (sort, clear, deletion of duplicates) and
// marks the window's current row. A click on a tick makes its row the
// concordance window's current row (whose sentence pane then shows it), a
// double click opens the row's source window, and the mouse resting on a
// tick shows the row's keyword and sentence.
//
// Its Edit menu and the plot's pop-up menu copy the picture as an image or
// the figures as text, save the picture as PNG or SVG, export the table of
// the files, and scale the bars to file size. Saved and copied pictures carry the caption and the
// figures. GUI thread only.
#pragma once

#include <functional>
#include <memory>
#include <optional>

#include <QHash>
#include <QPointer>

#include "concordance/concordance_plot.h"
#include "gui/base/child_window.h"

class QAction;
class QCheckBox;
class QLabel;
class QMenu;
class QScrollArea;

namespace lexvane::gui {

class PlotView;
class TFormConcordance;

class TFormConcordancePlot : public ChildWindow {
  Q_OBJECT

 public:
  // The plot of `concordance`'s table, following it from now on.
  explicit TFormConcordancePlot(TFormConcordance& concordance, QWidget* parent = nullptr);
  ~TFormConcordancePlot() override;

  // Asks where to save ("Save as PNG", "PNG image (*.png)", "png"); none
  // when cancelled. Tests answer instead of a file dialog.
  using AskSavePath = std::function<std::optional<QString>(
      const QString& caption, const QString& filter, const QString& suffix)>;

 public:  // queries
  QList<QMenu*> MergedMenus() const override;
  PlotView* View() const { return view_; }
  const concordance::ConcordancePlot& Plot() const { return *plot_; }
  // A menu item by its name ("MenuCopyImage", "MenuPopupSaveSvg", ...).
  QAction* Action(const QString& name) const { return actions_.value(name); }
  // The value label of a figure by its caption ("Range:", "Juilland's D:",
  // "DP:", "DPnorm:", "Hits:").
  QLabel* FigureLabel(const QString& caption) const { return figures_.value(caption); }
  // Shows the keyword and sentence of the hit under the mouse.
  QLabel* HoverLabel() const { return hover_; }
  // The picture a save or copy writes: the whole plot, caption and figures,
  // at `devicePixelRatio`.
  QImage Picture(qreal devicePixelRatio) const;
  QByteArray SvgDocument() const;

 public:  // commands
  // Write the picture; false (after a message) when the file cannot be
  // written.
  bool SavePng(const QString& path);
  bool SaveSvg(const QString& path);
  void SetAskSavePath(AskSavePath ask) { askSavePath_ = std::move(ask); }

 public Q_SLOTS:
  void MenuCopyImageClick();
  void MenuCopyFiguresClick();
  void MenuSavePngClick();
  void MenuSaveSvgClick();
  void MenuScaleToSizeClick();
  // The table of the files (words, hits, per 1000 words) as CSV, TSV or XLSX.
  void MenuExportClick() override;
  // The concordance window's table changed (or was detached while an
  // operation changes it): make the plot anew from it.
  void Refresh();

 private:
  void buildControls();
  void buildMenus();
  void showFigures();
  void showHover(std::int32_t row, const QPoint& globalPos);
  void selectRow(std::int32_t row);
  void openSource(std::int32_t row);
  void setScaleToSize(bool bySize);
  QString rowText(std::int32_t row, bool rich) const;

  QPointer<TFormConcordance> concordance_;
  std::shared_ptr<concordance::ConcordancePlot> plot_;
  // The concordance window's table may be read (no operation changes it).
  bool tableReadable_ = false;
  PlotView* view_ = nullptr;
  QScrollArea* scroll_ = nullptr;
  QCheckBox* scaleBox_ = nullptr;
  QLabel* note_ = nullptr;
  QLabel* hover_ = nullptr;
  QHash<QString, QLabel*> figures_;
  QMenu* editMenu_ = nullptr;
  QMenu* popupMenu_ = nullptr;
  QHash<QString, QAction*> actions_;
  AskSavePath askSavePath_;
};

}  // namespace lexvane::gui
