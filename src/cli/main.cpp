#include <unistd.h>

#include <iostream>

#include "cli/commands.h"
#include "text/terminal_text.h"

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  lexvane::cli::Streams streams{std::cout, std::cerr, isatty(STDERR_FILENO) != 0,
                                lexvane::text::LocaleCodeset()};
  // Resolved once: every command of the run sorts and compares with it.
  const lexvane::text::Collator collator = lexvane::text::Collator::FromEnvironment();
  return lexvane::cli::Run(argc, argv, streams, collator);
}
