// Builds a word file from a text list, for the sample dictionaries: each line of the UTF-8 input
// is a word, a tab and its translation; the records are written in the code page of the language,
// sorted in the collation of the direction, as zembo bisects them.
//
//   mkwordfile --locale french [--table tables/French.stb] [--codepage 1252] in.tsv out.zb

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "formats/sorttable.h"
#include "formats/wordrecord.h"
#include "platform/codepage.h"
#include "platform/collation.h"

namespace {

struct Entry {
  std::string key;
  zembo::WordRecord record;
};

int fail(const std::string& message) {
  std::cerr << "mkwordfile: " << message << "\n";
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  std::string locale = "english", table, input, output;
  int codePage = 1252;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--locale" && i + 1 < argc)
      locale = argv[++i];
    else if (arg == "--table" && i + 1 < argc)
      table = argv[++i];
    else if (arg == "--codepage" && i + 1 < argc)
      codePage = std::atoi(argv[++i]);
    else if (input.empty())
      input = arg;
    else
      output = arg;
  }
  if (input.empty() || output.empty())
    return fail("usage: mkwordfile --locale NAME [--table FILE.stb] [--codepage N] in.tsv out.zb");
  if (!zembo::setCollationLocale(locale)) return fail("unknown locale " + locale);
  unsigned char weights[256];
  if (!table.empty()) {
    std::ifstream t(table, std::ios::binary);
    if (!t.read(reinterpret_cast<char*>(weights), sizeof weights)) return fail("cannot read " + table);
  }
  std::ifstream in(input);
  if (!in) return fail("cannot open " + input);
  std::vector<Entry> entries;
  zembo::CollationKeyMaker keys;
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    const std::size_t tab = line.find('\t');
    if (tab == std::string::npos) return fail(input + ":" + std::to_string(number) + ": no tab");
    const std::string word = zembo::fromUtf8(line.substr(0, tab), codePage);
    const std::string translation = zembo::fromUtf8(line.substr(tab + 1), codePage);
    if (word.empty() || word.size() > 30 || translation.size() > 50)
      return fail(input + ":" + std::to_string(number) + ": word over 30 or translation over 50 bytes");
    Entry e{};
    zembo::setField(e.record.word, sizeof e.record.word, word);
    zembo::setField(e.record.translation, sizeof e.record.translation, translation);
    if (table.empty())
      keys.makeKey(word, e.key);
    else
      zembo::sortTableKey(weights, word, e.key);
    entries.push_back(std::move(e));
  }
  std::stable_sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) { return a.key < b.key; });
  std::ofstream out(output, std::ios::binary | std::ios::trunc);
  for (const Entry& e : entries) out.write(reinterpret_cast<const char*>(&e.record), sizeof e.record);
  if (!out) return fail("cannot write " + output);
  return 0;
}
