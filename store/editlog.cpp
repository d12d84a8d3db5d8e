#include "store/editlog.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <unordered_map>
#include <unordered_set>
#include <utility>

#include "formats/fields.h"

namespace zembo {

namespace {

// The bytes a field cannot hold as they are, and the letter that stands for each after a backslash.
constexpr std::pair<char, char> escapes[] = {{'\\', '\\'}, {'\t', 't'}, {'\n', 'n'}, {'\r', 'r'}};

void appendEscaped(std::string& out, std::string_view field) {
  for (const char c : field) {
    const auto* escape = std::find_if(std::begin(escapes), std::end(escapes), [c](auto e) { return e.first == c; });
    if (escape == std::end(escapes)) {
      out += c;
    } else {
      out += '\\';
      out += escape->second;
    }
  }
}

bool unescape(std::string_view field, std::string& out) {
  out.clear();
  for (std::size_t i = 0; i < field.size(); ++i) {
    if (field[i] != '\\') {
      out += field[i];
      continue;
    }
    if (++i == field.size()) return false;
    const char letter = field[i];
    const auto* escape =
        std::find_if(std::begin(escapes), std::end(escapes), [letter](auto e) { return e.second == letter; });
    if (escape == std::end(escapes)) return false;
    out += escape->first;
  }
  return true;
}

void appendRecord(std::string& out, const WordRecord& record) {
  out += '\t';
  appendEscaped(out, wordOf(record));
  out += '\t';
  appendEscaped(out, translationOf(record));
  out += '\t';
  out += std::to_string(record.flags);
}

std::vector<std::string_view> splitTabs(std::string_view line) {
  std::vector<std::string_view> fields;
  std::size_t start = 0;
  for (;;) {
    const std::size_t tab = line.find('\t', start);
    fields.push_back(line.substr(start, tab == std::string_view::npos ? std::string_view::npos : tab - start));
    if (tab == std::string_view::npos) return fields;
    start = tab + 1;
  }
}

bool parseNumber(std::string_view text, std::int64_t& value) {
  if (text.empty() || text.size() > 19) return false;
  value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + (c - '0');
  }
  return true;
}

bool parseRecord(const std::string_view* fields, WordRecord& record) {
  std::string word, translation;
  std::int64_t flags = 0;
  if (!unescape(fields[0], word) || !unescape(fields[1], translation) || word.size() >= wordFieldSize ||
      translation.size() >= translationFieldSize)
    return false;
  const bool negative = fields[2].starts_with('-');
  if (!parseNumber(fields[2].substr(negative ? 1 : 0), flags) || flags > 32767) return false;
  record = {};
  setField(record.word, sizeof record.word, word);
  setField(record.translation, sizeof record.translation, translation);
  record.flags = static_cast<std::int16_t>(negative ? -flags : flags);
  return true;
}

bool isHexId(std::string_view id) {
  return id.size() == 16 &&
         std::all_of(id.begin(), id.end(), [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); });
}

}  // namespace

std::string recordKey(const WordRecord& record) {
  std::string key(wordOf(record));
  key += '\0';
  key += translationOf(record);
  key += '\0';
  key += record.flags != 0 ? 'd' : 'l';
  return key;
}

namespace {

const auto keyOf = recordKey;

// The records the edits name, by key, kept up to date as edits replace them. Only those are
// indexed: a word file holds far more records than its edits name.
class RecordIndex {
 public:
  RecordIndex(std::vector<WordRecord>& records, const std::unordered_set<std::string>& named) : records_(records) {
    for (std::size_t i = 0; i < records.size(); ++i) {
      std::string key = keyOf(records[i]);
      if (named.count(key)) where_[std::move(key)].push_back(i);
    }
  }
  bool holds(const std::string& key) const {
    const auto at = where_.find(key);
    return at != where_.end() && !at->second.empty();
  }
  void replace(const std::string& key, const WordRecord& record) {
    std::vector<std::size_t>& places = where_[key];
    const std::size_t i = places.front();
    places.erase(places.begin());
    records_[i] = record;
    where_[keyOf(record)].push_back(i);
  }
  void append(const WordRecord& record) {
    where_[keyOf(record)].push_back(records_.size());
    records_.push_back(record);
  }

 private:
  std::vector<WordRecord>& records_;
  std::unordered_map<std::string, std::vector<std::size_t>> where_;
};

// Chains of changes are followed this far at most: a record changed back and forth is a cycle.
constexpr int longestChain = 64;

}  // namespace

std::string newEditId() {
  static std::mt19937_64 random{std::random_device{}()};
  char id[17];
  std::snprintf(id, sizeof id, "%016" PRIx64, static_cast<std::uint64_t>(random()));
  return id;
}

std::string editLogPath(const DictionaryDirection& direction) {
  return std::string("new\\") + direction.sourceName + "_" + direction.targetName + ".edits";
}

void appendEditLine(std::string& out, const RecordEdit& edit) {
  out += edit.id;
  out += '\t';
  out += std::to_string(edit.time);
  out += edit.added ? "\tadd\t\t\t" : "\tchange";
  if (!edit.added) appendRecord(out, edit.before);
  appendRecord(out, edit.after);
  out += '\n';
}

bool parseEditLine(std::string_view line, RecordEdit& edit) {
  const std::vector<std::string_view> fields = splitTabs(line);
  if (fields.size() != 9 || !isHexId(fields[0]) || !parseNumber(fields[1], edit.time)) return false;
  edit.id.assign(fields[0]);
  edit.added = fields[2] == "add";
  if (!edit.added && fields[2] != "change") return false;
  if (edit.added) {
    if (!fields[3].empty() || !fields[4].empty() || !fields[5].empty()) return false;
    edit.before = {};
  } else if (!parseRecord(&fields[3], edit.before)) {
    return false;
  }
  return parseRecord(&fields[6], edit.after);
}

bool appendEditLog(const std::filesystem::path& log, const RecordEdit& edit) {
  // Opened for each line, never kept open: a copy that a merge or another computer put in its
  // place is the one appended to.
  const int fd = ::open(log.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0644);
  if (fd < 0) return false;
  struct stat st {};
  std::string text = ::fstat(fd, &st) == 0 && st.st_size == 0 ? std::string(editLogHeader) : std::string();
  appendEditLine(text, edit);
  const bool written = ::write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
  return ::close(fd) == 0 && written;
}

EditLogRead readEditLog(const std::filesystem::path& log) {
  EditLogRead read;
  std::ifstream in(log, std::ios::binary);
  if (!in) {
    read.missing = true;
    return read;
  }
  std::string line;
  RecordEdit edit;
  // A line cut short by a kill ends without a line feed: it is left out.
  while (std::getline(in, line)) {
    if (in.eof()) break;
    if (line.empty() || line.starts_with('#')) continue;
    if (parseEditLine(line, edit))
      read.edits.push_back(edit);
    else
      ++read.damaged;
  }
  return read;
}

bool sameRecord(const WordRecord& a, const WordRecord& b) {
  return wordOf(a) == wordOf(b) && translationOf(a) == translationOf(b) && (a.flags != 0) == (b.flags != 0);
}

void sortEdits(std::vector<RecordEdit>& edits) {
  std::stable_sort(edits.begin(), edits.end(), [](const RecordEdit& a, const RecordEdit& b) {
    return a.time != b.time ? a.time < b.time : a.id < b.id;
  });
}

void applyEdits(std::vector<WordRecord>& records, const std::vector<RecordEdit>& edits) {
  std::unordered_set<std::string> named;
  for (const RecordEdit& edit : edits) {
    if (!edit.added) named.insert(keyOf(edit.before));
    named.insert(keyOf(edit.after));
  }
  RecordIndex index(records, named);
  std::unordered_map<std::string, std::vector<std::size_t>> changesOf;  // by the key of the record changed
  for (std::size_t i = 0; i < edits.size(); ++i)
    if (!edits[i].added) changesOf[keyOf(edits[i].before)].push_back(i);
  // What the edits so far made of a record: the latest change of each key.
  std::unordered_map<std::string, std::string> became;
  for (std::size_t i = 0; i < edits.size(); ++i) {
    const RecordEdit& edit = edits[i];
    if (edit.added) {
      // The record, or what the later changes make of it, may stand in the file already; one that
      // ends deleted is not added at all.
      std::string key = keyOf(edit.after);
      std::size_t from = i;
      WordRecord ends = edit.after;
      for (int step = 0; step < longestChain && !index.holds(key); ++step) {
        const auto changes = changesOf.find(key);
        if (changes == changesOf.end()) break;
        const auto next = std::upper_bound(changes->second.begin(), changes->second.end(), from);
        if (next == changes->second.end()) break;
        from = *next;
        ends = edits[from].after;
        key = keyOf(ends);
      }
      if (!index.holds(key) && ends.flags == 0) index.append(edit.after);
      continue;
    }
    // A change finds its record, or what earlier changes made of it; the later change wins, and
    // one that finds its record changed by a later one already leaves it.
    std::string key = keyOf(edit.before);
    for (int step = 0; step < longestChain && !index.holds(key); ++step) {
      const auto next = became.find(key);
      if (next == became.end()) break;
      key = next->second;
    }
    if (index.holds(key)) index.replace(key, edit.after);
    became[keyOf(edit.before)] = keyOf(edit.after);
  }
}
}  // namespace zembo
