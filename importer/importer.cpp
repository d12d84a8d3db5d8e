#include "importer/importer.h"

#include <cstdio>
#include <filesystem>

#include "importer/commit.h"
#include "importer/configuration.h"
#include "importer/entries.h"
#include "importer/plan.h"
#include "importer/stepclock.h"

namespace zembo {

namespace {

// The outermost folder of a path that does not exist yet; empty when the folder exists.
std::filesystem::path firstMissingFolder(const std::filesystem::path& folder) {
  std::filesystem::path missing;
  std::error_code error;
  for (std::filesystem::path at = std::filesystem::absolute(folder).lexically_normal();
       !at.empty() && !std::filesystem::exists(at, error); at = at.parent_path()) {
    missing = at;
    if (at == at.parent_path()) break;
  }
  return missing;
}

}  // namespace

const char* englishSummaryText(SummaryText text) {
  switch (text) {
    case SummaryText::imported:
      return "%1: %2 headwords, imported in %3 seconds";
    case SummaryText::recordsWritten:
      return "records written: %1 from %2 to %3, %4 from %3 to %2";
    case SummaryText::leftOut:
      return "left out:";
    case SummaryText::headwordTooLong:
      return "%1 headwords longer than 30 bytes (such as \"%2\")";
    case SummaryText::headwordOutsideCodePage:
      return "%1 headwords with characters the code page lacks (such as \"%2\")";
    case SummaryText::noTranslation:
      return "%1 headwords without a translation in their article (such as \"%2\")";
    case SummaryText::noTranslationFits:
      return "%1 headwords with no translation that fits a record (such as \"%2\")";
    case SummaryText::translationsOutsideCodePage:
      return "%1 translations with characters the code page lacks";
    case SummaryText::translationsTooLong:
      return "%1 translations longer than a whole field";
    case SummaryText::userEntriesKept:
      return "%1 entries a user added were kept";
  }
  return "";
}

std::vector<SummaryLine> importSummary(const ImportReport& report) {
  char seconds[32];
  std::snprintf(seconds, sizeof seconds, "%.1f", report.seconds);
  std::vector<SummaryLine> lines = {
      {SummaryText::imported, {report.languageName, std::to_string(report.headwords), seconds}},
      {SummaryText::recordsWritten,
       {std::to_string(report.written), report.languageName, report.homeLanguageName,
        std::to_string(report.reverseWritten)}}};
  std::vector<SummaryLine> causes;
  constexpr SummaryText skipTexts[skipCauseCount] = {SummaryText::headwordTooLong, SummaryText::headwordOutsideCodePage,
                                                     SummaryText::noTranslation, SummaryText::noTranslationFits};
  for (int k = 0; k < skipCauseCount; ++k)
    if (report.skipped[k] > 0)
      causes.push_back({skipTexts[k], {std::to_string(report.skipped[k]), report.skipExample[k]}});
  if (report.translationsOutsideCodePage > 0)
    causes.push_back({SummaryText::translationsOutsideCodePage, {std::to_string(report.translationsOutsideCodePage)}});
  if (report.translationsTooLong > 0)
    causes.push_back({SummaryText::translationsTooLong, {std::to_string(report.translationsTooLong)}});
  if (!causes.empty()) {
    lines.push_back({SummaryText::leftOut, {}});
    lines.insert(lines.end(), causes.begin(), causes.end());
  }
  if (report.userEntriesKept > 0)
    lines.push_back({SummaryText::userEntriesKept, {std::to_string(report.userEntriesKept)}});
  return lines;
}

std::string summaryText(const std::vector<SummaryLine>& lines, const std::function<std::string(SummaryText)>& textOf) {
  std::string text;
  bool causes = false;
  for (const SummaryLine& line : lines) {
    if (line.text == SummaryText::userEntriesKept) causes = false;
    text += (causes ? "  " : "") + fillIn(textOf(line.text), line.args) + "\n";
    if (line.text == SummaryText::leftOut) causes = true;
  }
  return text;
}

ImportReport importDictionary(const ImportOptions& options) {
  const auto [files, isNew, pair] = planImport(options);
  // Whether a language that is there may go is settled before seconds of reading.
  const ImportTarget target = targetOf(options, pair, isNew);
  if (target.alreadyThere && !mayReplace(options, pair, target.userEntries)) throw alreadyThere(files, *pair.edition);
  ImportReport report;
  report.languageName = target.languageName;
  report.homeLanguageName = pair.edition->homeName;
  StepClock clock(report, options.stopRequested);
  tell(options, 0, "reading articles");
  ArticleWriter articles(pair.sourceCodePage);
  // The articles are packed on a thread of their own while the translations are joined and the
  // word files sorted and written.
  ArticlePacking packing(articles);
  std::vector<WordRecord> forward = readEntries(
      files.index, files.data, {pair.sourceCodePage, pair.homeCodePage}, options.progress, report, articles,
      [&packing] { packing.start(); }, clock);

  const std::filesystem::path firstMade = firstMissingFolder(options.folder);
  std::error_code error;
  std::filesystem::create_directories(options.folder, error);
  if (error)
    throw ImportError(ImportFailure::cannotMakeFolder, {options.folder.string(), error.message()}, error.value());
  try {
    writeImport(options, pair, isNew, report, std::move(forward), packing, clock);
  } catch (...) {
    // The folders that the import made go again with what they held.
    std::error_code ignored;
    if (!firstMade.empty()) std::filesystem::remove_all(firstMade, ignored);
    throw;
  }
  tell(options, 100, "done");
  for (const auto& step : report.steps) report.seconds += step.second;
  return report;
}

ImportTarget importTarget(const ImportOptions& options) {
  const Plan plan = planImport(options);
  return targetOf(options, plan.pair, plan.isNew);
}

}  // namespace zembo
