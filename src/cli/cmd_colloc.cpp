// lexvane-cli colloc: the collocate frequency table of a concordance, built
// as the concordance window's "Frequency of collocates" command builds it and
// written as the table's copy writes it to a file.
#include <memory>
#include <optional>
#include <sstream>

#include "cli/commands.h"
#include "cli/concord_options.h"
#include "cli/export_options.h"
#include "cli/frequency_output.h"
#include "frequency/colloc_association.h"
#include "frequency/colloc_command.h"
#include "frequency/frequency_copy.h"
#include "frequency/frequency_export.h"
#include "frequency/word_counts.h"

namespace lexvane::cli {

namespace {

struct CollocCommand {
  CorpusOptions corpus;
  ConcordOptions concord;
  std::vector<std::string> masks;
  std::string left = "1,2,3", right = "1,2,3";
  std::string collocSort;  // "" : the build's order
  // Association measures (any of them given shows the association columns).
  std::string measures;  // "mi,ll,..."
  bool oncePerHit = false;
  std::int64_t minO11 = 0, minC1 = 0;
  bool AssociationAsked() const {
    return !measures.empty() || oncePerHit || minO11 > 0 || minC1 > 0 ||
           collocSort.starts_with("measure:");
  }
  bool zeroAsSpace = true;
  std::string delimiter = "|";
  std::string outputFile;
  ExportChoice exportChoice;
};

// "1,2,3" -> flags; "" selects none.
frequency::PositionFlags positionsOf(const std::string& list, const char* option) {
  frequency::PositionFlags flags{};
  std::stringstream items(list);
  std::string item;
  while (std::getline(items, item, ',')) {
    if (item.size() != 1 || item[0] < '1' || item[0] > '9')
      throw CLI::ValidationError(option, "positions are 1 to 9, separated by commas: " + list);
    flags[item[0] - '1'] = true;
  }
  return flags;
}

stats::Measure measureNamed(const std::string& name, const char* option) {
  if (auto m = stats::MeasureNamed(name)) return *m;
  throw CLI::ValidationError(option, "measures are mi, mi3, t, z, ll, logdice and dice: " + name);
}

// --measures and the association options.
frequency::AssociationOptions associationOf(const CollocCommand& command) {
  frequency::AssociationOptions options;
  std::stringstream items(command.measures);
  std::string item;
  while (std::getline(items, item, ','))
    if (!item.empty()) options.Measures.push_back(measureNamed(item, "--measures"));
  options.OncePerHit = command.oncePerHit;
  options.MinO11 = command.minO11;
  options.MinC1 = command.minC1;
  if (command.collocSort.starts_with("measure:"))
    options.SortBy = measureNamed(command.collocSort.substr(8), "--colloc-sort");
  return options;
}

// --colloc-sort -> the grid column to sort by.
int sortColumnOf(const std::string& sort) {
  if (sort == "collocate") return frequency::kCollocateColumn;
  if (sort == "node") return frequency::kNodeColumn;
  if (sort == "total") return frequency::kTotalColumn;
  std::size_t colon = sort.find(':');
  if (colon != std::string::npos && sort.size() == colon + 2 && sort[colon + 1] >= '1' &&
      sort[colon + 1] <= '9') {
    int p = sort[colon + 1] - '0';
    std::string side = sort.substr(0, colon);
    if (side == "left") return frequency::LeftColumn(p);
    if (side == "right") return frequency::RightColumn(p);
  }
  throw CLI::ValidationError("--colloc-sort",
                             "collocate, node, total, left:P or right:P (P 1 to 9): " + sort);
}

int runColloc(const CollocCommand& command, Streams& streams, const text::Collator& collator) {
  CheckExportTarget(command.exportChoice, command.outputFile);
  const frequency::PositionFlags left = positionsOf(command.left, "--left");
  const frequency::PositionFlags right = positionsOf(command.right, "--right");
  const bool association = command.AssociationAsked();
  const frequency::AssociationOptions associationOptions =
      association ? associationOf(command) : frequency::AssociationOptions{};
  const int sortColumn = command.collocSort.empty() || associationOptions.SortBy
                             ? 0
                             : sortColumnOf(command.collocSort);
  // An empty mask would close the query dialog without a mask: no table.
  for (const std::string& mask : command.masks)
    if (mask.empty()) throw CLI::ValidationError("--collocate-mask", "a mask must not be empty");
  Console console(streams.err, streams.errIsTerminal);
  text::LatestScanSets latest;
  const auto concordance =
      BuildConcordTable(command.corpus, command.concord, console, latest, collator);
  // Without --export the -o file is made (or emptied) before the count,
  // as the copy's file is.
  std::optional<FrequencyOutput> output;
  if (!command.exportChoice.Chosen()) output.emplace(command.outputFile, streams);
  text::OperationHost host = console.Host();
  // The table is sorted first (left part, word 1 unless --sort, --word or
  // --retrograde say otherwise); a table without rows yields no collocates.
  if (!concordance->TableSorted)
    concordance::SortConcordance(*concordance, SortOptionsOf(command.concord), latest.Sets(),
                                 collator, host.progress);
  // After a reported error (a corpus file that could not be opened) what
  // was built is written and the status is 1.
  auto finish = [&](const frequency::CollocTable* table) {
    int written = kExitOk;
    if (output) {
      output->Close();
    } else {
      // No collocates: the export holds the heading row alone.
      frequency::CollocTable none(left, right);
      none.SetTextEncoding(concordance->TextEncoding);
      written = WriteExport(frequency::CollocateExportTable(table ? *table : none),
                            command.exportChoice, command.outputFile, streams, console);
    }
    return console.ui.Errors() > 0 || written != kExitOk ? kExitError : kExitOk;
  };
  if (concordance->RowCount() == 0) return finish(nullptr);
  frequency::CollocQuery query;
  query.TextEncoding = concordance->TextEncoding;
  frequency::CollocCommandSteps steps;
  steps.sortConcordance = [] {};
  steps.showQueryDialog = [&](frequency::CollocQuery& dialog) {
    dialog.ButtonClearAllClick();
    for (const std::string& mask :
         command.masks.empty() ? std::vector<std::string>{"*"} : command.masks) {
      dialog.Edit1 = mask;
      dialog.ButtonOKClick();
    }
    for (int p = 1; p <= frequency::kPositions; ++p) {
      dialog.SetLeftChecked(p, left[p - 1]);
      dialog.SetRightChecked(p, right[p - 1]);
    }
    return dialog.ButtonOKClick() == frequency::CollocQuery::Outcome::Ok;
  };
  frequency::CollocCommandResult result =
      frequency::MenuFrequenciesClick(*concordance, "", query, steps, collator, host);
  if (!result.table) return finish(nullptr);
  if (association) {
    // C1: the corpus's word list, counted with the collocates' capitals.
    frequency::WordCountsCache cache;
    const auto counts = cache.Obtain(result.table->SourceCorpus(), collator, host);
    if (counts != nullptr)
      result.table->ApplyAssociation(associationOptions, *counts, host.progress);
  }
  if (sortColumn != 0) result.table->Sort(sortColumn, host.progress);
  if (output) {
    frequency::CopyOptions options;
    options.ToFile = true;
    options.ZeroToSpace = command.zeroAsSpace;
    options.Delimiter = command.delimiter;
    frequency::CopyCollocates(*result.table, 0, result.table->Count() - 1, options,
                              frequency::CopyDestination::File, *output, host);
  }
  return finish(result.table.get());
}

}  // namespace

void AddCollocCommand(CLI::App& app, Streams& streams, const text::Collator& collator,
                      int& status) {
  CLI::App* sub = app.add_subcommand(
      "colloc",
      "The collocate frequency table of a concordance: per node (keyword) and collocate, the "
      "counts at the selected positions left and right of the node and the total, one line "
      "each: collocate|left counts from the farthest|node|right counts|total, CR LF line ends.");
  sub->footer(
      "The concordance is built from the query options and sorted before the collocates are "
      "counted (by default by the keyword, then the left part from word 1). Collocates are "
      "the words of the contexts that match a --collocate-mask (lower-case; default *). A file "
      "that cannot be opened is reported, the others are used, and the exit status is 1. "
      "With --measures (or --once-per-hit, --min-o11, --min-c1, --colloc-sort measure:M) each "
      "line goes on with R1, C1, O11, E11 and the measures, four decimals each; C1 is the "
      "collocate's frequency in the corpus with capitals kept, N the words the concordance "
      "scanned.");
  auto command = std::make_shared<CollocCommand>();
  command->corpus.AddTo(*sub);
  AddQueryOptions(*sub, command->concord);
  AddSortOptions(*sub, command->concord);
  sub->add_option("--collocate-mask", command->masks,
                  "a mask of the collocates to count (repeatable; default *)")
      ->allow_extra_args(false);
  sub->add_option("--left", command->left, "left positions to count, e.g. 1,2,3 (default)");
  sub->add_option("--right", command->right, "right positions to count, e.g. 1,2,3 (default)");
  sub->add_option("--colloc-sort", command->collocSort,
                  "sort the table by collocate, node, left:P, right:P, total or measure:M "
                  "(descending, M one of --measures)");
  sub->add_option("--measures", command->measures,
                  "association measures as extra fields after the total, comma-separated: mi, "
                  "mi3, t, z, ll, logdice, dice (R1, C1, O11 and E11 come first)");
  sub->add_flag("--once-per-hit", command->oncePerHit,
                "R1 is the node's rows and O11 the rows with the collocate (default: R1 is the "
                "rows times the positions and O11 the total)");
  sub->add_option("--min-o11", command->minO11, "leave out rows whose O11 is below N")
      ->check(CLI::NonNegativeNumber);
  sub->add_option("--min-c1", command->minC1,
                  "leave out rows whose collocate occurs fewer than N times in the corpus")
      ->check(CLI::NonNegativeNumber);
  sub->add_flag("--zero-as-space,!--no-zero-as-space", command->zeroAsSpace,
                "write a count of 0 as a space (default) or as 0");
  sub->add_option("--delimiter", command->delimiter,
                  "the field delimiter (its first character; default |, empty: none)");
  sub->add_option("-o,--output", command->outputFile, "write to FILE instead of standard output");
  AddExportOptions(*sub, command->exportChoice, {"--zero-as-space", "--delimiter"});
  sub->callback(
      [command, &streams, &collator, &status] { status = runColloc(*command, streams, collator); });
}

}  // namespace lexvane::cli
