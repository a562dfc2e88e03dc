// The enabled rules of the main menu and the tool bar: which commands may run
// for the kind of the active window, the size of the corpus and its tagged
// option. Pure logic, so the whole table can be tested without windows; the
// main window applies it to its actions.
#pragma once

#include <cstddef>

namespace lexvane::gui {

// The kind of the active window. None covers "no child window" and "another
// window of the program (a modal dialog, an indicator, help) has the focus".
// NGrams and Keywords are the n-gram and keyword windows, which came after
// the first kinds.
enum class ActiveKind {
  None,
  Concordance,
  Source,
  SourceStripped,
  WordFreq,
  CollocFreq,
  NGrams,
  Keywords
};

struct CommandInputs {
  ActiveKind active = ActiveKind::None;
  std::size_t fileCount = 0;
  bool taggedText = false;
  // A long operation runs on the worker thread: nothing may start another
  // scan or a pass over a table while it does (the scanner and the two
  // indicators serve one operation at a time).
  bool busy = false;
};

// One flag per command whose enabled state is not "always".
struct CommandState {
  bool saveList = false;               // "&Save list", "Sav&e list as...", SpeedButtonFileSave
  bool search = false;                 // "Word search...", SpeedButtonSearch
  bool advancedSearch = false;         // "Advanced word search...", SpeedButtonAdvSearch
  bool frequencyList = false;          // "Build word frequency list", SpeedButtonFreqList
  bool collocates = false;             // SpeedButtonCFreq
  bool copy = false;                   // SpeedButtonCopy
  bool clear = false;                  // SpeedButtonClear
  bool sort = false;                   // SpeedButtonSort
  bool deleteDuplicates = false;       // SpeedButtonDelDup
  bool displaySource = false;          // SpeedButtonShowSrc
  bool displayStrippedSource = false;  // SpeedButtonShowScrStripped
  bool statistics = false;             // SpeedButtonStat
  // Later commands, after the first ones.
  bool ngramList = false;  // "N-gram list..."
  bool plot = false;       // SpeedButtonPlot

  bool operator==(const CommandState&) const = default;
};

// UpdateButtons and UpdateMenus in one: the state for the given inputs.
CommandState ComputeCommandState(const CommandInputs& in);

}  // namespace lexvane::gui
