// The notes of a deck package, read without trusting it: its names are only compared, never used
// as paths; what it unpacks to is counted as it comes, against the limit and against its own
// declared sizes; the collection is opened read-only from a folder of our own.

#include <sqlite3.h>
#include <zip.h>
#include <zstd.h>

#include <cstdio>
#include <functional>
#include <memory>

#include "exchange/apkg.h"
#include "exchange/privatefolder.h"

namespace zembo {
namespace {

// No real collection compresses better than this; a larger entry that does is a zip bomb.
constexpr std::uint64_t absurdRatio = 200;
constexpr std::uint64_t ratioCheckedFrom = 1 << 20;

using Archive = std::unique_ptr<zip_t, decltype(&zip_discard)>;
using EntryReader = std::unique_ptr<zip_file_t, decltype(&zip_fclose)>;
using OutFile = std::unique_ptr<std::FILE, decltype(&std::fclose)>;

std::string openingError(int code, ReadFault& fault) {
  switch (code) {
    case ZIP_ER_NOZIP:
      fault = ReadFault::notZip;
      return "the file is no zip archive, so no Anki package";
    case ZIP_ER_NOENT:
    case ZIP_ER_OPEN:
    case ZIP_ER_READ:
      fault = ReadFault::unreadable;
      return "the file cannot be read";
    default: {
      fault = ReadFault::damaged;
      zip_error_t failure;
      zip_error_init_with_code(&failure, code);
      std::string message = "the package is damaged: " + std::string(zip_error_strerror(&failure));
      zip_error_fini(&failure);
      return message;
    }
  }
}

std::string sizeText(std::uint64_t bytes) { return std::to_string(bytes / (1 << 20)) + " MB"; }

bool absurdlyCompressed(std::uint64_t size, std::uint64_t compressed) {
  return size > ratioCheckedFrom && size / std::max<std::uint64_t>(compressed, 1) > absurdRatio;
}

// The sizes the archive declares for an entry, checked before a byte of it is unpacked.
std::string declaredSizeProblem(zip_t* archive, zip_uint64_t index, std::uint64_t sizeLimit, std::uint64_t& size,
                                bool& refused) {
  zip_stat_t stat;
  zip_stat_init(&stat);
  if (zip_stat_index(archive, index, 0, &stat) != 0 || !(stat.valid & ZIP_STAT_SIZE) ||
      !(stat.valid & ZIP_STAT_COMP_SIZE))
    return "the package is damaged: an entry has no size";
  size = stat.size;
  refused = stat.size > sizeLimit || absurdlyCompressed(stat.size, stat.comp_size);
  if (stat.size > sizeLimit) return "the package's collection would unpack to more than " + sizeText(sizeLimit);
  if (absurdlyCompressed(stat.size, stat.comp_size)) return "the package's collection is packed beyond belief";
  return {};
}

// Hands the entry's bytes to sink as they are unpacked, at most declared of them.
std::string readEntry(zip_t* archive, zip_uint64_t index, std::uint64_t declared,
                      const std::function<std::string(const char*, std::size_t)>& sink) {
  EntryReader entry(zip_fopen_index(archive, index, 0), &zip_fclose);
  if (!entry) return "the package's collection cannot be read: " + std::string(zip_strerror(archive));
  std::uint64_t total = 0;
  char buffer[65536];
  for (;;) {
    const zip_int64_t n = zip_fread(entry.get(), buffer, sizeof buffer);
    if (n < 0) return "the package's collection cannot be read: " + std::string(zip_file_strerror(entry.get()));
    if (n == 0) return {};
    total += std::uint64_t(n);
    if (total > declared) return "the package's collection is larger than the package says";
    std::string problem = sink(buffer, std::size_t(n));
    if (!problem.empty()) return problem;
  }
}

std::string writeTo(std::FILE* out, const char* bytes, std::size_t size) {
  return std::fwrite(bytes, 1, size, out) == size ? std::string()
                                                  : "no room for the collection in the temporary folder";
}

// Unpacks a zstd stream onto out as it comes, counting what it makes.
class ZstdUnpacker {
 public:
  ZstdUnpacker(std::FILE* out, std::uint64_t sizeLimit, std::uint64_t packedSize)
      : stream_(ZSTD_createDStream(), &ZSTD_freeDStream), out_(out), limit_(sizeLimit), packed_(packedSize) {}

  std::string feed(const char* bytes, std::size_t size) {
    if (!stream_) return "out of memory";
    ZSTD_inBuffer in{bytes, size, 0};
    while (in.pos < in.size) {
      ZSTD_outBuffer out{buffer_, sizeof buffer_, 0};
      lastResult_ = ZSTD_decompressStream(stream_.get(), &out, &in);
      if (ZSTD_isError(lastResult_))
        return "the package's collection is damaged: " + std::string(ZSTD_getErrorName(lastResult_));
      made_ += out.pos;
      refused_ = made_ > limit_ || absurdlyCompressed(made_, packed_);
      if (made_ > limit_) return "the package's collection would unpack to more than " + sizeText(limit_);
      if (absurdlyCompressed(made_, packed_)) return "the package's collection is packed beyond belief";
      std::string problem = writeTo(out_, buffer_, out.pos);
      if (!problem.empty()) return problem;
    }
    return {};
  }
  // A stream that ended in the middle of a frame.
  bool complete() const { return made_ > 0 && lastResult_ == 0; }
  // Whether it stopped because the collection grew beyond the limit or any real ratio.
  bool refused() const { return refused_; }

 private:
  std::unique_ptr<ZSTD_DStream, decltype(&ZSTD_freeDStream)> stream_;
  std::FILE* out_;
  std::uint64_t limit_;
  std::uint64_t packed_;
  std::uint64_t made_ = 0;
  std::size_t lastResult_ = 1;
  bool refused_ = false;
  char buffer_[65536];
};

std::string unpackCollection(zip_t* archive, zip_uint64_t index, bool zstd, const std::filesystem::path& file,
                             std::uint64_t sizeLimit, bool& refused) {
  std::uint64_t declared = 0;
  std::string problem = declaredSizeProblem(archive, index, sizeLimit, declared, refused);
  if (!problem.empty()) return problem;
  OutFile out(std::fopen(file.c_str(), "wb"), &std::fclose);
  if (!out) return "cannot write the collection to the temporary folder";
  if (!zstd) {
    problem =
        readEntry(archive, index, declared, [&out](const char* b, std::size_t n) { return writeTo(out.get(), b, n); });
  } else {
    auto unpacker = std::make_unique<ZstdUnpacker>(out.get(), sizeLimit, declared);
    problem =
        readEntry(archive, index, declared, [&unpacker](const char* b, std::size_t n) { return unpacker->feed(b, n); });
    refused = unpacker->refused();
    if (problem.empty() && !unpacker->complete()) problem = "the package's collection is cut short";
  }
  if (problem.empty() && std::fflush(out.get()) != 0) problem = "no room for the collection in the temporary folder";
  return problem;
}

std::vector<std::string> splitFields(std::string_view joined) {
  std::vector<std::string> fields;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = joined.find('\x1f', start);
    fields.emplace_back(joined.substr(start, end == std::string_view::npos ? end : end - start));
    if (end == std::string_view::npos) return fields;
    start = end + 1;
  }
}

std::string readNotes(const std::filesystem::path& file, std::vector<std::vector<std::string>>& notes,
                      ReadFault& fault) {
  fault = ReadFault::damaged;
  sqlite3* opened = nullptr;
  const int status = sqlite3_open_v2(file.c_str(), &opened, SQLITE_OPEN_READONLY, nullptr);
  const std::unique_ptr<sqlite3, decltype(&sqlite3_close)> db(opened, &sqlite3_close);
  if (status != SQLITE_OK) return "the package's collection cannot be opened";
  // A collection is data: nothing in its schema may run functions of ours or change the file.
  sqlite3_db_config(db.get(), SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
  sqlite3_db_config(db.get(), SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, nullptr);
  sqlite3_stmt* prepared = nullptr;
  if (sqlite3_prepare_v2(db.get(), "select flds from notes order by id", -1, &prepared, nullptr) != SQLITE_OK) {
    fault = ReadFault::noCollection;
    return "the package holds no Anki collection: " + std::string(sqlite3_errmsg(db.get()));
  }
  const std::unique_ptr<sqlite3_stmt, decltype(&sqlite3_finalize)> query(prepared, &sqlite3_finalize);
  int step = SQLITE_ROW;
  while ((step = sqlite3_step(query.get())) == SQLITE_ROW) {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(query.get(), 0));
    const int size = sqlite3_column_bytes(query.get(), 0);
    notes.push_back(splitFields(text == nullptr ? std::string_view() : std::string_view(text, std::size_t(size))));
  }
  if (step == SQLITE_DONE) {
    fault = ReadFault::none;
    return {};
  }
  notes.clear();
  return "the package's collection is damaged: " + std::string(sqlite3_errmsg(db.get()));
}

}  // namespace

ApkgRead readApkg(const std::filesystem::path& file, std::uint64_t sizeLimit) {
  ApkgRead read;
  int code = 0;
  Archive archive(zip_open(file.c_str(), ZIP_RDONLY | ZIP_CHECKCONS, &code), &zip_discard);
  if (!archive) {
    read.error = openingError(code, read.fault);
    return read;
  }
  // Current Anki writes its collection as anki21b and leaves in anki2 only a note asking for a
  // newer version: the newest collection the package holds is the deck.
  const struct {
    const char* name;
    bool zstd;
  } collections[] = {{"collection.anki21b", true}, {"collection.anki21", false}, {"collection.anki2", false}};
  for (const auto& collection : collections) {
    const zip_int64_t index = zip_name_locate(archive.get(), collection.name, 0);
    if (index < 0) continue;
    const PrivateFolder folder;
    if (folder.path().empty()) {
      read.error = folder.error();
      read.fault = ReadFault::unreadable;
      return read;
    }
    const std::filesystem::path unpacked = folder.path() / "collection";
    bool refused = false;
    read.error = unpackCollection(archive.get(), zip_uint64_t(index), collection.zstd, unpacked, sizeLimit, refused);
    if (!read.error.empty())
      read.fault = refused ? ReadFault::tooBig : ReadFault::damaged;
    else
      read.error = readNotes(unpacked, read.notes, read.fault);
    return read;
  }
  read.error = "the zip archive holds no Anki collection";
  read.fault = ReadFault::noCollection;
  return read;
}

}  // namespace zembo
