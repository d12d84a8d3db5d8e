#pragma once
// The record of word files and practice list files: 84 bytes, no padding, little-endian, no
// header or trailer in the files. Record i lies at byte offset 84 * i.

#include <bit>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace zembo {

#pragma pack(push, 1)
struct WordRecord {
  char word[31];         // NUL-terminated, at most 30 bytes
  char translation[51];  // NUL-terminated, at most 50 bytes; several joined by ", "
  std::int16_t flags;    // 0 live; any other value deleted
};
#pragma pack(pop)

static_assert(sizeof(WordRecord) == 84, "word files hold 84-byte records");
static_assert(std::endian::native == std::endian::little, "records are stored as the host lays them out");

constexpr int wordFieldSize = sizeof(WordRecord::word);
constexpr int translationFieldSize = sizeof(WordRecord::translation);

// A field's text up to its NUL, or to the end of the field when it holds none.
inline std::string_view fieldText(const char* field, std::size_t size) {
  return std::string_view(field, strnlen(field, size));
}
inline std::string_view wordOf(const WordRecord& r) { return fieldText(r.word, sizeof r.word); }
inline std::string_view translationOf(const WordRecord& r) { return fieldText(r.translation, sizeof r.translation); }

// Copies text into a field, cut so that the terminating NUL fits; the rest of the field is zeroed.
inline void setField(char* field, std::size_t size, std::string_view text) {
  const std::size_t n = text.size() < size ? text.size() : size - 1;
  std::memset(field, 0, size);
  std::memcpy(field, text.data(), n);
}

inline bool isDeleted(const WordRecord& r) { return r.flags != 0; }

}  // namespace zembo
