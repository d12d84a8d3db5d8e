#pragma once
// The entries of a dictd dictionary as the records of the forward word file: its articles read in
// the order of the data (so that each compressed chunk is inflated once), in two halves on two
// threads, parsed, converted to the code pages of the word files and gathered one entry per
// headword, the translations of each in the order a learner looks for them, in as many records
// as they need.

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "formats/articlefile.h"
#include "formats/wordrecord.h"
#include "importer/importer.h"
#include "importer/stepclock.h"

namespace zembo {

struct EntryCodePages {
  int word;         // the dictionary's language
  int translation;  // the edition's own language
};

// Counts what it reads and skips into the report; throws ImportError for a damaged file. Every
// headword read gives articles its articles, as read (UTF-8), in the dictionary's order (an
// abbreviation made a headword of its own those of the headword it abbreviates), and then
// articlesGiven is called, before the translations are joined into records: the articles may be
// packed meanwhile.
std::vector<WordRecord> readEntries(const std::filesystem::path& indexFile, const std::filesystem::path& dataFile,
                                    EntryCodePages codePages, const ImportProgress& progress, ImportReport& report,
                                    ArticleWriter& articles, const std::function<void()>& articlesGiven,
                                    StepClock& clock);

// The records of a word: its translations (in the code page, none empty) in their order, joined by
// ", " into as many records as they need, each filled with whole translations while they fit; a
// translation longer than a whole field is left out and counted in tooLong. The records of one
// word stay next to each other through the sort, so the first stays first.
void appendWordRecords(std::string_view word, const std::vector<std::string_view>& translations,
                       std::vector<WordRecord>& out, std::int64_t& tooLong);

}  // namespace zembo
