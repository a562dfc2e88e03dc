// The preview of the word and sentence rules: the start of one corpus file
// read without waiting, decoded for display, and cut into words and sentence
// ends by the block scanner that serves every scan, so that what the preview
// shows is what a scan delivers. For the file-list editor.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "text/character_sets.h"

namespace lexvane::text {

// How much of a file the preview reads and shows.
inline constexpr std::size_t kPreviewReadBytes = 4096;
inline constexpr std::size_t kPreviewCharacters = 600;

// The first bytes of a file, or a short note why there are none.
struct FileStart {
  bool ok = false;
  std::string bytes;       // at most the requested number
  bool wholeFile = false;  // bytes hold the whole file
  std::string note;        // when !ok: file name + ": " + why
};

// Reads up to `maxBytes` from the start of `path`. Never waits: anything but
// a regular file (a FIFO, a device) is refused with a note, as is a file
// that cannot be opened or read.
FileStart ReadFileStart(const std::string& path, std::size_t maxBytes = kPreviewReadBytes);

// Sample bytes decoded for display: the text in UTF-16 and, for each byte
// decoded, the index of the first unit of its character (one more entry
// for the end). A decoder stops after `maxCharacters` characters, never
// inside a character.
struct DecodedSample {
  std::u16string text;
  std::vector<std::size_t> unitOfByte;  // size: decoded bytes + 1
  std::size_t Bytes() const { return unitOfByte.empty() ? 0 : unitOfByte.size() - 1; }
};

// The decode step of one corpus encoding.
using SampleDecoder = DecodedSample (*)(std::string_view bytes, std::size_t maxCharacters);
DecodedSample DecodeWindows1252(std::string_view bytes, std::size_t maxCharacters);
// Code page 850, converted to Windows-1252 as the scanner converts it.
DecodedSample DecodeDos(std::string_view bytes, std::size_t maxCharacters);
// UTF-8: an invalid byte is one character, shown as U+FFFD. A sequence cut
// short by the end of `bytes` is left undecoded (the sample may have cut it).
DecodedSample DecodeUtf8(std::string_view bytes, std::size_t maxCharacters);
// The decoder of the corpus encoding the sets were built for.
SampleDecoder DecoderFor(const CharacterSets& sets);

// One word of the sample, as the scanner delivers it. Positions are byte
// offsets in the sample.
struct PreviewWord {
  std::size_t begin = 0;
  std::size_t end = 0;     // behind the word's last byte
  std::size_t gapEnd = 0;  // behind its gap: the next word's start or the sample's end
  bool simpleEnd = false;
  bool enhancedEnd = false;
  // The word or its gap runs on past the end of a sample that is not the
  // whole file: where it ends, and whether a sentence ends behind it, is not
  // known (both flags are false).
  bool open = false;
};

// Cuts `sample` (the first bytes of a file; `wholeFile` when that is all of
// it) with `sets` and the CR-LF option, as a scan of the file would.
std::vector<PreviewWord> CutPreview(std::string_view sample, bool wholeFile,
                                    const CharacterSets& sets, bool crlf);

}  // namespace lexvane::text
