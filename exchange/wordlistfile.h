#pragma once
// A teacher's word list as a file: CSV (as LibreOffice and spreadsheets write it: RFC 4180 quoting,
// the separator a comma, a semicolon or a tab), tab-separated text, and Anki's text export with
// its "#separator:", "#html:" and "#columns:" header lines. Read into rows of fields.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "exchange/readfault.h"

namespace zembo {

struct WordListFile {
  std::vector<std::vector<std::string>> rows;  // empty lines left out
  char separator = '\t';                       // the one the header named or the rows showed
  // False when the bytes are not UTF-8: they are in some code page, which the caller knows or
  // asks for, and the fields are that code page's bytes.
  bool validUtf8 = true;
  bool html = false;                 // the fields are HTML (Anki's "#html:true")
  std::vector<std::string> columns;  // the names a "#columns:" line gives
  std::string error;                 // empty when the file was read
  ReadFault fault = ReadFault::none;
  int faultLine = 0;  // the line where an open quote began
};

// Reads a word list from its bytes: a UTF-8 byte order mark is dropped, UTF-16 with its mark is
// converted to UTF-8.
WordListFile parseWordList(std::string_view bytes);

// The same from a file, refused when it is larger than sizeLimit.
WordListFile readWordListFile(const std::filesystem::path& file, std::uint64_t sizeLimit);

// Whether bytes are well-formed UTF-8 (no overlong forms, no surrogates).
bool isValidUtf8(std::string_view bytes);

}  // namespace zembo
