// The root-locale collator the tests sort and compare with: the order that
// every expected list of the tests was written in, whatever the locale of
// the machine running them. Built once, immutable, shared by every thread.
#pragma once

#include "text/collation.h"

inline const lexvane::text::Collator& RootCollator() {
  static const lexvane::text::Collator collator("root");
  return collator;
}
