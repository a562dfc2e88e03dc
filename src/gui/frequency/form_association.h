// TFormAssociation: the dialog of the collocate window's "Association
// measures..." command ("Association measures"): which measures become
// columns, how large the node's window counts (R1), the minimum O11 and C1
// a row must reach, and the measure to sort by. Created once at start-up and
// reused, so the last choices stay. GUI thread only.
#pragma once

#include <array>

#include <QDialog>

#include "frequency/colloc_association.h"
#include "stats/association.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace lexvane::gui {

class HelpDesk;

class TFormAssociation : public QDialog {
  Q_OBJECT

 public:
  // `help` shows the dialog's help topic; it outlives the dialog.
  explicit TFormAssociation(HelpDesk& help, QWidget* parent = nullptr);

 public:  // queries
  // The options the controls show.
  frequency::AssociationOptions Options() const;
  void SetOptions(const frequency::AssociationOptions& options);

 public:  // controls, for tests
  QGroupBox* GroupMeasures = nullptr;
  // One per measure, in stats::kAllMeasures' order.
  std::array<QCheckBox*, stats::kMeasureCount> CheckBoxMeasures{};
  QRadioButton* RadioWindowAdjusted = nullptr;
  QRadioButton* RadioOncePerHit = nullptr;
  QSpinBox* SpinMinO11 = nullptr;
  QSpinBox* SpinMinC1 = nullptr;
  QComboBox* ComboSortBy = nullptr;
  QPushButton* ButtonOK = nullptr;
  QPushButton* ButtonCancel = nullptr;
  QPushButton* ButtonHelp = nullptr;
};

}  // namespace lexvane::gui
