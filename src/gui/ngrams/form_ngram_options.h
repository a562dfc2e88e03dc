// TFormNGramOptions: the options dialog of an n-gram list ("N-gram List":
// the lengths, the filters and whether n-grams run across sentence ends) or
// of a cluster list ("Clusters": the lengths, the filters and the side of
// the keyword). One of each kind is created at start-up and reused, so the
// last settings stay. GUI thread only.
#pragma once

#include <QDialog>

#include "ngrams/cluster_build.h"
#include "ngrams/ngram_options.h"

class QCheckBox;
class QGroupBox;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace lexvane::gui {

class HelpDesk;

class TFormNGramOptions : public QDialog {
  Q_OBJECT

 public:
  enum class Kind { NGrams, Clusters };
  // `help` shows the dialog's help topic; it outlives the dialog.
  TFormNGramOptions(HelpDesk& help, Kind kind, QWidget* parent = nullptr);

 public:  // queries
  Kind ListKind() const { return kind_; }
  // The options as set (sorted by frequency).
  ngrams::NGramOptions Options() const;
  // Clusters: the side of the keyword.
  ngrams::ClusterSide Side() const;

 public:  // commands
  void SetOptions(const ngrams::NGramOptions& options);
  void SetSide(ngrams::ClusterSide side);

 public:  // controls, for tests
  QSpinBox* SpinMinLength = nullptr;
  QSpinBox* SpinMaxLength = nullptr;
  QSpinBox* SpinMinFrequency = nullptr;
  QSpinBox* SpinMinRange = nullptr;
  QCheckBox* CheckBoxCrossSentences = nullptr;  // n-grams only
  QGroupBox* RadioGroupSide = nullptr;          // clusters only
  QRadioButton* RadioLeft = nullptr;
  QRadioButton* RadioRight = nullptr;
  QPushButton* ButtonOK = nullptr;
  QPushButton* ButtonCancel = nullptr;
  QPushButton* ButtonHelp = nullptr;

 private:
  Kind kind_;
};

}  // namespace lexvane::gui
