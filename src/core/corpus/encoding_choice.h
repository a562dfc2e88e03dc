// Choosing a corpus's text encoding, and the offer to switch a Windows-1252
// corpus whose files look like UTF-8. The separator fields hold text of the
// corpus's encoding, so a switch between 8-bit and UTF-8 carries them over:
// untouched defaults become the other encoding's defaults, other separators
// keep their characters.
#pragma once

#include <string>
#include <vector>

#include "corpus/corpus_settings.h"
#include "text/encoding.h"
#include "text/user_interface.h"

namespace lexvane::corpus {

// Sets settings.TextEncoding and carries the separators over to it.
// Characters that Windows-1252 cannot hold (and invalid UTF-8 bytes) are
// dropped from them rather than turned into '?', which would separate.
void ChooseEncoding(CorpusSettings& settings, text::Encoding encoding);

// `text` of encoding `from` in encoding `to`, without the characters `to`
// cannot hold.
std::string Transcode(const std::string& text, text::Encoding from, text::Encoding to);

// When the corpus is Windows-1252, the offer was not made for this list yet
// and the start of `paths` looks like UTF-8: says so and asks whether to
// switch (Yes/No); Yes chooses UTF-8. The offer counts as made whatever the
// answer. Returns whether the corpus was switched.
bool OfferUtf8(CorpusSettings& settings, const std::vector<std::string>& paths,
               text::UserInterface& ui);

}  // namespace lexvane::corpus
