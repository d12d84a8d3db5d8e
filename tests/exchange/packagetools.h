#pragma once
// What the exchange tests do with zip archives and SQLite files on their own, to look into a
// package and to make the packages other programs write.

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace zembo::test {

// An entry's bytes, or "<missing>" when the archive has no such entry.
std::string zipEntry(const std::filesystem::path& archive, const std::string& name);
// The names of the archive's entries, in order.
std::vector<std::string> zipNames(const std::filesystem::path& archive);

struct ZipEntry {
  std::string name;
  std::string bytes;
  bool compress = true;
};
// Writes a new zip archive of the entries; false when libzip refused.
bool writeZip(const std::filesystem::path& archive, const std::vector<ZipEntry>& entries);

// Every row of a query's result, each column as text ("NULL" for a null).
std::vector<std::vector<std::string>> queryRows(const std::filesystem::path& database, const std::string& sql);
// The first column of the first row, or "<none>".
std::string queryValue(const std::filesystem::path& database, const std::string& sql);
// Runs statements on a database, making it when new; false on an error.
bool executeSql(const std::filesystem::path& database, const std::string& sql);

// The bytes compressed into one zstd frame.
std::string zstdCompress(const std::string& bytes);

}  // namespace zembo::test
