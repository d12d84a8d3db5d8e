// How many of a text's words reach a headword: the share of word tokens (split as a click in the
// text-file window splits them) that are headwords of a direction as they stand, and the share
// that the whole-word lookup reaches when it falls back to the words' Hunspell stems.
//
//   bench_headwords FOLDER LANGUAGE TEXT...
//
// FOLDER is a zembo folder (one that zembo-import filled, say), LANGUAGE the source language of
// the direction ("German"), each TEXT a UTF-8 text file; the system's Hunspell dictionaries serve.

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "directions/directions.h"
#include "lookup/textwindow.h"
#include "morphology/morphology.h"
#include "platform/codepage.h"
#include "store/collate.h"
#include "store/currentdirection.h"
#include "store/store.h"

namespace {

using namespace zembo;

struct Counts {
  long tokens = 0, asTheyStand = 0, withStems = 0;
};

void countWords(const std::string& text, Counts& counts) {
  std::string form;
  for (std::size_t i = 0; i < text.size();) {
    if (isWordDelimiter(static_cast<unsigned char>(text[i]))) {
      ++i;
      continue;
    }
    std::size_t end = i;
    while (end < text.size() && !isWordDelimiter(static_cast<unsigned char>(text[end]))) ++end;
    const std::string word = text.substr(i, end - i);
    i = end;
    // A run of hyphens or apostrophes alone is no word a reader would click.
    if (word.find_first_not_of("-'") == std::string::npos) continue;
    ++counts.tokens;
    counts.asTheyStand += isHeadwordAt(store, findWord(word), word);
    const int index = findWholeWord(word, form);
    counts.withStems += isHeadwordAt(store, index, form);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: bench_headwords FOLDER LANGUAGE TEXT...\n");
    return 2;
  }
  std::vector<std::string> texts;
  for (int i = 3; i < argc; ++i) {
    std::ifstream in(argv[i], std::ios::binary);
    if (!in) {
      std::fprintf(stderr, "cannot read %s\n", argv[i]);
      return 1;
    }
    texts.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  std::string error;
  DictionaryDirection* direction = openFolderDirection(argv[1], argv[2], error);
  if (!direction) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 1;
  }
  const int codePage = codePageOfCharset(direction->sourceCharset);
  Counts counts;
  for (const std::string& text : texts) countWords(fromUtf8(text, codePage), counts);
  if (counts.tokens == 0) {
    std::fprintf(stderr, "the texts hold no words\n");
    return 1;
  }
  const double total = static_cast<double>(counts.tokens);
  std::printf(
      "%s (%d headwords), %ld word tokens: %.1f %% are headwords as they stand, %.1f %% with their "
      "dictionary forms (+%.1f %%)\n",
      direction->wordFileName, store.wordCount, counts.tokens, 100.0 * counts.asTheyStand / total,
      100.0 * counts.withStems / total, 100.0 * (counts.withStems - counts.asTheyStand) / total);
  return 0;
}
