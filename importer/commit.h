#pragma once
// Writing an import into its folder: the word files sorted, the reverse word file made from the
// forward one, the configuration file, each beside its place until the commit puts them all in
// place at once (importer/folderchanges.h).

#include <string>
#include <vector>

#include "formats/articlefile.h"
#include "formats/wordrecord.h"
#include "importer/importer.h"
#include "importer/plan.h"
#include "importer/stepclock.h"

namespace zembo {

// Tells the caller how far the import has come.
void tell(const ImportOptions& options, int percent, const std::string& step);

// Writes the forward records read from the dictionary, joined with the user's entries, their
// reverse records, the articles of the forward file's headwords and the configuration into the
// folder, and commits them; throws ImportError, and the folder is then as it was unless the
// commit had begun.
void writeImport(const ImportOptions& options, const Pair& pair, bool isNew, ImportReport& report,
                 std::vector<WordRecord> forward, ArticleWriter& articles, StepClock& clock);

}  // namespace zembo
