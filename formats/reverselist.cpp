#include "formats/reverselist.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <utility>

namespace zembo {

namespace {

constexpr int recordSize = sizeof(WordRecord);
constexpr std::size_t prefetchDistance = 16;
constexpr std::size_t blockRecords = 1 << 15;
// A list of reverse records grows in steps of space set aside this large.
constexpr std::int64_t reserveStep = std::int64_t{64} << 20;

void count(const RecordCounter& counter, std::size_t done) {
  if (counter) counter(static_cast<std::int64_t>(done));
}

// Appends translations of later records of the same word while they fit in the field.
void appendTranslation(WordRecord& first, std::string_view more) {
  const std::string_view have = translationOf(first);
  if (have.size() + more.size() + 2 > translationFieldSize - 1) return;
  std::string joined(have);
  joined.append(", ").append(more);
  setField(first.translation, sizeof first.translation, joined);
}

}  // namespace

void reserveSpace(std::FILE* file, std::int64_t bytes) { ::fallocate(fileno(file), FALLOC_FL_KEEP_SIZE, 0, bytes); }

bool giveBackSpace(std::FILE* file) { return std::fflush(file) == 0 && ::ftruncate(fileno(file), ::ftello(file)) == 0; }

std::string_view reverseWord(std::string_view fromWord, std::string_view part) {
  const std::size_t firstNonBlank = part.find_first_not_of(' ');
  // A part of blanks only would make a record without a word.
  if (firstNonBlank == std::string_view::npos) return {};
  part.remove_prefix(firstNonBlank);
  if (fromWord.size() > translationFieldSize - 1 || part.size() > wordFieldSize - 1) return {};
  return part;
}

WordRecord reverseRecord(std::string_view word, std::string_view fromWord) {
  WordRecord record{};
  setField(record.word, sizeof record.word, word);
  setField(record.translation, sizeof record.translation, fromWord);
  return record;
}

std::size_t mostReverseRecords(Records fromRecords) { return fromRecords.size() * ((translationFieldSize + 1) / 2); }

bool writeReverseRecords(std::FILE* out, Records fromRecords, const std::function<void(std::string_view word)>& added,
                         const RecordCounter& counter) {
  std::int64_t reserved = 0, written = 0;
  bool ok = true;
  for (std::size_t i = 0; ok && i < fromRecords.size(); ++i) {
    if (i % 100 == 0) count(counter, i);
    if ((written + translationFieldSize) * recordSize > reserved) reserveSpace(out, reserved += reserveStep);
    const std::string_view fromWord = wordOf(fromRecords[i]);
    forEachReverseWord(fromWord, translationOf(fromRecords[i]), [&](std::string_view word) {
      const WordRecord record = reverseRecord(word, fromWord);
      // The list is written by this thread alone, a record at a time: no locking for each one.
      if (!ok || ::fwrite_unlocked(&record, recordSize, 1, out) != 1) {
        ok = false;
        return;
      }
      ++written;
      if (added) added(word);
    });
  }
  return ok && giveBackSpace(out);
}

LoadedList::LoadedList(void* mapping, std::size_t count) : mapping_(mapping), count_(count) {}

LoadedList::~LoadedList() {
  if (mapping_) ::munmap(mapping_, count_ * recordSize);
}

LoadedList::LoadedList(LoadedList&& other) noexcept
    : mapping_(std::exchange(other.mapping_, nullptr)), count_(std::exchange(other.count_, 0)) {}

LoadedList& LoadedList::operator=(LoadedList&& other) noexcept {
  std::swap(mapping_, other.mapping_);
  std::swap(count_, other.count_);
  return *this;
}

bool loadRecords(std::FILE* list, LoadedList& into, const RecordCounter& counter) {
  into = {};
  struct stat st {};
  const std::size_t total = ::fstat(fileno(list), &st) == 0 ? static_cast<std::size_t>(st.st_size) / recordSize : 0;
  if (total == 0) return true;
  void* mapping = ::mmap(nullptr, total * recordSize, PROT_READ, MAP_PRIVATE, fileno(list), 0);
  if (mapping == MAP_FAILED) return false;
  ::madvise(mapping, total * recordSize, MADV_WILLNEED);
  into = LoadedList(mapping, total);
  // The records come in as they are first touched.
  const Records records = into.records();
  volatile char touched = 0;
  for (std::size_t i = 0; i < total; i += 100) {
    count(counter, i);
    touched = static_cast<char>(touched + records[i].word[0]);
  }
  return true;
}

RecordWriter::RecordWriter(std::FILE* out, std::size_t expected) : out_(out) {
  block_.reserve(blockRecords);
  reserveSpace(out, static_cast<std::int64_t>(expected) * recordSize);
}

bool RecordWriter::add(const WordRecord& record) {
  block_.push_back(record);
  return block_.size() < blockRecords || writeBlock();
}

bool RecordWriter::finish() { return writeBlock() && giveBackSpace(out_); }

bool RecordWriter::writeBlock() {
  const bool ok =
      std::fwrite(block_.data(), recordSize, block_.size(), out_) == block_.size() && std::fflush(out_) == 0;
  const std::int64_t bytes = static_cast<std::int64_t>(block_.size()) * recordSize;
  ::sync_file_range(fileno(out_), written_, bytes, SYNC_FILE_RANGE_WRITE);
  written_ += bytes;
  block_.clear();
  return ok;
}

bool writeMergedList(std::FILE* out, Records records, const std::vector<std::uint32_t>& order,
                     const RecordCounter& counter) {
  RecordWriter writer(out, order.size());
  std::size_t i = 0;
  while (i < order.size()) {
    if (i % 100 == 0) count(counter, i);
    // The records are visited in sorted order, all over memory: fetch ahead.
    if (i + prefetchDistance < order.size()) __builtin_prefetch(&records[order[i + prefetchDistance]]);
    WordRecord first = records[order[i]];
    for (++i; i < order.size() && wordOf(records[order[i]]) == wordOf(first); ++i) {
      if (i % 100 == 0) count(counter, i);
      appendTranslation(first, translationOf(records[order[i]]));
    }
    if (!writer.add(first)) return false;
  }
  return writer.finish();
}

}  // namespace zembo
