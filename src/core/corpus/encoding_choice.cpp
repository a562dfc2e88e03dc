#include "corpus/encoding_choice.h"

#include "text/character_sets.h"
#include "text/utf8_detection.h"

namespace lexvane::corpus {

std::string Transcode(const std::string& text, text::Encoding from, text::Encoding to) {
  const std::string utf8 = text::decodeToUtf8(text, from);
  if (text::IsUtf8(to)) {
    // Invalid bytes came out as replacement characters; they are dropped.
    std::string out;
    for (std::size_t i = 0; i < utf8.size();) {
      const text::Utf8Char c = text::nextUtf8Char(utf8, i);
      if (c.codePoint != text::kReplacementCharacter) out.append(utf8, i, c.length);
      i += c.length;
    }
    return out;
  }
  std::string out;
  for (std::size_t i = 0; i < utf8.size();) {
    const text::Utf8Char c = text::nextUtf8Char(utf8, i);
    const std::string one = text::encodeFromUtf8(std::string_view(utf8).substr(i, c.length), to);
    if (one != "?" || c.codePoint == U'?') out += one;
    i += c.length;
  }
  return out;
}

void ChooseEncoding(CorpusSettings& settings, text::Encoding encoding) {
  const text::Encoding from = settings.TextEncoding;
  settings.TextEncoding = encoding;
  if (text::IsUtf8(from) == text::IsUtf8(encoding)) return;
  if (settings.WordSeparators == text::DefaultWordSeparators(from))
    settings.WordSeparators = text::DefaultWordSeparators(encoding);
  else
    settings.WordSeparators = Transcode(settings.WordSeparators, from, encoding);
  settings.SentenceSeparators = Transcode(settings.SentenceSeparators, from, encoding);
}

bool OfferUtf8(CorpusSettings& settings, const std::vector<std::string>& paths,
               text::UserInterface& ui) {
  if (settings.TextEncoding != text::Encoding::Windows1252 || settings.Utf8Offered) return false;
  if (!text::SampleFilesForUtf8(paths).LooksUtf8()) return false;
  settings.Utf8Offered = true;
  const text::Answer answer =
      ui.Ask("Confirm",
             "The files of this corpus look like UTF-8 text, but the corpus is read as "
             "Windows (ANSI) text. Switch the corpus to UTF-8?",
             text::Buttons::YesNo, text::Icon::Question);
  if (answer != text::Answer::Yes) return false;
  ChooseEncoding(settings, text::Encoding::Utf8);
  return true;
}

}  // namespace lexvane::corpus
