// Placeholder until the ICU collation lands: byte order.
#include "text/collation.h"

namespace lexvane::text {

int compareText(std::string_view a, std::string_view b) { return a.compare(b); }
int compareTextIgnoreCase(std::string_view a, std::string_view b) { return a.compare(b); }
std::string collationKey(std::string_view s) { return std::string(s); }
void setCollationLocale(const std::string&) {}

}  // namespace lexvane::text
