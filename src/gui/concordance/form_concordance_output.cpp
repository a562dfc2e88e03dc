// The concordance window's output commands: copy, export, statistics and
// the two source displays. Each reads the table only.
#include "concordance/concordance_export.h"
#include "concordance/concordance_statistics.h"
#include "gui/common/export_command.h"
#include "gui/common/form_stat.h"
#include "gui/common/window_host.h"
#include "gui/concordance/concordance_copy_command.h"
#include "gui/concordance/form_concordance.h"
#include "gui/concordance/form_source.h"
#include "gui/concordance/form_source_stripped.h"

namespace lexvane::gui {

void TFormConcordance::MenuCopyClick() {
  CopyConcordance(workspace(), Table(), SelectedRows(), this);
}

void TFormConcordance::MenuExportClick() {
  if (!Table()) return;
  RunTableExport(workspace(), this, QStringLiteral("concordance"), [table = Table()] {
    return std::make_unique<table_export::FunctionTable>(
        concordance::ConcordanceExportTable(*table));
  });
}

void TFormConcordance::MenuStatisticsClick() {
  if (!Table()) return;
  workspace().FormStat()->ShowStatistics(concordance::ConcordanceStatistics(*Table()));
}

void TFormConcordance::MenuDisplaySourceClick() {
  if (!Table() || Table()->RowCount() == 0) return;
  // The DOS option as the corpus has it now, not as the table was built.
  TFormSource::Display(*Table(), SelectedRows().first, workspace().Corpus(), this);
}

void TFormConcordance::MenuDisplaystrippedsourceClick() {
  if (!Table() || Table()->RowCount() == 0) return;
  TFormSourceStripped::Display(*Table(), SelectedRows().first, workspace().Corpus(), this);
}

}  // namespace lexvane::gui
