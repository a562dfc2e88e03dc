#include "text/terminal_text.h"

#include <langinfo.h>
#include <locale.h>
#include <unicode/ucnv.h>

#include <array>
#include <cstdio>
#include <cstring>
#include <memory>

#include "text/encoding.h"

namespace lexvane::text {

namespace {

struct ConverterCloser {
  void operator()(UConverter* converter) const { ucnv_close(converter); }
};
using Converter = std::unique_ptr<UConverter, ConverterCloser>;

// A converter that stops at a byte sequence it cannot decode; null when ICU
// does not know the character set.
Converter openConverter(const std::string& codeset) {
  UErrorCode status = U_ZERO_ERROR;
  Converter converter(ucnv_open(codeset.c_str(), &status));
  if (U_FAILURE(status)) return nullptr;
  status = U_ZERO_ERROR;
  ucnv_setToUCallBack(converter.get(), UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
  if (U_FAILURE(status)) return nullptr;
  return converter;
}

// The Windows-1252 byte of a code point, or -1 when the code page lacks it.
int corpusByte(UChar32 cp) {
  static const std::array<char16_t, 256> decoded = [] {
    std::array<char16_t, 256> table{};
    std::string all(256, '\0');
    for (int b = 0; b < 256; ++b) all[b] = static_cast<char>(b);
    ansiToUtf16(all, table.data());
    return table;
  }();
  if (cp < 0x80) return cp;
  for (int b = 0x80; b < 256; ++b) {
    if (decoded[b] == cp) return b;
  }
  return -1;
}

std::string unrepresentableMessage(std::string_view typed, UChar32 cp) {
  char code[16];
  std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(cp));
  return "the character \"" + std::string(typed) + "\" (" + code +
         ") is not in the corpus's encoding, Windows-1252";
}

}  // namespace

std::string LocaleCodeset() {
  const locale_t locale = newlocale(LC_CTYPE_MASK, "", static_cast<locale_t>(nullptr));
  if (locale == static_cast<locale_t>(nullptr)) return {};
  const char* name = nl_langinfo_l(CODESET, locale);
  std::string codeset = name != nullptr ? name : "";
  freelocale(locale);
  return codeset;
}

TerminalText::TerminalText(std::string_view codeset) : codeset_(codeset) {
  if (codeset_.empty()) return;
  const Converter converter = openConverter(codeset_);
  if (!converter) return;
  UErrorCode status = U_ZERO_ERROR;
  const char* name = ucnv_getName(converter.get(), &status);
  passesBytes_ = U_FAILURE(status) || std::strcmp(name, "US-ASCII") == 0;
}

namespace {

// Decodes typed text of the terminal's codeset one character at a time and
// appends each to `out` through append(out, code point, its bytes). Bytes
// that are not text of the terminal stand for themselves.
template <typename Append>
std::string convertTyped(UConverter* converter, std::string_view typed, Append append) {
  std::string out;
  out.reserve(typed.size());
  const char* source = typed.data();
  const char* const end = source + typed.size();
  while (source < end) {
    const char* const start = source;
    UErrorCode status = U_ZERO_ERROR;
    const UChar32 cp = ucnv_getNextUChar(converter, &source, end, &status);
    if (U_FAILURE(status) || source == start) {
      if (source == start) ++source;
      out.append(start, source);
      ucnv_reset(converter);
      continue;
    }
    append(out, cp, typed.substr(start - typed.data(), source - start));
  }
  return out;
}

}  // namespace

std::string TerminalText::ToCorpus(std::string_view typed, Encoding encoding) const {
  if (!IsUtf8(encoding)) return ToCorpus(typed);
  if (passesBytes_) return std::string(typed);
  const Converter converter = openConverter(codeset_);
  if (!converter) return std::string(typed);
  return convertTyped(converter.get(), typed, [](std::string& out, UChar32 cp, std::string_view) {
    appendCodePoint(out, static_cast<char32_t>(cp));
  });
}

std::string TerminalText::ToCorpus(std::string_view typed) const {
  if (passesBytes_) return std::string(typed);
  const Converter converter = openConverter(codeset_);
  if (!converter) return std::string(typed);
  return convertTyped(converter.get(), typed,
                      [](std::string& out, UChar32 cp, std::string_view character) {
                        const int b = corpusByte(cp);
                        if (b < 0)
                          throw UnrepresentableCharacter(unrepresentableMessage(character, cp));
                        out += static_cast<char>(b);
                      });
}

}  // namespace lexvane::text
