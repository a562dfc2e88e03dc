// LatestScanSets: the character sets of the most recent concordance or word
// frequency build. The concordance sort and copy cut words with these, not
// with the sets of the table they work on, so they follow the separators of
// the latest build, as long as that build read text of the same encoding as
// the table: SetsFor is the one rule that chooses (the sort, the copy and
// the desktop program's sort tint all go through it). The application owns
// one: the desktop program's Workspace, each command of the command line
// its own.
//
// The owner records a build's sets (corpus::ScannerSets of the build's
// settings) on its own thread when the build starts, once the build's input
// was accepted (a concordance's "Max. list size"). A sort or copy that runs
// on a worker thread takes a copy of Sets() when it starts. Not thread-safe.
#pragma once

#include "text/character_sets.h"

namespace lexvane::text {

class LatestScanSets {
 public:  // queries
  // Before any build: the start-up sets (default separators, ".?!").
  const CharacterSets& Sets() const { return sets_; }
  // The sets a sort or copy of a table of text in `encoding` uses: the
  // latest build's when that build read text of the table's kind (8-bit or
  // UTF-8), else `own`, the sets of the table's own build. One encoding's
  // separators never cut the other's text.
  const CharacterSets& SetsFor(Encoding encoding, const CharacterSets& own) const {
    return SetsFor(sets_, encoding, own);
  }
  // The same for a table whose own sets are of its encoding.
  const CharacterSets& SetsFor(const CharacterSets& own) const {
    return SetsFor(sets_, own.encoding, own);
  }
  // The same rule for `latest`, the sets of the most recent build as a
  // sort or copy running on a worker thread received them.
  static const CharacterSets& SetsFor(const CharacterSets& latest, Encoding encoding,
                                      const CharacterSets& own) {
    return IsUtf8(latest.encoding) == IsUtf8(encoding) ? latest : own;
  }

 public:  // commands
  void Record(const CharacterSets& sets) { sets_ = sets; }

 private:
  CharacterSets sets_ = CharacterSets::Initial();
};

}  // namespace lexvane::text
