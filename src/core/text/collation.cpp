// The locale's string comparison over ICU collators. Both collators of a
// Collator are opened once and then used only through const calls
// (ucol_strcoll, ucol_getSortKey), which ICU allows from several threads at
// once on one collator.
#include "text/collation.h"

#include <unicode/ucol.h>

#include <cstdlib>
#include <cstring>

#include "text/encoding.h"
#include "text/error.h"

namespace lexvane::text {

namespace {

UCollator* openCollator(const std::string& locale, UColAttributeValue strength) {
  UErrorCode status = U_ZERO_ERROR;
  UCollator* collator = ucol_open(locale.c_str(), &status);
  if (U_FAILURE(status)) {
    status = U_ZERO_ERROR;
    collator = ucol_open("", &status);
  }
  if (U_FAILURE(status)) {
    throw Error(std::string("Cannot open the collation for the locale: ") + u_errorName(status));
  }
  ucol_setStrength(collator, strength);
  return collator;
}

// Corpus text decoded to UTF-16, 8-bit text on the stack for the usual
// short text.
class Utf16Buffer {
 public:
  Utf16Buffer(std::string_view s, Encoding encoding) {
    if (IsUtf8(encoding)) {
      heap_ = decodeToUtf16(s, encoding);
      data_ = heap_.data();
      size_ = static_cast<std::int32_t>(heap_.size());
      return;
    }
    if (s.size() > kLocalSize) {
      heap_ = ansiToUtf16(s);
      data_ = heap_.data();
    } else {
      ansiToUtf16(s, local_);
      data_ = local_;
    }
    size_ = static_cast<std::int32_t>(s.size());
  }
  const char16_t* data() const { return data_; }
  std::int32_t size() const { return size_; }

 private:
  static constexpr std::size_t kLocalSize = 320;
  char16_t local_[kLocalSize];
  std::u16string heap_;
  const char16_t* data_;
  std::int32_t size_;
};

int compareBytes(std::string_view a, std::string_view b) {
  const int result = a.compare(b);  // char_traits<char> compares as unsigned char
  return result < 0 ? -1 : (result > 0 ? 1 : 0);
}

int compareWith(const UCollator* collator, std::string_view a, std::string_view b,
                Encoding encoding) {
  if (a == b) return 0;
  const Utf16Buffer ua(a, encoding);
  const Utf16Buffer ub(b, encoding);
  const UCollationResult result =
      ucol_strcoll(collator, ua.data(), ua.size(), ub.data(), ub.size());
  if (result == UCOL_LESS) return -1;
  if (result == UCOL_GREATER) return 1;
  return compareBytes(a, b);
}

}  // namespace

std::string EnvironmentCollationLocale() {
  std::string name;
  for (const char* variable : {"LC_ALL", "LC_COLLATE", "LANG"}) {
    const char* value = std::getenv(variable);
    if (value != nullptr && *value != '\0') {
      name = value;
      break;
    }
  }
  name = name.substr(0, name.find_first_of(".@"));
  if (name == "C" || name == "POSIX") name.clear();
  return name;
}

void Collator::Closer::operator()(UCollator* collator) const {
  ucol_close(collator);
}

Collator::Collator(const std::string& locale)
    : locale_(locale == "root" ? std::string() : locale),
      tertiary_(openCollator(locale_, UCOL_TERTIARY)),
      secondary_(openCollator(locale_, UCOL_SECONDARY)) {}

Collator Collator::FromEnvironment() {
  return Collator(EnvironmentCollationLocale());
}

Collator::Collator(Collator&&) noexcept = default;
Collator& Collator::operator=(Collator&&) noexcept = default;
Collator::~Collator() = default;

int Collator::Compare(std::string_view a, std::string_view b) const {
  return compareWith(tertiary_.get(), a, b, Encoding::Windows1252);
}

int Collator::CompareIgnoreCase(std::string_view a, std::string_view b) const {
  return compareWith(secondary_.get(), a, b, Encoding::Windows1252);
}

int Collator::Compare(std::string_view a, std::string_view b, Encoding encoding) const {
  return compareWith(tertiary_.get(), a, b, encoding);
}

int Collator::CompareIgnoreCase(std::string_view a, std::string_view b, Encoding encoding) const {
  return compareWith(secondary_.get(), a, b, encoding);
}

std::string Collator::Key(std::string_view s) const {
  return Key(s, Encoding::Windows1252);
}

std::string Collator::Key(std::string_view s, Encoding encoding) const {
  const Utf16Buffer text(s, encoding);
  const UCollator* collator = tertiary_.get();
  // The ICU key ends with a zero byte and holds no other, so no key is a prefix
  // of another: the raw bytes behind it only decide between equal keys.
  std::string key(static_cast<std::size_t>(text.size()) * 4 + 16, '\0');
  std::int32_t length =
      ucol_getSortKey(collator, text.data(), text.size(), reinterpret_cast<uint8_t*>(key.data()),
                      static_cast<std::int32_t>(key.size()));
  if (length > static_cast<std::int32_t>(key.size())) {
    key.resize(static_cast<std::size_t>(length));
    length = ucol_getSortKey(collator, text.data(), text.size(),
                             reinterpret_cast<uint8_t*>(key.data()), length);
  }
  key.resize(static_cast<std::size_t>(length));
  key.append(s);
  return key;
}

}  // namespace lexvane::text
