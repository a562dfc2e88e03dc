// The locale's string comparison over ICU collators. Both collators are opened
// once and then used only through const calls (ucol_strcoll, ucol_getSortKey),
// which ICU allows from several threads at once on one collator.
#include "text/collation.h"

#include <unicode/ucol.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <mutex>
#include <vector>

#include "text/encoding.h"
#include "text/error.h"

namespace lexvane::text {

namespace {

struct Collators {
  UCollator* tertiary = nullptr;
  UCollator* secondary = nullptr;
  ~Collators() {
    if (tertiary != nullptr) ucol_close(tertiary);
    if (secondary != nullptr) ucol_close(secondary);
  }
};

std::mutex gCollatorsMutex;
std::atomic<Collators*> gCurrent{nullptr};
// Collators replaced by setCollationLocale stay alive until exit, so a thread
// still comparing with one never sees it freed.
std::vector<std::unique_ptr<Collators>> gAllCollators;

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

}  // namespace

std::string environmentCollationLocale() {
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

namespace {

Collators* install(const std::string& locale) {
  auto collators = std::make_unique<Collators>();
  collators->tertiary = openCollator(locale, UCOL_TERTIARY);
  collators->secondary = openCollator(locale, UCOL_SECONDARY);
  Collators* raw = collators.get();
  gAllCollators.push_back(std::move(collators));
  gCurrent.store(raw, std::memory_order_release);
  return raw;
}

const Collators& current() {
  Collators* collators = gCurrent.load(std::memory_order_acquire);
  if (collators == nullptr) {
    std::lock_guard<std::mutex> lock(gCollatorsMutex);
    collators = gCurrent.load(std::memory_order_acquire);
    if (collators == nullptr) collators = install(environmentCollationLocale());
  }
  return *collators;
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

int compareText(std::string_view a, std::string_view b) {
  return compareWith(current().tertiary, a, b, Encoding::Windows1252);
}

int compareTextIgnoreCase(std::string_view a, std::string_view b) {
  return compareWith(current().secondary, a, b, Encoding::Windows1252);
}

int compareText(std::string_view a, std::string_view b, Encoding encoding) {
  return compareWith(current().tertiary, a, b, encoding);
}

int compareTextIgnoreCase(std::string_view a, std::string_view b, Encoding encoding) {
  return compareWith(current().secondary, a, b, encoding);
}

std::string collationKey(std::string_view s) {
  return collationKey(s, Encoding::Windows1252);
}

std::string collationKey(std::string_view s, Encoding encoding) {
  const Utf16Buffer text(s, encoding);
  const UCollator* collator = current().tertiary;
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

void setCollationLocale(const std::string& locale) {
  std::lock_guard<std::mutex> lock(gCollatorsMutex);
  install(locale == "root" ? std::string() : locale);
}

}  // namespace lexvane::text
