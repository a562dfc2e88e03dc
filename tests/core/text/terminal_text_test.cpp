#include "text/terminal_text.h"

#include <gtest/gtest.h>
#include <locale.h>
#include <stdlib.h>

#include <optional>
#include <string>

namespace lexvane::text {
namespace {

TEST(TerminalText, Utf8TextBecomesWindows1252) {
  const TerminalText utf8("UTF-8");
  EXPECT_FALSE(utf8.PassesBytes());
  EXPECT_EQ(utf8.ToCorpus("walk*"), "walk*");
  EXPECT_EQ(utf8.ToCorpus("\xC3\xBC"
                          "ber*"),
            "\xFC"
            "ber*");  // über*
  // The euro sign, curly quotes and the dash live in 0x80-0x9F.
  EXPECT_EQ(utf8.ToCorpus("\xE2\x82\xAC\xE2\x80\x9C\xE2\x80\x94"), "\x80\x93\x97");
  EXPECT_EQ(utf8.ToCorpus(""), "");
}

TEST(TerminalText, BytesThatAreNotUtf8StandForThemselves) {
  const TerminalText utf8("UTF-8");
  // A Windows-1252 ü given directly, a cut sequence at the end, an overlong form.
  EXPECT_EQ(utf8.ToCorpus("\xFC"
                          "ber"),
            "\xFC"
            "ber");
  EXPECT_EQ(utf8.ToCorpus("ab\xC3"), "ab\xC3");
  EXPECT_EQ(utf8.ToCorpus("\xC0\xAF"
                          "x\xC3\xA9"),
            "\xC0\xAF"
            "x\xE9");
}

TEST(TerminalText, CharacterWindows1252LacksIsAnErrorNamingIt) {
  const TerminalText utf8("UTF-8");
  try {
    utf8.ToCorpus("\xCE\xB1*");  // α*
    FAIL() << "no error";
  } catch (const UnrepresentableCharacter& e) {
    EXPECT_EQ(std::string(e.what()),
              "the character \"\xCE\xB1\" (U+03B1) is not in the corpus's encoding, "
              "Windows-1252");
  }
  EXPECT_THROW(utf8.ToCorpus("x\xF0\x9F\x98\x80"), UnrepresentableCharacter);  // an emoji
}

TEST(TerminalText, AsciiEmptyAndUnknownCharacterSetsPassBytes) {
  for (const char* codeset : {"ANSI_X3.4-1968", "US-ASCII", "", "NO-SUCH-CHARSET"}) {
    const TerminalText text(codeset);
    EXPECT_TRUE(text.PassesBytes()) << codeset;
    EXPECT_EQ(text.ToCorpus("\xC3\xBC\xCE\xB1\xFC"), "\xC3\xBC\xCE\xB1\xFC") << codeset;
  }
}

TEST(TerminalText, EightBitTerminalsAreDecodedByTheirOwnTable) {
  // ISO-8859-15 holds the euro sign at 0xA4, where Windows-1252 has the
  // currency sign.
  const TerminalText latin9("ISO-8859-15");
  EXPECT_FALSE(latin9.PassesBytes());
  EXPECT_EQ(latin9.ToCorpus("\xA4\xFC"), "\x80\xFC");
}

// Sets LC_ALL for the life of the object.
class ScopedLcAll {
 public:
  explicit ScopedLcAll(const char* value) {
    if (const char* old = ::getenv("LC_ALL")) old_ = old;
    ::setenv("LC_ALL", value, 1);
  }
  ~ScopedLcAll() {
    if (old_)
      ::setenv("LC_ALL", old_->c_str(), 1);
    else
      ::unsetenv("LC_ALL");
  }

 private:
  std::optional<std::string> old_;
};

TEST(LocaleCodeset, ReadsTheEnvironmentAndLeavesTheProgramLocale) {
  const std::string before = ::setlocale(LC_CTYPE, nullptr);
  {
    const ScopedLcAll c("C");
    EXPECT_EQ(LocaleCodeset(), "ANSI_X3.4-1968");
  }
  {
    const ScopedLcAll utf8("C.UTF-8");
    const std::string codeset = LocaleCodeset();
    if (codeset.empty()) GTEST_SKIP() << "no C.UTF-8 locale";
    EXPECT_EQ(codeset, "UTF-8");
  }
  EXPECT_EQ(::setlocale(LC_CTYPE, nullptr), before);
}

}  // namespace
}  // namespace lexvane::text
