#include "formats/entryindex.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zlib.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>

#include "formats/littleendian.h"
#include "platform/codepage.h"
#include "platform/safefiles.h"
#include "platform/wordfold.h"

namespace zembo {

// The file, all numbers little-endian:
//   header (112 bytes): "ZEMBOFND", version, entries, terms, term blocks, the state of the three
//     files it was made from (size, CRC-32), where the entries, the term blocks, the terms and the
//     postings begin, the file's size, the CRC-32 of all after the header, the CRC-32 of the
//     header before it;
//   entries: where each entry begins in the entries' bytes (one more at the end), then the bytes:
//     per entry its direction, its weight and its headword;
//   term blocks: where each block of up to termsPerBlock terms begins in the terms (one more at
//     the end), so that a lookup bisects the blocks by their first terms;
//   terms, sorted by their bytes: per term the length of the beginning it shares with the term
//     before it in its block, the rest, where its postings begin (a block's first term: counted
//     from the postings' beginning; any other: from the term before) and its number of entries;
//   postings: per term, in the entries' order, each entry as the difference from the one before,
//     times four, plus its part.
// Numbers in the terms and the postings are variable-length (seven bits a byte, lowest first).

namespace {

constexpr char magic[8] = {'Z', 'E', 'M', 'B', 'O', 'F', 'N', 'D'};
constexpr std::uint32_t version = 1;
constexpr std::size_t headerSize = 112;
constexpr std::uint8_t noPart = 4;  // an entry that lacks a word
constexpr std::uint32_t termsPerBlock = 32;

void putVarint(std::string& out, std::uint64_t v) {
  while (v >= 0x80) {
    out += static_cast<char>((v & 0x7f) | 0x80);
    v >>= 7;
  }
  out += static_cast<char>(v);
}
// Reads a number at at, no further than end; false when it runs past end.
bool getVarint(const unsigned char*& at, const unsigned char* end, std::uint64_t& v) {
  v = 0;
  for (int shift = 0; shift < 64; shift += 7) {
    if (at == end) return false;
    const unsigned char byte = *at++;
    v |= static_cast<std::uint64_t>(byte & 0x7f) << shift;
    if ((byte & 0x80) == 0) return true;
  }
  return false;
}

// A translation line without its grammar tags ("<n>") and labels ("[zool.]").
std::string withoutTagsAndLabels(std::string_view line) {
  std::string out;
  out.reserve(line.size());
  char closing = 0;
  for (const char c : line) {
    if (closing != 0) {
      if (c == closing) closing = 0;
      continue;
    }
    if (c == '<' || c == '[') {
      closing = c == '<' ? '>' : ']';
      out += ' ';
      continue;
    }
    out += c;
  }
  return out;
}

std::string_view trimmed(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

}  // namespace

void forEachArticlePart(std::string_view article, const std::function<void(std::string_view, EntryPart)>& part) {
  bool headwordLine = true;
  while (!article.empty()) {
    const std::size_t end = article.find('\n');
    const std::string_view line = trimmed(article.substr(0, end));
    article.remove_prefix(end == std::string_view::npos ? article.size() : end + 1);
    if (line.empty()) {
      headwordLine = true;  // the next article of the headword begins with its headword line
      continue;
    }
    if (headwordLine) {
      headwordLine = false;
      continue;
    }
    if (line.front() == '"') {
      part(line, EntryPart::example);
    } else if (line.starts_with("Note:") || line.starts_with("Synonyms:") || line.starts_with("Synonym:") ||
               line.starts_with("see:") || line.starts_with("See:")) {
      part(line.substr(line.find(':') + 1), EntryPart::sense);
    } else {
      part(withoutTagsAndLabels(line), EntryPart::translation);
    }
  }
}

bool readWordFileState(const std::filesystem::path& path, WordFileState& state, std::string& error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = path.string() + ": " + std::strerror(errno);
    return false;
  }
  uLong crc = crc32(0L, Z_NULL, 0);
  std::uint64_t size = 0;
  std::string buffer(1 << 20, '\0');
  while (in) {
    in.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
    const auto got = static_cast<std::size_t>(in.gcount());
    crc = crc32(crc, reinterpret_cast<const Bytef*>(buffer.data()), static_cast<uInt>(got));
    size += got;
  }
  if (in.bad()) {
    error = path.string() + ": cannot be read";
    return false;
  }
  state.size = size;
  state.crc = static_cast<std::uint32_t>(crc);
  return true;
}

bool readWordFileRecords(const std::filesystem::path& path, std::vector<WordRecord>& records, std::string& error) {
  std::ifstream in(path, std::ios::binary);
  std::error_code failed;
  const std::uintmax_t size = std::filesystem::file_size(path, failed);
  if (!in || failed) {
    error = path.string() + ": " + std::strerror(errno);
    return false;
  }
  records.resize(size / sizeof(WordRecord));
  in.read(reinterpret_cast<char*>(records.data()), static_cast<std::streamsize>(records.size() * sizeof(WordRecord)));
  if (static_cast<std::size_t>(in.gcount()) != records.size() * sizeof(WordRecord)) {
    error = path.string() + ": cannot be read";
    return false;
  }
  return true;
}

// ---- writing ----

// Strings numbered in the order they were first met (the entries, the terms): an open-addressing
// table of their hashes, since a dictionary's millions of words each look theirs up. A string of
// up to seven bytes is compared in its slot, so that most words touch no memory but the slot.
class NumberedStrings {
 public:
  struct Slot {
    std::uint64_t hash = 0;
    std::uint64_t head = 0;  // a string of up to seven bytes and its length, else the length alone
    std::uint32_t number = none;
    std::uint32_t last = none;  // what the owner keeps beside the string (the terms: the last posting)
  };
  // The slot of term, numbered when it is new.
  Slot& slotOf(std::string_view term) {
    if ((terms.size() + 1) * 2 > slots_.size()) grow();
    const std::uint64_t hash = hashOf(term), head = headOf(term);
    for (std::size_t at = hash & (slots_.size() - 1);; at = (at + 1) & (slots_.size() - 1)) {
      Slot& slot = slots_[at];
      if (slot.number == none) {
        slot.hash = hash;
        slot.head = head;
        slot.number = static_cast<std::uint32_t>(terms.size());
        terms.emplace_back(term);
        return slot;
      }
      if (slot.hash == hash && slot.head == head && (term.size() < 8 || terms[slot.number] == term)) return slot;
    }
  }
  std::uint32_t numberOf(std::string_view term) { return slotOf(term).number; }
  // Makes room for count strings at once, which spares the table its growing.
  void reserve(std::size_t count) {
    while (slots_.size() < count * 2) grow();
    terms.reserve(count);
  }
  std::vector<std::string> terms;  // the strings, by number
  static constexpr std::uint32_t none = UINT32_MAX;

 private:
  static std::uint64_t hashOf(std::string_view term) {
    std::uint64_t hash = 14695981039346656037ULL;  // FNV-1a
    for (const char c : term) hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ULL;
    return hash ^ (hash >> 29);
  }
  static std::uint64_t headOf(std::string_view term) {
    std::uint64_t head = std::min<std::uint64_t>(term.size(), 255);
    if (term.size() < 8)
      for (std::size_t k = 0; k < term.size(); ++k)
        head |= static_cast<std::uint64_t>(static_cast<unsigned char>(term[k])) << (8 * (k + 1));
    return head;
  }
  void grow() {
    std::vector<Slot> old(std::max<std::size_t>(1024, slots_.size() * 2));
    old.swap(slots_);
    for (const Slot& slot : old) {
      if (slot.number == none) continue;
      std::size_t at = slot.hash & (slots_.size() - 1);
      while (slots_[at].number != none) at = (at + 1) & (slots_.size() - 1);
      slots_[at] = slot;
    }
  }
  std::vector<Slot> slots_;
};

struct EntryIndexWriter::Gathered {
  NumberedStrings entryNumbers;  // each entry's direction byte and headword
  std::vector<std::string>& entries = entryNumbers.terms;
  std::vector<std::uint32_t> weights;  // per entry, its translations
  std::string entryKey;                // reused, not made again for each entry
  NumberedStrings termNumbers;
  std::vector<std::string>& terms = termNumbers.terms;
  // Per word found: its term's number, the entry's number and the part, as one number that sorts
  // by term first (term << 34 | entry << 2 | part).
  std::vector<std::uint64_t> postings;
  std::uint64_t written = 0;
};

EntryIndexWriter::EntryIndexWriter() : gathered_(std::make_unique<Gathered>()) {}
EntryIndexWriter::~EntryIndexWriter() = default;

std::uint32_t EntryIndexWriter::entry(int direction, std::string_view headword) {
  Gathered& g = *gathered_;
  g.entryKey.assign(1, static_cast<char>(direction));
  g.entryKey.append(headword);
  const std::uint32_t number = g.entryNumbers.numberOf(g.entryKey);
  if (number >= g.weights.size()) g.weights.resize(number + 1, 0);
  return number;
}

void EntryIndexWriter::expect(std::size_t entries) {
  Gathered& g = *gathered_;
  g.entryNumbers.reserve(entries);
  g.termNumbers.reserve(entries);  // a dictionary has about as many words as headwords
  g.weights.reserve(entries);
}

void EntryIndexWriter::numberEntriesOf(const EntryIndex& index) {
  FoundEntry found;
  for (std::uint32_t k = 0; index.entryAt(k, found); ++k) entry(found.direction, found.headword);
}

void EntryIndexWriter::add(std::uint32_t entry, std::string_view utf8Text, EntryPart part) {
  Gathered& g = *gathered_;
  // An entry's weight is how many translations it has: the commoner a word, the more senses.
  if (part <= EntryPart::translation && entry < g.weights.size())
    g.weights[entry] += 1 + static_cast<std::uint32_t>(std::count(utf8Text.begin(), utf8Text.end(), ','));
  const auto posting = static_cast<std::uint32_t>(entry << 2 | static_cast<std::uint32_t>(part));
  forEachFoldedWord(utf8Text, [&](std::string_view word) {
    NumberedStrings::Slot& term = g.termNumbers.slotOf(word);
    // A word the entry already holds as well or better is not kept again: an entry's parts come
    // together, and its words repeat.
    if (term.last != NumberedStrings::none && term.last >> 2 == entry && (term.last & 3) <= (posting & 3)) return;
    term.last = posting;
    g.postings.push_back(static_cast<std::uint64_t>(term.number) << 34 | posting);
  });
}

std::uint64_t EntryIndexWriter::writtenSize() const { return gathered_->written; }

std::size_t EntryIndexWriter::entries() const { return gathered_->entries.size(); }

bool EntryIndexWriter::writeTo(const std::filesystem::path& path, const EntryIndexState& state, std::string& error) {
  if (replaceFileSafely(path, [&](std::FILE* out) { return write(out, state); })) return true;
  error = path.string() + ": " + std::strerror(errno);
  return false;
}

namespace {

// Sorts the postings by the place of their terms, then by entry and part: counted into their
// terms' places (which keeps each term's in the order they came, mostly the entries' order), then
// only a term whose postings are out of order is sorted.
void sortPostings(std::vector<std::uint64_t>& postings, const std::vector<std::uint32_t>& place) {
  std::vector<std::uint64_t> starts(place.size() + 1, 0);
  for (const std::uint64_t p : postings) ++starts[place[p >> 34] + 1];
  for (std::size_t t = 1; t < starts.size(); ++t) starts[t] += starts[t - 1];
  std::vector<std::uint64_t> sorted(postings.size());
  std::vector<std::uint64_t> next(starts.begin(), starts.end() - 1);
  for (const std::uint64_t p : postings) {
    const std::uint64_t term = place[p >> 34];
    sorted[next[term]++] = term << 34 | (p & ((1ULL << 34) - 1));
  }
  postings = std::vector<std::uint64_t>();  // freed before the next is made
  for (std::size_t t = 0; t + 1 < starts.size(); ++t) {
    const auto from = sorted.begin() + static_cast<std::ptrdiff_t>(starts[t]),
               to = sorted.begin() + static_cast<std::ptrdiff_t>(starts[t + 1]);
    if (!std::is_sorted(from, to)) std::sort(from, to);
  }
  postings.swap(sorted);
}

}  // namespace

bool EntryIndexWriter::write(std::FILE* out, const EntryIndexState& state) {
  Gathered& g = *gathered_;
  // The terms in the order of their bytes, and each term's place in it.
  std::vector<std::uint32_t> order(g.terms.size());
  for (std::uint32_t k = 0; k < order.size(); ++k) order[k] = k;
  std::sort(order.begin(), order.end(), [&g](std::uint32_t a, std::uint32_t b) { return g.terms[a] < g.terms[b]; });
  std::vector<std::uint32_t> place(g.terms.size());
  for (std::uint32_t k = 0; k < order.size(); ++k) place[order[k]] = k;
  sortPostings(g.postings, place);

  // The postings, and per term where they begin and how many entries they hold; an entry that
  // holds a word twice keeps its best part, which sorts first.
  std::string postings, terms, blocks;
  std::vector<std::uint64_t> postingStart(order.size() + 1, 0);
  std::vector<std::uint32_t> entryCount(order.size(), 0);
  std::uint64_t lastTerm = UINT64_MAX, lastEntry = 0;
  for (const std::uint64_t p : g.postings) {
    const std::uint64_t term = p >> 34, entry = (p >> 2) & 0xffffffffULL, part = p & 3;
    if (term != lastTerm) {
      for (std::uint64_t t = lastTerm + 1; t <= term; ++t) postingStart[t] = postings.size();
      lastTerm = term;
      lastEntry = 0;
    } else if (entry == lastEntry && entryCount[term] > 0) {
      continue;
    }
    putVarint(postings, (entry - (entryCount[term] > 0 ? lastEntry : 0)) << 2 | part);
    lastEntry = entry;
    ++entryCount[term];
  }
  for (std::uint64_t t = lastTerm + 1; t <= order.size(); ++t) postingStart[t] = postings.size();

  std::string previous;
  for (std::uint32_t k = 0; k < order.size(); ++k) {
    const std::string& term = g.terms[order[k]];
    const bool first = k % termsPerBlock == 0;
    if (first) putU32(blocks, static_cast<std::uint32_t>(terms.size()));
    std::size_t shared = 0;
    if (!first)
      while (shared < term.size() && shared < previous.size() && term[shared] == previous[shared]) ++shared;
    putVarint(terms, shared);
    putVarint(terms, term.size() - shared);
    terms.append(term, shared);
    putVarint(terms, first ? postingStart[k] : postingStart[k] - postingStart[k - 1]);
    putVarint(terms, entryCount[k]);
    previous = term;
  }
  putU32(blocks, static_cast<std::uint32_t>(terms.size()));

  std::string entries, entryBytes;
  for (std::size_t k = 0; k < g.entries.size(); ++k) {
    putU32(entries, static_cast<std::uint32_t>(entryBytes.size()));
    entryBytes += g.entries[k][0];
    entryBytes += static_cast<char>(std::min<std::uint32_t>(g.weights[k], 255));
    entryBytes.append(g.entries[k], 1);
  }
  putU32(entries, static_cast<std::uint32_t>(entryBytes.size()));
  entries += entryBytes;

  const std::uint64_t entriesAt = headerSize, blocksAt = entriesAt + entries.size(), termsAt = blocksAt + blocks.size(),
                      postingsAt = termsAt + terms.size(), fileSize = postingsAt + postings.size();
  std::uint32_t bodyCrc = crcOf(entries.data(), entries.size());
  for (const std::string* part : {&blocks, &terms, &postings})
    bodyCrc = static_cast<std::uint32_t>(
        crc32(bodyCrc, reinterpret_cast<const Bytef*>(part->data()), static_cast<uInt>(part->size())));
  std::string header(magic, sizeof magic);
  putU32(header, version);
  putU32(header, static_cast<std::uint32_t>(g.entries.size()));
  putU32(header, static_cast<std::uint32_t>(order.size()));
  putU32(header, static_cast<std::uint32_t>((order.size() + termsPerBlock - 1) / termsPerBlock));
  putU64(header, state.forward.size);
  putU32(header, state.forward.crc);
  putU64(header, state.reverse.size);
  putU32(header, state.reverse.crc);
  putU64(header, state.articles.size);
  putU32(header, state.articles.crc);
  putU64(header, entriesAt);
  putU64(header, blocksAt);
  putU64(header, termsAt);
  putU64(header, postingsAt);
  putU64(header, fileSize);
  putU32(header, bodyCrc);
  header.resize(headerSize - 4, '\0');
  putU32(header, crcOf(header.data(), header.size()));
  for (const std::string* part : {&header, &entries, &blocks, &terms, &postings})
    if (std::fwrite(part->data(), 1, part->size(), out) != part->size()) return false;
  g.written = fileSize;
  return true;
}

void indexWordFiles(EntryIndexWriter& writer, std::span<const WordRecord> forward, std::span<const WordRecord> reverse,
                    LanguageCodePages codePages) {
  // Several records of a headword are one entry.
  writer.expect(writer.entries() + (forward.size() + reverse.size()) / 2);
  const auto indexRecords = [&writer](int direction, std::span<const WordRecord> records, int translationCodePage) {
    for (const WordRecord& record : records)
      if (!isDeleted(record))
        writer.add(writer.entry(direction, wordOf(record)), toUtf8(translationOf(record), translationCodePage),
                   EntryPart::wordFile);
  };
  indexRecords(0, forward, codePages.home);
  indexRecords(1, reverse, codePages.source);
}

void indexArticle(EntryIndexWriter& writer, std::string_view key, std::string_view article) {
  const std::uint32_t entry = writer.entry(0, key);
  forEachArticlePart(article, [&](std::string_view text, EntryPart part) { writer.add(entry, text, part); });
}

bool indexArticles(EntryIndexWriter& writer, const ArticleFile& articles, std::string& error) {
  writer.expect(articles.keyCount());
  return articles.forEachArticle(
      [&writer](std::string_view key, std::string_view article) {
        indexArticle(writer, key, article);
        return true;
      },
      error);
}

std::filesystem::path articleIndexOf(const std::filesystem::path& wordFile) {
  return std::filesystem::path(wordFile).replace_extension(".fnd");
}

std::filesystem::path wordIndexOf(const std::filesystem::path& wordFile) {
  return std::filesystem::path(wordFile).replace_extension(".fnw");
}

// ---- reading ----

struct EntryIndex::Mapped {
  std::string name;
  const unsigned char* base = nullptr;
  std::size_t size = 0;
  EntryIndexState state;
  std::uint32_t entries = 0, terms = 0, blocks = 0;
  const unsigned char *entryOffsets = nullptr, *entryBytes = nullptr, *blockOffsets = nullptr, *termBytes = nullptr,
                      *termsEnd = nullptr, *postings = nullptr, *end = nullptr;

  Mapped() = default;
  Mapped(const Mapped&) = delete;
  Mapped& operator=(const Mapped&) = delete;
  ~Mapped() {
    if (base) ::munmap(const_cast<unsigned char*>(base), size);
  }

  // A term of the index as read: its bytes, where its postings begin and how many entries.
  struct Term {
    std::string bytes;
    std::uint64_t postingsAt = 0, entries = 0;
  };
  // Calls found for each term that begins with prefix (or equals it, when whole), in order.
  void forTerms(std::string_view prefix, bool whole, const std::function<void(const Term&)>& found) const;
  // Reads the postings of a term into best (an entry's best part, noPart for none).
  void collect(const Term& term, std::vector<std::uint8_t>& best) const;
};

EntryIndex::EntryIndex() = default;
EntryIndex::~EntryIndex() = default;
EntryIndex::EntryIndex(EntryIndex&&) noexcept = default;
EntryIndex& EntryIndex::operator=(EntryIndex&&) noexcept = default;

bool EntryIndex::isOpen() const { return mapped_ != nullptr; }

const EntryIndexState& EntryIndex::state() const {
  static const EntryIndexState none;
  return mapped_ ? mapped_->state : none;
}

std::uint32_t EntryIndex::entryCount() const { return mapped_ ? mapped_->entries : 0; }

bool EntryIndex::open(const std::filesystem::path& path, std::string& error) {
  mapped_.reset();
  error.clear();
  auto m = std::make_unique<Mapped>();
  m->name = path.string();
  const auto fail = [&](const std::string& why) {
    error = m->name + ": " + why;
    return false;
  };
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return errno == ENOENT ? false : fail(std::strerror(errno));
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || static_cast<std::size_t>(info.st_size) < headerSize) {
    ::close(fd);
    return fail("too short for an entry index (damaged or cut short)");
  }
  m->size = static_cast<std::size_t>(info.st_size);
  void* base = ::mmap(nullptr, m->size, PROT_READ, MAP_SHARED, fd, 0);
  const int mapError = errno;
  ::close(fd);
  if (base == MAP_FAILED) return fail(std::strerror(mapError));
  m->base = static_cast<const unsigned char*>(base);
  const unsigned char* h = m->base;
  if (std::memcmp(h, magic, sizeof magic) != 0) return fail("not an entry index");
  if (getU32(h + headerSize - 4) != crcOf(h, headerSize - 4)) return fail("its header is damaged");
  if (getU32(h + 8) != version) return fail("an entry index of another version");
  m->entries = getU32(h + 12);
  m->terms = getU32(h + 16);
  m->blocks = getU32(h + 20);
  m->state.forward = {getU64(h + 24), getU32(h + 32)};
  m->state.reverse = {getU64(h + 36), getU32(h + 44)};
  m->state.articles = {getU64(h + 48), getU32(h + 56)};
  const std::uint64_t entriesAt = getU64(h + 60), blocksAt = getU64(h + 68), termsAt = getU64(h + 76),
                      postingsAt = getU64(h + 84), fileSize = getU64(h + 92);
  if (fileSize != m->size) return fail("its size is not the one its header gives (cut short or damaged)");
  if (!(entriesAt == headerSize && entriesAt + (std::uint64_t{m->entries} + 1) * 4 <= blocksAt &&
        blocksAt + (std::uint64_t{m->blocks} + 1) * 4 == termsAt && termsAt <= postingsAt && postingsAt <= fileSize))
    return fail("its header is damaged");
  if (getU32(h + 100) != crcOf(h + headerSize, m->size - headerSize)) return fail("it is damaged (checksum)");
  m->entryOffsets = h + entriesAt;
  m->entryBytes = m->entryOffsets + (std::size_t{m->entries} + 1) * 4;
  m->blockOffsets = h + blocksAt;
  m->termBytes = h + termsAt;
  m->termsEnd = h + postingsAt;
  m->postings = h + postingsAt;
  m->end = h + fileSize;
  if (m->entryBytes + getU32(m->entryOffsets + std::size_t{m->entries} * 4) != m->blockOffsets)
    return fail("its entries are damaged");
  mapped_ = std::move(m);
  return true;
}

void EntryIndex::Mapped::forTerms(std::string_view prefix, bool whole,
                                  const std::function<void(const Term&)>& found) const {
  // The last block whose first term is not after the prefix: the terms that begin with it start
  // there or later.
  const auto firstTermOf = [this](std::uint32_t block) {
    const unsigned char* at = termBytes + getU32(blockOffsets + std::size_t{block} * 4);
    std::uint64_t shared = 0, rest = 0;
    if (!getVarint(at, termsEnd, shared) || !getVarint(at, termsEnd, rest) ||
        rest > static_cast<std::uint64_t>(termsEnd - at))
      return std::string_view();
    return std::string_view(reinterpret_cast<const char*>(at), rest);
  };
  std::uint32_t low = 0, high = blocks;
  while (high - low > 1) {
    const std::uint32_t middle = low + (high - low) / 2;
    if (firstTermOf(middle) <= prefix)
      low = middle;
    else
      high = middle;
  }
  Term term;
  for (std::uint32_t block = low; block < blocks; ++block) {
    const unsigned char* at = termBytes + getU32(blockOffsets + std::size_t{block} * 4);
    const unsigned char* blockEnd = termBytes + getU32(blockOffsets + std::size_t{block + 1} * 4);
    for (std::uint32_t k = 0; at < blockEnd && k < termsPerBlock; ++k) {
      std::uint64_t shared = 0, rest = 0, postingsFrom = 0, entryCount = 0;
      if (!getVarint(at, blockEnd, shared) || !getVarint(at, blockEnd, rest) || shared > term.bytes.size() ||
          rest > static_cast<std::uint64_t>(blockEnd - at))
        return;
      term.bytes.resize(shared);
      term.bytes.append(reinterpret_cast<const char*>(at), rest);
      at += rest;
      if (!getVarint(at, blockEnd, postingsFrom) || !getVarint(at, blockEnd, entryCount)) return;
      term.postingsAt = k == 0 ? postingsFrom : term.postingsAt + postingsFrom;
      term.entries = entryCount;
      const std::string_view bytes = term.bytes;
      if (bytes < prefix) continue;
      if (!bytes.starts_with(prefix) || (whole && bytes != prefix)) return;
      found(term);
      if (whole) return;
    }
  }
}

void EntryIndex::Mapped::collect(const Term& term, std::vector<std::uint8_t>& best) const {
  const unsigned char* at =
      postings + std::min<std::uint64_t>(term.postingsAt, static_cast<std::uint64_t>(end - postings));
  std::uint64_t entry = 0;
  for (std::uint64_t k = 0; k < term.entries; ++k) {
    std::uint64_t v = 0;
    if (!getVarint(at, end, v)) return;
    entry += v >> 2;
    if (entry >= best.size()) return;
    best[entry] = std::min<std::uint8_t>(best[entry], static_cast<std::uint8_t>(v & 3));
  }
}

bool EntryIndex::entryAt(std::uint32_t number, FoundEntry& entry) const {
  if (!mapped_ || number >= mapped_->entries) return false;
  const Mapped& m = *mapped_;
  const std::uint32_t from = getU32(m.entryOffsets + std::size_t{number} * 4),
                      to = getU32(m.entryOffsets + std::size_t{number + 1} * 4);
  entry = FoundEntry{};
  if (to < from + 2 || m.entryBytes + to > m.blockOffsets) return true;  // damaged: an entry without a headword
  entry.direction = m.entryBytes[from];
  entry.headword.assign(reinterpret_cast<const char*>(m.entryBytes) + from + 2, to - from - 2);
  return true;
}

int EntryIndex::weightAt(std::uint32_t number) const {
  if (!mapped_ || number >= mapped_->entries) return 0;
  const Mapped& m = *mapped_;
  const std::uint32_t from = getU32(m.entryOffsets + std::size_t{number} * 4);
  return m.entryBytes + from + 1 < m.blockOffsets ? m.entryBytes[from + 1] : 0;
}

std::vector<FoundEntry> EntryIndex::find(std::string_view typed, std::size_t limit) const {
  const EntryIndex* self = this;
  return findEntries(std::span(&self, 1), typed, limit);
}

std::vector<FoundEntry> findEntries(std::span<const EntryIndex* const> indexes, std::string_view typed,
                                    std::size_t limit) {
  std::vector<FoundEntry> results;
  std::vector<const EntryIndex::Mapped*> open;
  for (const EntryIndex* index : indexes)
    if (index && index->mapped_) open.push_back(index->mapped_.get());
  std::vector<std::string> words;
  forEachFoldedWord(typed, [&words](std::string_view word) { words.emplace_back(word); });
  if (open.empty() || words.empty() || limit == 0) return results;
  const EntryIndex& all = *indexes.back();  // the last one numbers every entry
  const std::uint32_t entries = all.entryCount();
  // Per entry the words it lacks and the sum of the best parts of those it holds.
  std::vector<std::uint8_t> missing(entries, 0), best(entries);
  std::vector<std::uint32_t> rank(entries, 0);
  for (std::size_t w = 0; w < words.size(); ++w) {
    std::fill(best.begin(), best.end(), noPart);
    const bool last = w + 1 == words.size();
    for (const EntryIndex::Mapped* m : open)
      m->forTerms(words[w], !last, [&](const EntryIndex::Mapped::Term& term) { m->collect(term, best); });
    for (std::uint32_t e = 0; e < entries; ++e) {
      if (best[e] == noPart)
        missing[e] = static_cast<std::uint8_t>(std::min(255, missing[e] + 1));
      else
        rank[e] += best[e];
    }
  }
  // Each entry that holds a word as one number that sorts as the results do: the words it lacks,
  // its rank, its weight (more first), its number.
  std::vector<std::uint64_t> order;
  for (std::uint32_t e = 0; e < entries; ++e) {
    if (missing[e] >= words.size()) continue;
    int weight = 0;
    for (const EntryIndex* index : indexes)
      if (index) weight += index->weightAt(e);
    weight = std::min(weight, 255);
    order.push_back(std::uint64_t{missing[e]} << 56 | std::uint64_t{std::min<std::uint32_t>(rank[e], 0xffff)} << 40 |
                    std::uint64_t(255 - weight) << 32 | e);
  }
  const std::size_t kept = std::min(limit, order.size());
  std::partial_sort(order.begin(), order.begin() + static_cast<std::ptrdiff_t>(kept), order.end());
  for (std::size_t k = 0; k < kept; ++k) {
    const auto e = static_cast<std::uint32_t>(order[k] & 0xffffffffULL);
    FoundEntry entry;
    all.entryAt(e, entry);
    entry.missing = missing[e];
    entry.rank = static_cast<int>(rank[e]);
    results.push_back(std::move(entry));
  }
  return results;
}

}  // namespace zembo
