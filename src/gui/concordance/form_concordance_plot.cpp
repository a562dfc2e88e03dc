#include "gui/concordance/form_concordance_plot.h"

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QCheckBox>
#include <QClipboard>
#include <QFile>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QScreen>
#include <QScrollArea>
#include <QTableView>
#include <QToolTip>
#include <QVBoxLayout>

#include "concordance/plot_export.h"
#include "gui/base/child_window_frame.h"
#include "gui/base/named_control.h"
#include "gui/base/text_codec.h"
#include "gui/common/export_command.h"
#include "gui/common/window_host.h"
#include "gui/concordance/concordance_model.h"
#include "gui/concordance/form_concordance.h"
#include "gui/concordance/form_source.h"
#include "gui/concordance/plot_view.h"
#include "gui/help/help.h"
#include "gui/runner/gui_user_interface.h"

namespace lexvane::gui {

namespace {

constexpr int kHelpContext = 110;
const QString kCaptionPrefix = QStringLiteral("Concordance: ");
const QStringList kFigureCaptions = {QStringLiteral("Range:"), QStringLiteral("Juilland's D:"),
                                     QStringLiteral("DP:"), QStringLiteral("DPnorm:"),
                                     QStringLiteral("Hits:")};

QString plotCaption(const QString& concordanceCaption) {
  return concordanceCaption.startsWith(kCaptionPrefix)
             ? QStringLiteral("Concordance plot: ") + concordanceCaption.mid(kCaptionPrefix.size())
             : QStringLiteral("Concordance plot: ") + concordanceCaption;
}

std::optional<QString> askWithDialog(QWidget* parent, const QString& caption, const QString& filter,
                                     const QString& suffix) {
  QFileDialog dialog(parent, caption);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);  // asks before overwriting
  dialog.setNameFilter(filter);
  dialog.setDefaultSuffix(suffix);
  dialog.selectFile(QStringLiteral("concordance_plot.") + suffix);
  SetModalBesideHelp(&dialog);
  SetHelpContext(&dialog, kHelpContext);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().front();
}

}  // namespace

TFormConcordancePlot::TFormConcordancePlot(TFormConcordance& concordance, QWidget* parent)
    : ChildWindow(parent),
      concordance_(&concordance),
      plot_(std::make_shared<concordance::ConcordancePlot>()) {
  Named(this, "FormConcordancePlot", QStringLiteral("Concordance plot"));
  SetHelpContext(this, kHelpContext);
  setWindowTitle(plotCaption(concordance.windowTitle()));
  resize(720, 420);
  askSavePath_ = [this](const QString& caption, const QString& filter, const QString& suffix) {
    return askWithDialog(this, caption, filter, suffix);
  };
  buildControls();
  buildMenus();
  ConcordanceModel* model = concordance.Model();
  connect(model, &QAbstractItemModel::modelReset, this, &TFormConcordancePlot::Refresh);
  connect(concordance.Grid()->selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this](const QModelIndex& current) {
            view_->SetSelectedRow(current.isValid() ? current.row() : -1);
          });
  Refresh();
}

TFormConcordancePlot::~TFormConcordancePlot() {
  // The menus are not children of the window while merged into the frame.
  delete editMenu_;
  delete popupMenu_;
}

void TFormConcordancePlot::buildControls() {
  auto* figures = new QGridLayout;
  figures->setContentsMargins(10, 6, 10, 4);
  figures->setHorizontalSpacing(8);
  for (int i = 0; i < kFigureCaptions.size(); ++i) {
    const QString& caption = kFigureCaptions[i];
    auto* label = new QLabel(caption, this);
    auto* value = new QLabel(this);
    value->setObjectName(QStringLiteral("Figure%1").arg(i));
    value->setAccessibleName(QString(caption).remove(QLatin1Char(':')));
    value->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->setBuddy(value);
    // Two pairs to a line.
    figures->addWidget(label, i / 2, (i % 2) * 2);
    figures->addWidget(value, i / 2, (i % 2) * 2 + 1);
    figures_.insert(caption, value);
  }
  scaleBox_ =
      Named(new QCheckBox(QStringLiteral("&Bars to file size"), this), "CheckBoxScaleToSize");
  figures->addWidget(scaleBox_, 2, 2, 1, 2);
  figures->setColumnStretch(1, 1);
  figures->setColumnStretch(3, 1);
  connect(scaleBox_, &QCheckBox::toggled, this, &TFormConcordancePlot::setScaleToSize);

  note_ = Named(new QLabel(this), "LabelPartial", QStringLiteral("Note"));
  note_->setWordWrap(true);
  note_->setContentsMargins(10, 0, 10, 0);
  note_->hide();

  view_ = new PlotView(this);
  view_->setContextMenuPolicy(Qt::CustomContextMenu);
  scroll_ = Named(new QScrollArea(this), "ScrollBoxPlot", QStringLiteral("Plot"));
  scroll_->setWidget(view_);
  scroll_->setWidgetResizable(true);
  scroll_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  scroll_->setBackgroundRole(QPalette::Base);
  connect(view_, &PlotView::rowHovered, this, &TFormConcordancePlot::showHover);
  connect(view_, &PlotView::rowClicked, this, &TFormConcordancePlot::selectRow);
  connect(view_, &PlotView::rowActivated, this, &TFormConcordancePlot::openSource);
  connect(view_, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { popupMenu_->popup(view_->mapToGlobal(at)); });

  hover_ = Named(new QLabel(this), "LabelHover", QStringLiteral("Hit under the mouse"));
  hover_->setContentsMargins(10, 3, 10, 3);
  hover_->setTextFormat(Qt::PlainText);
  hover_->setMinimumWidth(1);  // long sentences must not widen the window

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addLayout(figures);
  layout->addWidget(note_);
  layout->addWidget(scroll_, 1);
  layout->addWidget(hover_);
}

void TFormConcordancePlot::buildMenus() {
  editMenu_ = new QMenu(QStringLiteral("&Edit"));
  editMenu_->setObjectName(QStringLiteral("MenuEdit"));
  editMenu_->menuAction()->setProperty(kMenuGroupProperty, 1);
  SetHelpContext(editMenu_, kHelpContext);
  popupMenu_ = new QMenu;
  popupMenu_->setObjectName(QStringLiteral("PopupMenu1"));
  struct Entry {
    const char* name;
    const char* popupName;
    QString caption;
    QKeySequence shortcut;
    void (TFormConcordancePlot::*handler)();
  };
  const Entry entries[] = {
      {"MenuCopyImage", "MenuPopupCopyImage", QStringLiteral("Copy as &image"),
       QKeySequence(Qt::CTRL | Qt::Key_Insert), &TFormConcordancePlot::MenuCopyImageClick},
      {"MenuCopyFigures",
       "MenuPopupCopyFigures",
       QStringLiteral("Copy &figures"),
       {},
       &TFormConcordancePlot::MenuCopyFiguresClick},
      {"N1", "N2", {}, {}, nullptr},
      {"MenuSavePng",
       "MenuPopupSavePng",
       QStringLiteral("Save as &PNG..."),
       {},
       &TFormConcordancePlot::MenuSavePngClick},
      {"MenuSaveSvg",
       "MenuPopupSaveSvg",
       QStringLiteral("Save as S&VG..."),
       {},
       &TFormConcordancePlot::MenuSaveSvgClick},
      {"MenuExport",
       "MenuPopupExport",
       QStringLiteral("E&xport..."),
       {},
       &TFormConcordancePlot::MenuExportClick},
      {"N3", "N4", {}, {}, nullptr},
      {"MenuScaleToSize",
       "MenuPopupScaleToSize",
       QStringLiteral("&Bars to file size"),
       {},
       &TFormConcordancePlot::MenuScaleToSizeClick},
  };
  for (const Entry& e : entries) {
    if (e.handler == nullptr) {
      editMenu_->addSeparator()->setObjectName(QLatin1String(e.name));
      popupMenu_->addSeparator()->setObjectName(QLatin1String(e.popupName));
      continue;
    }
    for (auto [menu, name] : {std::pair{editMenu_, e.name}, std::pair{popupMenu_, e.popupName}}) {
      QAction* action = menu->addAction(e.caption);
      action->setObjectName(QLatin1String(name));
      SetHelpContext(action, kHelpContext);
      connect(action, &QAction::triggered, this, e.handler);
      actions_.insert(QLatin1String(name), action);
      if (e.shortcut.isEmpty()) continue;
      action->setShortcut(e.shortcut);
      if (menu == editMenu_) {
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        addAction(action);
      } else {
        action->setShortcutContext(Qt::WidgetShortcut);
      }
    }
  }
  for (const char* name : {"MenuScaleToSize", "MenuPopupScaleToSize"})
    actions_.value(QLatin1String(name))->setCheckable(true);
}

QList<QMenu*> TFormConcordancePlot::MergedMenus() const {
  return {editMenu_};
}

void TFormConcordancePlot::Refresh() {
  if (concordance_ == nullptr) return;
  const auto& table = concordance_->Table();
  // While an operation changes the table on the worker thread the model lets
  // go of it: the plot keeps showing what it had and reads nothing.
  tableReadable_ = table != nullptr && concordance_->Model()->hasTable();
  if (!tableReadable_) {
    showHover(-1, {});
    return;
  }
  plot_ = std::make_shared<concordance::ConcordancePlot>(*table);
  view_->SetPlot(plot_);
  view_->SetSelectedRow(concordance_->CurrentRow());
  showFigures();
}

void TFormConcordancePlot::showFigures() {
  const concordance::DispersionFigures& f = plot_->Dispersion();
  auto measure = [](const std::optional<double>& v) {
    return QString::fromStdString(concordance::FormatMeasure(v));
  };
  figures_.value(QStringLiteral("Range:"))
      ->setText(QStringLiteral("%1 of %2 files (%3)")
                    .arg(f.Range)
                    .arg(f.Files)
                    .arg(measure(f.RangeShare)));
  figures_.value(QStringLiteral("Juilland's D:"))->setText(measure(f.JuillandD));
  figures_.value(QStringLiteral("DP:"))->setText(measure(f.DP));
  figures_.value(QStringLiteral("DPnorm:"))->setText(measure(f.DPnorm));
  figures_.value(QStringLiteral("Hits:"))
      ->setText(QStringLiteral("%1 in %2 words").arg(f.Hits).arg(f.Words));
  note_->setText(QString::fromUtf8(concordance::kPartialNote));
  note_->setVisible(plot_->Partial());
}

QString TFormConcordancePlot::rowText(std::int32_t row, bool rich) const {
  if (!tableReadable_ || concordance_ == nullptr) return {};
  const auto& table = concordance_->Table();
  if (table == nullptr || row < 0 || row >= table->RowCount()) return {};
  const TextCodec codec = CodecFor(table->TextEncoding);
  const QString left = codec.Decode(table->LeftContexts().View(row));
  const QString keyword = codec.Decode(table->Keywords().View(row));
  const QString right = codec.Decode(table->RightContexts().View(row));
  const QString file = FromPath(std::string(table->FileNames().View(row)));
  if (!rich)
    return QStringLiteral("%1. %2 (%3): %4 |%2| %5").arg(row + 1).arg(keyword, file, left, right);
  return QStringLiteral("<p><b>%1. %2</b> (%3)</p><p>%4 <b>%2</b> %5</p>")
      .arg(row + 1)
      .arg(keyword.toHtmlEscaped(), file.toHtmlEscaped(), left.toHtmlEscaped(),
           right.toHtmlEscaped());
}

void TFormConcordancePlot::showHover(std::int32_t row, const QPoint& globalPos) {
  const QString text = rowText(row, false);
  hover_->setText(text);
  if (text.isEmpty()) {
    QToolTip::hideText();
    return;
  }
  QToolTip::showText(globalPos, rowText(row, true), view_);
}

void TFormConcordancePlot::selectRow(std::int32_t row) {
  if (!tableReadable_ || concordance_ == nullptr) return;
  concordance_->SelectRow(row);
  view_->SetSelectedRow(concordance_->CurrentRow());
  if (const auto at = view_->TickPoint(row))
    scroll_->ensureVisible(static_cast<int>(at->x()), static_cast<int>(at->y()), 0,
                           static_cast<int>(view_->Painter().Geometry().RowPitch));
}

void TFormConcordancePlot::openSource(std::int32_t row) {
  if (!tableReadable_ || concordance_ == nullptr || concordance_->Table() == nullptr) return;
  if (row < 0 || row >= concordance_->Table()->RowCount()) return;
  selectRow(row);
  // The DOS option as the corpus has it now, as the concordance window's
  // own command reads it.
  TFormSource::Display(*concordance_->Table(), row, concordance_->workspace().Corpus(), this);
}

void TFormConcordancePlot::setScaleToSize(bool bySize) {
  view_->SetScale(bySize ? concordance::BarScale::FileSize : concordance::BarScale::Equal);
  for (const char* name : {"MenuScaleToSize", "MenuPopupScaleToSize"})
    actions_.value(QLatin1String(name))->setChecked(bySize);
  if (scaleBox_->isChecked() != bySize) scaleBox_->setChecked(bySize);
}

void TFormConcordancePlot::MenuScaleToSizeClick() {
  setScaleToSize(view_->Scale() != concordance::BarScale::FileSize);
}

QImage TFormConcordancePlot::Picture(qreal devicePixelRatio) const {
  PlotStyle style;
  style.Scale = view_->Scale();
  style.Width = std::max(view_->width(), 640);
  style.Title = windowTitle();
  return PlotPainter(*plot_, view_->font(), style).Image(devicePixelRatio);
}

QByteArray TFormConcordancePlot::SvgDocument() const {
  PlotStyle style;
  style.Scale = view_->Scale();
  style.Width = std::max(view_->width(), 640);
  style.Title = windowTitle();
  return PlotPainter(*plot_, view_->font(), style).Svg(windowTitle());
}

namespace {

bool writeAll(const QString& path, const QByteArray& bytes, WindowHost& workspace) {
  QFile file(path);
  if (file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size() &&
      file.flush())
    return true;
  workspace.Ui().ShowError(ToPath(QStringLiteral("Unable to write to ") + path));
  return false;
}

}  // namespace

bool TFormConcordancePlot::SavePng(const QString& path) {
  if (concordance_ == nullptr) return false;
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  // Sharp where the window is: at least twice the pixels of the picture.
  Picture(std::max<qreal>(2, devicePixelRatioF())).save(&buffer, "PNG");
  return writeAll(path, bytes, concordance_->workspace());
}

bool TFormConcordancePlot::SaveSvg(const QString& path) {
  if (concordance_ == nullptr) return false;
  return writeAll(path, SvgDocument(), concordance_->workspace());
}

void TFormConcordancePlot::MenuSavePngClick() {
  if (const auto path = askSavePath_(QStringLiteral("Save plot as PNG"),
                                     QStringLiteral("PNG image (*.png)"), QStringLiteral("png")))
    SavePng(*path);
}

void TFormConcordancePlot::MenuSaveSvgClick() {
  if (const auto path = askSavePath_(QStringLiteral("Save plot as SVG"),
                                     QStringLiteral("SVG image (*.svg)"), QStringLiteral("svg")))
    SaveSvg(*path);
}

void TFormConcordancePlot::MenuExportClick() {
  if (concordance_ == nullptr) return;
  // A plot never changes once made: the export may read it on the worker
  // thread while a new one takes its place here.
  RunTableExport(
      concordance_->workspace(), this, QStringLiteral("dispersion"),
      [plot = std::shared_ptr<const concordance::ConcordancePlot>(plot_)] {
        return std::make_unique<table_export::FunctionTable>(concordance::PlotFilesTable(plot));
      });
}

void TFormConcordancePlot::MenuCopyImageClick() {
  QImage picture = Picture(devicePixelRatioF());
  QApplication::clipboard()->setImage(picture);
}

void TFormConcordancePlot::MenuCopyFiguresClick() {
  QApplication::clipboard()->setText(QString::fromUtf8(concordance::PlotFiguresText(*plot_, true)));
}

// ---- The concordance window's command ----

void TFormConcordance::MenuPlotClick() {
  if (workspace_ == nullptr || table_ == nullptr) return;
  if (plot_ == nullptr) {
    auto* plot = new TFormConcordancePlot(*this);
    plot_ = plot;
    // The plot closes with its concordance window.
    connect(this, &QObject::destroyed, plot, [plot] {
      if (auto* sub = qobject_cast<QMdiSubWindow*>(plot->parentWidget()))
        sub->close();
      else
        plot->close();
    });
    if (auto* frame = FrameOf(this)) {
      frame->AddChildWindow(plot);
    } else {
      plot->setAttribute(Qt::WA_DeleteOnClose);
      plot->show();
    }
    return;
  }
  if (auto* sub = qobject_cast<QMdiSubWindow*>(plot_->parentWidget())) {
    if (sub->isMinimized()) sub->showNormal();
    if (sub->mdiArea() != nullptr) sub->mdiArea()->setActiveSubWindow(sub);
  } else {
    plot_->show();
    plot_->raise();
    plot_->activateWindow();
  }
}

}  // namespace lexvane::gui
