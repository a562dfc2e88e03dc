// Stand-in child windows for the frame's tests: each records the handlers the
// frame called on it, as "Class::Handler".
#pragma once

#include <QStringList>

#include "gui/concordance/form_concordance.h"
#include "gui/concordance/form_source.h"
#include "gui/concordance/form_source_stripped.h"
#include "gui/frequency/form_colloc_freq.h"
#include "gui/frequency/form_word_freq.h"

namespace lexvane::gui::testing {

inline QStringList& calls() {
  static QStringList list;
  return list;
}

#define LEXVANE_RECORD(Class, Handler)                    \
  void Handler() override {                               \
    calls().append(QStringLiteral(#Class "::" #Handler)); \
  }

class StandInConcordance : public TFormConcordance {
 public:
  StandInConcordance() { setWindowTitle(QStringLiteral("Concordance: walk*")); }
  LEXVANE_RECORD(TFormConcordance, MenuCopyClick)
  LEXVANE_RECORD(TFormConcordance, MenuClearClick)
  LEXVANE_RECORD(TFormConcordance, MenuSortClick)
  LEXVANE_RECORD(TFormConcordance, MenuStatisticsClick)
  LEXVANE_RECORD(TFormConcordance, MenuDeleteDuplicateClick)
  LEXVANE_RECORD(TFormConcordance, MenuDisplaySourceClick)
  LEXVANE_RECORD(TFormConcordance, MenuDisplaystrippedsourceClick)
  LEXVANE_RECORD(TFormConcordance, MenuFrequenciesClick)
};

class StandInSource : public TFormSource {
 public:
  StandInSource() { setWindowTitle(QStringLiteral("Source")); }
  LEXVANE_RECORD(TFormSource, Copy1Click)
};

class StandInSourceStripped : public TFormSourceStripped {
 public:
  StandInSourceStripped() { setWindowTitle(QStringLiteral("Stripped source")); }
  LEXVANE_RECORD(TFormSourceStripped, Copy1Click)
};

class StandInWordFreq : public TFormWordFreq {
 public:
  StandInWordFreq() { setWindowTitle(QStringLiteral("Word frequencies")); }
  LEXVANE_RECORD(TFormWordFreq, MenuCopyClick)
  LEXVANE_RECORD(TFormWordFreq, MenuClearClick)
  LEXVANE_RECORD(TFormWordFreq, MenuSortClick)
  LEXVANE_RECORD(TFormWordFreq, MenuStatisticsClick)
};

class StandInCollocFreq : public TFormCollocFreq {
 public:
  StandInCollocFreq() { setWindowTitle(QStringLiteral("Collocates")); }
  LEXVANE_RECORD(TFormCollocFreq, MenuCopyClick)
  LEXVANE_RECORD(TFormCollocFreq, MenuClearClick)
  LEXVANE_RECORD(TFormCollocFreq, MenuSortClick)
};

#undef LEXVANE_RECORD

// A child window of none of the routed kinds.
class OtherWindow : public ChildWindow {
 public:
  OtherWindow() { setWindowTitle(QStringLiteral("Other")); }
};

}  // namespace lexvane::gui::testing
