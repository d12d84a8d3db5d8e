#pragma once
// The entries of a dictd dictionary as the records of the forward word file: its articles read in
// the order of the data (so that each compressed chunk is inflated once), in two halves on two
// threads, parsed, converted to the code pages of the word files and gathered one entry per
// headword, the translations of each joined within the field.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "formats/wordrecord.h"
#include "importer/importer.h"
#include "importer/stepclock.h"

namespace zembo {

struct EntryCodePages {
  int word;         // the dictionary's language
  int translation;  // the edition's own language
};

// Counts what it reads and skips into the report; throws ImportError for a damaged file.
std::vector<WordRecord> readEntries(const std::filesystem::path& indexFile, const std::filesystem::path& dataFile,
                                    EntryCodePages codePages, const ImportProgress& progress,
                                    ImportReport& report, StepClock& clock);

// The translations of one headword, one per line, joined by ", " within a translation field: whole
// translations only, each that still fits after the ones before it.
std::string joinTranslations(std::string_view lines);

}  // namespace zembo
