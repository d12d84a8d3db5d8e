#include "formats/recordsort.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "platform/collation.h"

namespace zembo {

namespace {

constexpr std::size_t chunkSize = 4096;
constexpr std::uint64_t finishedBit = std::uint64_t{1} << 63;

struct SortEntry {
  std::uint64_t prefix;  // the key's first eight bytes, big-endian, so that it compares as the key
  const char* key;
  std::uint32_t length;
  std::uint32_t index;
};

std::uint64_t keyPrefix(const char* key, std::uint32_t length) {
  std::uint64_t prefix = 0;
  for (std::uint32_t i = 0; i < 8; ++i)
    prefix = (prefix << 8) | (i < length ? static_cast<unsigned char>(key[i]) : 0u);
  return prefix;
}

bool entryBefore(std::span<const WordRecord> records, const SortEntry& a, const SortEntry& b) {
  if (a.prefix != b.prefix) return a.prefix < b.prefix;
  const std::uint32_t common = std::min(a.length, b.length);
  if (common > 8) {
    const int c = std::memcmp(a.key + 8, b.key + 8, common - 8);
    if (c != 0) return c < 0;
  }
  if (a.length != b.length) return a.length < b.length;
  const int c = wordOf(records[a.index]).compare(wordOf(records[b.index]));
  return c != 0 ? c < 0 : a.index < b.index;
}

constexpr std::size_t bucketCount = 1 << 16;

// The entries grouped by their first two key bytes, in that order; starts holds where each group
// begins, and the end.
std::vector<SortEntry> distributeByLeadingBytes(const std::vector<SortEntry>& entries, std::vector<std::size_t>& starts) {
  starts.assign(bucketCount + 1, 0);
  for (const SortEntry& e : entries) ++starts[(e.prefix >> 48) + 1];
  for (std::size_t b = 1; b <= bucketCount; ++b) starts[b] += starts[b - 1];
  std::vector<std::size_t> next(starts.begin(), starts.end() - 1);
  std::vector<SortEntry> grouped(entries.size());
  for (const SortEntry& e : entries) grouped[next[e.prefix >> 48]++] = e;
  return grouped;
}

}  // namespace

struct CollationKeys::Chunk {
  std::string words;
  std::vector<std::uint32_t> wordEnds;
  std::string keys;
  std::vector<std::uint32_t> keyEnds;

  void makeKeys(CollationKeyMaker& maker) {
    std::string key;
    std::uint32_t begin = 0;
    for (const std::uint32_t end : wordEnds) {
      maker.makeKey(std::string_view(words).substr(begin, end - begin), key);
      keys += key;
      keyEnds.push_back(static_cast<std::uint32_t>(keys.size()));
      begin = end;
    }
  }
};

CollationKeys::CollationKeys(std::size_t maxWords) : chunks_(maxWords / chunkSize + 1) {
  helper_ = std::thread([this, maker = std::make_shared<CollationKeyMaker>()] {
    makeKeysOfChunks(*maker);
  });
}

CollationKeys::~CollationKeys() {
  abandoned_ = true;
  published_.fetch_or(finishedBit, std::memory_order_release);
  published_.notify_all();
  if (helper_.joinable()) helper_.join();
}

void CollationKeys::add(std::string_view word) {
  std::unique_ptr<Chunk>& chunk = chunks_.at(added_ / chunkSize);
  if (!chunk) {
    chunk = std::make_unique<Chunk>();
    chunk->wordEnds.reserve(chunkSize);
    chunk->keyEnds.reserve(chunkSize);
  }
  chunk->words += word;
  chunk->wordEnds.push_back(static_cast<std::uint32_t>(chunk->words.size()));
  if (++added_ % chunkSize == 0) {
    published_.store(added_ / chunkSize, std::memory_order_release);
    published_.notify_one();
  }
}

void CollationKeys::allAdded() {
  published_.store(((added_ + chunkSize - 1) / chunkSize) | finishedBit, std::memory_order_release);
  published_.notify_all();
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
    chunks_[k]->makeKeys(maker);
  }
}

void CollationKeys::finishKeys() {
  if (!(published_.load() & finishedBit)) allAdded();
  CollationKeyMaker maker;
  makeKeysOfChunks(maker);
  if (helper_.joinable()) helper_.join();
}

std::vector<std::uint32_t> CollationKeys::sortRecords(std::span<const WordRecord> records,
                                                      void (*onComparisons)(std::int64_t count)) {
  finishKeys();
  std::vector<SortEntry> entries;
  entries.reserve(added_);
  for (std::size_t k = 0; k * chunkSize < added_; ++k) {
    const Chunk& chunk = *chunks_[k];
    std::uint32_t begin = 0;
    for (std::size_t i = 0; i < chunk.keyEnds.size(); ++i) {
      const char* key = chunk.keys.data() + begin;
      const std::uint32_t length = chunk.keyEnds[i] - begin;
      entries.push_back({keyPrefix(key, length), key, length, static_cast<std::uint32_t>(k * chunkSize + i)});
      begin = chunk.keyEnds[i];
    }
  }

  // One counting pass puts the entries into buckets by the first two key bytes; the buckets are
  // then sorted one by one, the first half of the entries by this core and the rest by the other.
  std::vector<std::size_t> starts;
  std::vector<SortEntry> sorted = distributeByLeadingBytes(entries, starts);
  entries = {};
  const std::size_t buckets = starts.size() - 1;
  const std::size_t split = static_cast<std::size_t>(
      std::lower_bound(starts.begin(), starts.end(), sorted.size() / 2) - starts.begin());
  // The count reported is this core's comparisons and the other's as it last published them.
  std::int64_t ownCount = 0, helperCount = 0;
  std::atomic<std::int64_t> helperPublished{0};
  const auto before = [records](const SortEntry& a, const SortEntry& b) { return entryBefore(records, a, b); };
  const auto sortBuckets = [&](std::size_t first, std::size_t last, auto compare) {
    for (std::size_t b = first; b < last; ++b)
      std::sort(sorted.begin() + static_cast<std::ptrdiff_t>(starts[b]),
                sorted.begin() + static_cast<std::ptrdiff_t>(starts[b + 1]), compare);
  };
  std::thread sortHelper([&] {
    sortBuckets(std::min(split, buckets), buckets, [&](const SortEntry& a, const SortEntry& b) {
      if (++helperCount % 1024 == 0) helperPublished.store(helperCount, std::memory_order_relaxed);
      return before(a, b);
    });
  });
  sortBuckets(0, std::min(split, buckets), [&](const SortEntry& a, const SortEntry& b) {
    if (++ownCount % 1000 == 0 && onComparisons)
      onComparisons(ownCount + helperPublished.load(std::memory_order_relaxed));
    return before(a, b);
  });
  sortHelper.join();
  comparisons_ = ownCount + helperCount;
  std::vector<std::uint32_t> order(sorted.size());
  for (std::size_t i = 0; i < sorted.size(); ++i) order[i] = sorted[i].index;
  return order;
}

}  // namespace zembo
