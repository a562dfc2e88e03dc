// Placeholder until the word frequency list lands.
#include "cli/commands.h"

namespace lexvane::cli {

int RunWordfreqStats(const CorpusOptions&, Streams& streams) {
  streams.err << "lexvane-cli: stats --of wordfreq is not built yet\n";
  return kExitError;
}

}  // namespace lexvane::cli
