#include "exchange/wordlistfile.h"

#include <algorithm>
#include <fstream>
#include <map>

#include "platform/codepage.h"

namespace zembo {
namespace {

constexpr char candidateSeparators[] = {'\t', ';', ','};
constexpr std::size_t detectionRows = 50;

// Control characters other than the white space of text: a few may be noise, many mean the
// file is no text at all.
bool looksBinary(std::string_view bytes) {
  if (bytes.find('\0') != std::string_view::npos) return true;
  const std::string_view sample = bytes.substr(0, 65536);
  const auto controls = std::count_if(sample.begin(), sample.end(), [](char c) {
    const auto u = static_cast<unsigned char>(c);
    return (u < 0x20 && c != '\t' && c != '\n' && c != '\r' && c != '\f') || u == 0x7F;
  });
  return std::size_t(controls) * 10 > sample.size();
}

// UTF-16 after its byte order mark, as UTF-8; a lone surrogate becomes U+FFFD.
std::string utf16ToUtf8(std::string_view bytes, bool bigEndian) {
  std::string out;
  const auto unit = [&](std::size_t i) {
    const auto a = static_cast<unsigned char>(bytes[i]);
    const auto b = static_cast<unsigned char>(bytes[i + 1]);
    return bigEndian ? std::uint32_t(a << 8 | b) : std::uint32_t(b << 8 | a);
  };
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    std::uint32_t code = unit(i);
    if (code >= 0xD800 && code < 0xDC00 && i + 3 < bytes.size() && unit(i + 2) >= 0xDC00 && unit(i + 2) < 0xE000) {
      code = 0x10000 + ((code - 0xD800) << 10) + (unit(i + 2) - 0xDC00);
      i += 2;
    } else if (code >= 0xD800 && code < 0xE000) {
      code = 0xFFFD;
    }
    appendUtf8(out, static_cast<char32_t>(code));
  }
  return out;
}

std::string lowered(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
  return out;
}

// Anki's names for its separators, or the character itself.
char separatorNamed(std::string_view value) {
  static const std::map<std::string, char> names = {{"tab", '\t'},  {"comma", ','}, {"semicolon", ';'},
                                                    {"space", ' '}, {"pipe", '|'},  {"colon", ':'}};
  const auto named = names.find(lowered(value));
  if (named != names.end()) return named->second;
  return value.size() == 1 ? value[0] : '\0';
}

struct Header {
  char separator = '\0';  // none named
  bool html = false;
  std::string columns;  // the line, split once the separator is known
  std::size_t bodyStart = 0;
  int bodyLine = 1;
};

// Anki's header lines: "#key:value" lines before the first row.
Header readHeader(std::string_view text) {
  Header header;
  while (header.bodyStart < text.size() && text[header.bodyStart] == '#') {
    std::size_t end = text.find('\n', header.bodyStart);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(header.bodyStart + 1, end - header.bodyStart - 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const std::size_t colon = line.find(':');
    const std::string key = lowered(line.substr(0, colon == std::string_view::npos ? 0 : colon));
    const std::string_view value = colon == std::string_view::npos ? std::string_view() : line.substr(colon + 1);
    if (key == "separator") header.separator = separatorNamed(value);
    if (key == "html") header.html = lowered(value) == "true";
    if (key == "columns") header.columns = std::string(value);
    header.bodyStart = std::min(end + 1, text.size());
    ++header.bodyLine;
  }
  return header;
}

struct Records {
  std::vector<std::vector<std::string>> rows;
  int unclosedQuoteLine = 0;  // the line where a quoted field began that never ends
};

// One line end at text[at] (CR LF, LF or CR): its length, 0 when there is none.
std::size_t lineEndAt(std::string_view text, std::size_t at) {
  if (at >= text.size()) return 0;
  if (text[at] == '\n') return 1;
  if (text[at] != '\r') return 0;
  return at + 1 < text.size() && text[at + 1] == '\n' ? 2 : 1;
}

// A quoted field from the quote at text[at]: doubled quotes are one, line ends inside are kept
// (as LF). Returns where the field's text went on, npos when the quote never closes.
std::size_t readQuoted(std::string_view text, std::size_t at, std::string& field, int& line) {
  ++at;
  while (at < text.size()) {
    if (text[at] == '"') {
      if (at + 1 < text.size() && text[at + 1] == '"') {
        field += '"';
        at += 2;
        continue;
      }
      return at + 1;
    }
    const std::size_t lineEnd = lineEndAt(text, at);
    if (lineEnd != 0) {
      field += '\n';
      ++line;
      at += lineEnd;
      continue;
    }
    field += text[at++];
  }
  return std::string_view::npos;
}

// The records of a CSV text with the given separator, at most maxRows of them.
Records readRecords(std::string_view text, char separator, int firstLine, std::size_t maxRows) {
  Records records;
  int line = firstLine;
  std::size_t at = 0;
  while (at < text.size() && records.rows.size() < maxRows) {
    std::vector<std::string> row;
    for (;;) {
      std::string field;
      if (at < text.size() && text[at] == '"') {
        const int quoteLine = line;
        at = readQuoted(text, at, field, line);
        if (at == std::string_view::npos) {
          records.unclosedQuoteLine = quoteLine;
          return records;
        }
      }
      // Unquoted text, or what a careless writer left after a closing quote: taken as it is.
      while (at < text.size() && text[at] != separator && lineEndAt(text, at) == 0) field += text[at++];
      row.push_back(std::move(field));
      if (at < text.size() && text[at] == separator) {
        ++at;
        continue;
      }
      at += lineEndAt(text, at);
      ++line;
      break;
    }
    if (row.size() > 1 || !row[0].empty()) records.rows.push_back(std::move(row));
  }
  return records;
}

// The separator that splits the first rows most alike into more than one field; a tab when none
// does (one word a line). Ties go to the tab, then the semicolon: where a comma splits as well,
// it is the one inside the translations.
char detectSeparator(std::string_view body) {
  char best = '\t';
  std::size_t bestScore = 0;
  for (const char separator : candidateSeparators) {
    const Records records = readRecords(body, separator, 1, detectionRows);
    std::map<std::size_t, std::size_t> rowsOfWidth;
    for (const auto& row : records.rows)
      if (row.size() > 1) ++rowsOfWidth[row.size()];
    std::size_t score = 0;
    for (const auto& [width, rows] : rowsOfWidth) score = std::max(score, rows);
    if (score > bestScore) {
      best = separator;
      bestScore = score;
    }
  }
  return best;
}

// The text to parse: without a UTF-8 mark, UTF-16 converted.
std::string decodedText(std::string_view bytes) {
  if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF && static_cast<unsigned char>(bytes[1]) == 0xFE)
    return utf16ToUtf8(bytes.substr(2), false);
  if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFE && static_cast<unsigned char>(bytes[1]) == 0xFF)
    return utf16ToUtf8(bytes.substr(2), true);
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
  return std::string(bytes);
}

}  // namespace

bool isValidUtf8(std::string_view bytes) {
  std::size_t i = 0;
  while (i < bytes.size()) {
    const auto lead = static_cast<unsigned char>(bytes[i]);
    const std::size_t length = lead < 0x80                    ? 1
                               : lead >= 0xC2 && lead <= 0xDF ? 2
                               : lead >= 0xE0 && lead <= 0xEF ? 3
                               : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                              : 0;
    if (length == 0 || i + length > bytes.size()) return false;
    std::uint32_t code = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(bytes[i + k]);
      if ((next & 0xC0) != 0x80) return false;
      code = code << 6 | (next & 0x3F);
    }
    static constexpr std::uint32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < smallest[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return false;
    i += length;
  }
  return true;
}

WordListFile parseWordList(std::string_view bytes) {
  WordListFile list;
  const bool utf16 = bytes.size() >= 2 && (bytes.substr(0, 2) == "\xFF\xFE" || bytes.substr(0, 2) == "\xFE\xFF");
  if (!utf16 && looksBinary(bytes)) {
    list.error = "the file holds no text (it looks like a program's or a picture's bytes)";
    list.fault = ReadFault::notText;
    return list;
  }
  const std::string text = decodedText(bytes);
  list.validUtf8 = isValidUtf8(text);
  const Header header = readHeader(text);
  const std::string_view body = std::string_view(text).substr(header.bodyStart);
  list.separator = header.separator != '\0' ? header.separator : detectSeparator(body);
  list.html = header.html;
  if (!header.columns.empty()) {
    const Records names = readRecords(header.columns, list.separator, 1, 1);
    if (!names.rows.empty()) list.columns = names.rows[0];
  }
  Records records = readRecords(body, list.separator, header.bodyLine, SIZE_MAX);
  if (records.unclosedQuoteLine != 0) {
    list.error = "line " + std::to_string(records.unclosedQuoteLine) + ": a quote opens a field that never ends";
    list.fault = ReadFault::openQuote;
    list.faultLine = records.unclosedQuoteLine;
    return list;
  }
  list.rows = std::move(records.rows);
  return list;
}

WordListFile readWordListFile(const std::filesystem::path& file, std::uint64_t sizeLimit) {
  WordListFile list;
  std::error_code failure;
  const std::uintmax_t size = std::filesystem::file_size(file, failure);
  if (failure) {
    list.error = "the file cannot be read: " + failure.message();
    list.fault = ReadFault::unreadable;
    return list;
  }
  if (size > sizeLimit) {
    list.error = "the file is too large for a word list";
    list.fault = ReadFault::tooLarge;
    return list;
  }
  std::ifstream in(file, std::ios::binary);
  std::string bytes(size, '\0');
  if (!in.read(bytes.data(), std::streamsize(size))) {
    list.error = "the file cannot be read";
    list.fault = ReadFault::unreadable;
    return list;
  }
  return parseWordList(bytes);
}

}  // namespace zembo
