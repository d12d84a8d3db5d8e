#include "formats/recordsort.h"

#include <sys/mman.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <new>
#include <string>

#include "formats/sorttable.h"
#include "platform/collation.h"

namespace zembo {

namespace {

constexpr std::size_t chunkSize = 4096;
constexpr std::uint64_t finishedBit = std::uint64_t{1} << 63;
constexpr std::size_t bucketCount = 1 << 16;

std::uint64_t keyPrefix(const char* key, std::size_t length) {
  std::uint64_t prefix = 0;
  for (std::size_t i = 0; i < 8; ++i) prefix = (prefix << 8) | (i < length ? static_cast<unsigned char>(key[i]) : 0u);
  return prefix;
}

}  // namespace

// A large array in fresh memory that nothing touches before it is filled (a vector would zero
// it first), on huge pages where the kernel offers them: far fewer page faults.
template <typename T>
class FreshArray {
 public:
  explicit FreshArray(std::size_t size) : size_(size) {
    if (size == 0) return;
    void* memory = ::mmap(nullptr, bytes(), PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (memory == MAP_FAILED) throw std::bad_alloc();
    ::madvise(memory, bytes(), MADV_HUGEPAGE);
    data_ = static_cast<T*>(memory);
  }
  ~FreshArray() {
    if (data_) ::munmap(data_, bytes());
  }
  FreshArray(const FreshArray&) = delete;
  FreshArray& operator=(const FreshArray&) = delete;
  T* begin() const { return data_; }
  T* end() const { return data_ + size_; }
  std::size_t size() const { return size_; }
  T& operator[](std::size_t i) const { return data_[i]; }

 private:
  std::size_t bytes() const { return size_ * sizeof(T); }
  T* data_ = nullptr;
  std::size_t size_;
};

struct CollationKeys::Chunk {
  std::string words;
  std::vector<std::uint32_t> wordEnds;
  std::vector<std::uint32_t> indexes;
  std::string keys;
  std::vector<std::uint32_t> keyEnds;

  Chunk() {
    // Room for words and keys of usual lengths, so that they seldom move while they grow.
    words.reserve(chunkSize * 16);
    keys.reserve(chunkSize * 32);
    wordEnds.reserve(chunkSize);
    indexes.reserve(chunkSize);
    keyEnds.reserve(chunkSize);
  }
  bool full() const { return wordEnds.size() == chunkSize; }

  void makeKeys(const unsigned char* table, CollationKeyMaker& maker) {
    std::string key;
    std::uint32_t begin = 0;
    for (const std::uint32_t end : wordEnds) {
      const std::string_view word = std::string_view(words).substr(begin, end - begin);
      if (table)
        sortTableKey(table, word, key);
      else
        maker.makeKey(word, key);
      keys += key;
      keyEnds.push_back(static_cast<std::uint32_t>(keys.size()));
      begin = end;
    }
  }
};

struct CollationKeys::Entry {
  std::uint64_t prefix;  // the key's first eight bytes, big-endian, so that it compares as the key
  const char* key;
  std::uint32_t length;
  std::uint32_t index;
};

CollationKeys::CollationKeys(std::size_t expectedWords, const unsigned char* sortTable, Ties ties)
    : sortTable_(sortTable), ties_(ties) {
  chunks_.reserve(expectedWords / chunkSize + 1);
  helper_ = std::thread([this, maker = std::make_shared<CollationKeyMaker>()] { makeKeysOfChunks(*maker); });
}

CollationKeys::~CollationKeys() {
  abandoned_ = true;
  published_.fetch_or(finishedBit, std::memory_order_release);
  published_.notify_all();
  if (helper_.joinable()) helper_.join();
}

CollationKeys::Chunk& CollationKeys::chunkToFill() {
  if (chunks_.empty() || chunks_.back()->full()) {
    auto chunk = std::make_unique<Chunk>();
    std::lock_guard lock(chunksLock_);
    chunks_.push_back(std::move(chunk));
  }
  return *chunks_.back();
}

void CollationKeys::add(std::string_view word) {
  Chunk& chunk = chunkToFill();
  chunk.words += word;
  chunk.wordEnds.push_back(static_cast<std::uint32_t>(chunk.words.size()));
  chunk.indexes.push_back(static_cast<std::uint32_t>(indexes_++));
  if (chunk.full()) {
    published_.store(chunks_.size(), std::memory_order_release);
    published_.notify_one();
  }
}

void CollationKeys::skip() { ++indexes_; }

void CollationKeys::allAdded() {
  published_.store(chunks_.size() | finishedBit, std::memory_order_release);
  published_.notify_all();
}

CollationKeys::Chunk* CollationKeys::publishedChunk(std::size_t k) {
  std::lock_guard lock(chunksLock_);
  return chunks_[k].get();
}

// Takes the next chunk nobody has taken, waiting for it to be published, until all are done.
void CollationKeys::makeKeysOfChunks(CollationKeyMaker& maker) {
  while (!abandoned_) {
    const std::size_t k = nextChunk_.fetch_add(1);
    std::uint64_t state = published_.load(std::memory_order_acquire);
    while ((state & ~finishedBit) <= k) {
      if (state & finishedBit) return;
      published_.wait(state, std::memory_order_acquire);
      state = published_.load(std::memory_order_acquire);
    }
    if (abandoned_) return;
    publishedChunk(k)->makeKeys(sortTable_, maker);
  }
}

void CollationKeys::finishKeys() {
  if (!(published_.load() & finishedBit)) allAdded();
  CollationKeyMaker maker;
  makeKeysOfChunks(maker);
  if (helper_.joinable()) helper_.join();
}

// Counting first lets every entry go straight to its place.
void CollationKeys::groupByLeadingBytes(FreshArray<Entry>& entries, std::vector<std::size_t>& starts,
                                        const std::function<void(std::size_t placed)>& onPlaced) const {
  starts.assign(bucketCount + 1, 0);
  const auto bucketOf = [](const char* key, std::size_t length) {
    return static_cast<std::size_t>(keyPrefix(key, std::min<std::size_t>(length, 2)) >> 48);
  };
  for (const auto& chunk : chunks_) {
    std::uint32_t begin = 0;
    for (const std::uint32_t end : chunk->keyEnds) {
      ++starts[bucketOf(chunk->keys.data() + begin, end - begin) + 1];
      begin = end;
    }
  }
  for (std::size_t b = 1; b <= bucketCount; ++b) starts[b] += starts[b - 1];
  std::vector<std::size_t> next(starts.begin(), starts.end() - 1);
  for (const auto& chunk : chunks_) {
    std::uint32_t begin = 0;
    for (std::size_t i = 0; i < chunk->keyEnds.size(); ++i) {
      const char* key = chunk->keys.data() + begin;
      const std::uint32_t length = chunk->keyEnds[i] - begin;
      const std::uint64_t prefix = keyPrefix(key, length);
      entries[next[prefix >> 48]++] = {prefix, key, length, chunk->indexes[i]};
      begin = chunk->keyEnds[i];
    }
    onPlaced(chunk->keyEnds.size());
  }
}

std::vector<std::uint32_t> CollationKeys::sortRecords(std::span<const WordRecord> records,
                                                      const std::function<void(std::int64_t count)>& onSteps,
                                                      std::int64_t interval) {
  finishKeys();
  std::size_t entryCount = 0;
  for (const auto& chunk : chunks_) entryCount += chunk->keyEnds.size();
  FreshArray<Entry> sorted(entryCount);
  // The count reported is this core's steps and the other's as it last published them. Grouping
  // does most of the work of a sort whose groups are small, so its records count as steps too.
  std::int64_t ownCount = 0, helperCount = 0, nextReport = 0;
  std::atomic<std::int64_t> helperPublished{0};
  const auto report = [&] {
    if (!onSteps || entryCount == 0) return;
    const std::int64_t total = ownCount + helperPublished.load(std::memory_order_relaxed);
    for (; nextReport <= total; nextReport += std::max<std::int64_t>(interval, 1)) onSteps(nextReport);
  };
  std::vector<std::size_t> starts;
  groupByLeadingBytes(sorted, starts, [&](std::size_t placed) {
    ownCount += static_cast<std::int64_t>(placed);
    report();
  });
  const bool byBytes = ties_ == Ties::byteEqualWordsTogether;
  const auto before = [records, byBytes](const Entry& a, const Entry& b) {
    if (a.prefix != b.prefix) return a.prefix < b.prefix;
    const std::uint32_t common = std::min(a.length, b.length);
    if (common > 8) {
      const int c = std::memcmp(a.key + 8, b.key + 8, common - 8);
      if (c != 0) return c < 0;
    }
    if (a.length != b.length) return a.length < b.length;
    if (byBytes) {
      const int c = wordOf(records[a.index]).compare(wordOf(records[b.index]));
      if (c != 0) return c < 0;
    }
    return a.index < b.index;
  };

  // The first half of the entries is sorted by this core, the rest by the other, group by group.
  const std::size_t split =
      static_cast<std::size_t>(std::lower_bound(starts.begin(), starts.end(), sorted.size() / 2) - starts.begin());
  const std::size_t ownEnd = std::min(split, bucketCount);
  const auto sortBuckets = [&](std::size_t first, std::size_t last, auto compare) {
    for (std::size_t b = first; b < last; ++b)
      if (starts[b + 1] - starts[b] > 1) std::sort(sorted.begin() + starts[b], sorted.begin() + starts[b + 1], compare);
  };
  std::atomic<bool> helperDone{false}, helperStop{false};
  struct HelperStopped {};
  std::thread sortHelper([&] {
    try {
      sortBuckets(ownEnd, bucketCount, [&](const Entry& a, const Entry& b) {
        if (++helperCount % 256 == 0) {
          helperPublished.store(helperCount, std::memory_order_relaxed);
          if (helperStop.load(std::memory_order_relaxed)) throw HelperStopped{};
        }
        return before(a, b);
      });
    } catch (const HelperStopped&) {
    }
    helperDone = true;
  });
  // onSteps may end the sort with an exception: the other core stops, and is waited for, first.
  struct StopAndJoin {
    std::atomic<bool>& stop;
    std::thread& thread;
    ~StopAndJoin() {
      stop = true;
      if (thread.joinable()) thread.join();
    }
  } stopAndJoin{helperStop, sortHelper};
  sortBuckets(0, ownEnd, [&](const Entry& a, const Entry& b) {
    if (ownCount++ % 64 == 0) report();
    return before(a, b);
  });
  // The other core's half may take longer: its progress goes on showing meanwhile.
  while (onSteps && !helperDone) {
    report();
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  sortHelper.join();
  helperPublished = helperCount;
  report();
  steps_ = ownCount + helperCount;
  std::vector<std::uint32_t> order(sorted.size());
  for (std::size_t i = 0; i < sorted.size(); ++i) order[i] = sorted[i].index;
  return order;
}

}  // namespace zembo
