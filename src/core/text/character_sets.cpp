// Placeholder until the scanner lands.
#include "text/character_sets.h"

namespace lexvane::text {

const std::string kDefaultWordSeparators = " _,;:/-+=^\"<>()[]{}*@&%$#\\|~`'0123456789.?!";

}  // namespace lexvane::text
