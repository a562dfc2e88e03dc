// TextScanner reads one corpus file from start to end and hands out its words
// one per call, each with its byte offset and the two sentence-end flags.
// Concordance building and the word frequency list drive it; they alone count
// words and sentences. The file is read in 16384-byte blocks into one buffer;
// nothing is allocated per word.
//
// Each scan owns its scanner and gives it the sets it cuts with; one
// instance per thread.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "text/character_sets.h"
#include "text/open_file.h"
#include "text/scan_rules.h"
#include "text/user_interface.h"
#include "text/utf8_classes.h"

namespace lexvane::text {

struct ScannedWord {
  std::string_view word;  // valid until the next ReadWord; at most 255 characters
  std::int64_t offset = 0;
  bool enhancedEnd = false;
  bool simpleEnd = false;
  // The word was longer than 255 characters: `word` holds its first 255,
  // the rest was skipped, and the scan goes on behind it.
  bool cut = false;
};

class TextScanner {
 public:
  static constexpr std::size_t kBlockSize = 16384;

  // A scanner cutting with `sets` (the start-up sets when none are given).
  explicit TextScanner(const CharacterSets& sets = CharacterSets::Initial());
  ~TextScanner();
  TextScanner(const TextScanner&) = delete;
  TextScanner& operator=(const TextScanner&) = delete;

  // Builds the sets from the corpus options and uses them from now on.
  void Configure(std::string_view wordSeparators, std::string_view sentenceSeparators,
                 bool oemToAnsi);
  // Uses sets built elsewhere.
  void UseSets(const CharacterSets& sets);
  const CharacterSets& Sets() const { return sets_; }

  // Opens the file, reads its first block and skips leading separators. On
  // failure reports path + ": " + the system's description through `ui`
  // (error box, OK) and returns false; nothing then needs closing. With
  // FileAccess::Seek a pipe or device fails too (the caller re-reads it).
  bool OpenFile(const std::string& path, UserInterface& ui,
                FileAccess access = FileAccess::OnePass);
  // The next word; false at the end of the file. A word longer than 255
  // characters is delivered cut to its first 255 (word.cut), the rest of it
  // is skipped, and the offsets of later words stay their true offsets.
  // Throws Error on a read error.
  bool ReadWord(ScannedWord& word, bool crlf);
  void CloseFile();

 private:
  // Words up to this length that end inside the block are copied with one
  // fixed-size move.
  static constexpr std::size_t kShortWord = 16;
  // Room behind the data of a block: the sentinel and the overread of that move.
  static constexpr std::size_t kPadding = kShortWord + 1;

  enum class WordEnd { Separator, EndOfFile };

  // Reads the next block at bufferStart_ + bufferLength_; bufferLength_ = 0
  // at the end of the file.
  void refill();
  // ReadWord for any word from the current position.
  bool readWordGeneral(ScannedWord& out, bool crlf);
  // The word part for words that are long or cross a block boundary: copies
  // the word from the current position into word_ and sets its length; a
  // word longer than 255 characters keeps its first 255 (cut set, its last
  // three characters in tail_) and the rest is skipped.
  WordEnd readLongWord(std::size_t& length, bool& cut);
  // The gap part behind the word of `length` characters in word_ (ending in
  // tail_ when it was cut).
  bool readGap(ScannedWord& out, std::size_t length, bool cut, bool crlf);
  // ReadWord on UTF-8 text: character by character, the word cut at 255
  // characters.
  bool readWordUtf8(ScannedWord& out, bool crlf);
  // The character at the position (UTF-8 text).
  ClassedChar current() const {
    return wide_.At(reinterpret_cast<const unsigned char*>(buffer_.get()),
                    static_cast<std::size_t>(bufferLength_), static_cast<std::size_t>(position_),
                    classes_);
  }
  // Moves past the current character of `length` bytes, reading the next
  // block when it was the block's last; false at the end of the file.
  bool advance(std::size_t length) {
    position_ += static_cast<std::int64_t>(length);
    if (position_ < bufferLength_) return true;
    refill();
    return bufferLength_ > 0;
  }
  CharacterSets sets_;
  ByteClassTable classes_;
  int fd_ = -1;
  std::string path_;
  std::unique_ptr<char[]> buffer_;  // kBlockSize + kPadding bytes
  std::int64_t bufferStart_ = 0;
  std::int64_t bufferLength_ = 0;
  std::int64_t position_ = 0;
  char word_[256];
  unsigned char tail_[3] = {0, 0, 0};
  // UTF-8 text: the classes of its characters, the bytes of a character
  // begun at the end of a block (read again in front of the next), and the
  // word of up to 255 characters.
  bool utf8_ = false;
  Utf8Classes wide_;
  unsigned char carry_[4] = {0, 0, 0, 0};
  std::size_t carryLength_ = 0;
  char wideWord_[kMaxTextLength * 4];
};

}  // namespace lexvane::text
