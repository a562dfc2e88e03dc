// TFormStat: the statistics dialog ("Statistics") of concordance and word
// frequency windows: five rows of a caption and a right-aligned value, the
// note "Search was not completed." when the build was cancelled, and &Copy,
// which puts the rows on the clipboard as a tab-separated table.
//
// One instance for the whole run (WindowHost::FormStat); a window's
// MenuStatisticsClick hands it the figures the core computed
// (concordance::ConcordanceStatistics, frequency::WordFrequencyStatistics).
// GUI thread only.
#pragma once

#include <array>

#include <QDialog>

#include "concordance/concordance_statistics.h"

class QLabel;
class QPushButton;

namespace lexvane::gui {

class HelpDesk;

class TFormStat : public QDialog {
  Q_OBJECT

 public:
  // `help` shows the dialog's help topic; it outlives the dialog.
  explicit TFormStat(HelpDesk& help, QWidget* parent = nullptr);

 public:  // commands
  // Shows `statistics` and runs the dialog modally until it is closed.
  void ShowStatistics(const concordance::Statistics& statistics);
  // Shows `statistics` in the rows and the note without running the dialog.
  void Fill(const concordance::Statistics& statistics);

 public:  // queries
  // The text &Copy puts on the clipboard: each row as caption, tab, value and
  // a line end, then the note and a line end when it shows.
  QString CopyText() const;

 public:  // controls, for tests (Label1..Label5 and Label10..Label50)
  std::array<QLabel*, 5> CaptionLabels{};
  std::array<QLabel*, 5> ValueLabels{};
  QLabel* LabelNotComplete = nullptr;
  QPushButton* ButtonCopy = nullptr;
  QPushButton* ButtonOK = nullptr;
  QPushButton* ButtonHelp = nullptr;

 public Q_SLOTS:
  void ButtonCopyClick();
  void ButtonHelpClick();

 protected:
  void changeEvent(QEvent* event) override;

 private:
  HelpDesk& help_;
  void applyNoteColour();

  concordance::Statistics statistics_;
};

}  // namespace lexvane::gui
