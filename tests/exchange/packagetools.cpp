#include "tests/exchange/packagetools.h"

#include <sqlite3.h>
#include <zip.h>
#include <zstd.h>

#include <memory>

namespace zembo::test {

std::string zipEntry(const std::filesystem::path& archive, const std::string& name) {
  int code = 0;
  zip_t* zip = zip_open(archive.c_str(), ZIP_RDONLY, &code);
  if (zip == nullptr) return "<missing>";
  std::string bytes = "<missing>";
  zip_stat_t stat;
  zip_file_t* file = nullptr;
  if (zip_stat(zip, name.c_str(), 0, &stat) == 0 && (file = zip_fopen(zip, name.c_str(), 0)) != nullptr) {
    bytes.assign(stat.size, '\0');
    if (zip_fread(file, bytes.data(), stat.size) != zip_int64_t(stat.size)) bytes = "<unreadable>";
    zip_fclose(file);
  }
  zip_discard(zip);
  return bytes;
}

std::vector<std::string> zipNames(const std::filesystem::path& archive) {
  std::vector<std::string> names;
  int code = 0;
  zip_t* zip = zip_open(archive.c_str(), ZIP_RDONLY, &code);
  if (zip == nullptr) return names;
  for (zip_int64_t i = 0; i < zip_get_num_entries(zip, 0); ++i) names.emplace_back(zip_get_name(zip, i, 0));
  zip_discard(zip);
  return names;
}

bool writeZip(const std::filesystem::path& archive, const std::vector<ZipEntry>& entries) {
  int code = 0;
  zip_t* zip = zip_open(archive.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &code);
  if (zip == nullptr) return false;
  for (const ZipEntry& entry : entries) {
    zip_source_t* source = zip_source_buffer(zip, entry.bytes.data(), entry.bytes.size(), 0);
    const zip_int64_t index = source ? zip_file_add(zip, entry.name.c_str(), source, ZIP_FL_ENC_UTF_8) : -1;
    if (index < 0) {
      zip_source_free(source);
      zip_discard(zip);
      return false;
    }
    zip_set_file_compression(zip, zip_uint64_t(index), entry.compress ? ZIP_CM_DEFLATE : ZIP_CM_STORE, 9);
  }
  if (zip_close(zip) == 0) return true;
  zip_discard(zip);
  return false;
}

std::vector<std::vector<std::string>> queryRows(const std::filesystem::path& database, const std::string& sql) {
  std::vector<std::vector<std::string>> rows;
  sqlite3* db = nullptr;
  if (sqlite3_open_v2(database.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
    sqlite3_close(db);
    return rows;
  }
  sqlite3_stmt* statement = nullptr;
  if (sqlite3_prepare_v2(db, sql.c_str(), -1, &statement, nullptr) == SQLITE_OK) {
    while (sqlite3_step(statement) == SQLITE_ROW) {
      std::vector<std::string> row;
      for (int c = 0; c < sqlite3_column_count(statement); ++c) {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, c));
        row.emplace_back(text ? std::string(text, std::size_t(sqlite3_column_bytes(statement, c))) : "NULL");
      }
      rows.push_back(std::move(row));
    }
  }
  sqlite3_finalize(statement);
  sqlite3_close(db);
  return rows;
}

std::string queryValue(const std::filesystem::path& database, const std::string& sql) {
  const auto rows = queryRows(database, sql);
  return rows.empty() || rows[0].empty() ? "<none>" : rows[0][0];
}

bool executeSql(const std::filesystem::path& database, const std::string& sql) {
  sqlite3* db = nullptr;
  bool done = sqlite3_open(database.c_str(), &db) == SQLITE_OK;
  done = done && sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
  sqlite3_close(db);
  return done;
}

std::string zstdCompress(const std::string& bytes) {
  std::string packed(ZSTD_compressBound(bytes.size()), '\0');
  const std::size_t size = ZSTD_compress(packed.data(), packed.size(), bytes.data(), bytes.size(), 3);
  packed.resize(ZSTD_isError(size) ? 0 : size);
  return packed;
}

}  // namespace zembo::test
