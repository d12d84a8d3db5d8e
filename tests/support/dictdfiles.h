#pragma once
// Small dictd dictionaries made by the tests and the import benchmark: an index and a dictzip'd
// (or plain) data file of articles as the FreeDict dictionaries shape them.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace zembo::test {

struct DictdArticle {
  std::string headword;  // as the index names it
  std::string text;      // the whole article, UTF-8
};

// The number in dictd's base64 digits.
std::string base64Number(std::uint64_t value);

// Writes base + ".index" and base + ".dict.dz" (dictzip, chunks of chunkLength bytes), or
// base + ".dict" when compressed is false.
void writeDictd(const std::filesystem::path& base, const std::vector<DictdArticle>& articles, bool compressed = true,
                std::size_t chunkLength = 4096);

// The dictzip form of data.
std::string dictzip(const std::string& data, std::size_t chunkLength);

}  // namespace zembo::test
