#include "importer/configuration.h"

#include <filesystem>

#include "formats/configlines.h"
#include "platform/hostpath.h"
#include "platform/textfile.h"

namespace zembo {

namespace {

std::string languageLineOf(const Pair& pair) {
  return pair.name + "," + pair.locale + "," + std::to_string(pair.charset);
}

}  // namespace

std::string newConfigText(const Pair& pair) {
  const FolderEdition& e = *pair.edition;
  return "# Language pairs (language, locale, character set) and the direction in use\n" +
         inEdition(e.languageHeader, pair) + "\n" + languageLineOf(pair) + "\n\n" + inEdition(e.selectedHeader, pair) +
         "\n" + wordFileName(pair) + "\n\n" + inEdition(e.addNewHeader, pair) + "\n" + inEdition(e.addNewValue, pair) +
         "\n";
}

std::vector<std::string> readConfigFile(const std::string& configFile) {
  std::vector<std::string> lines;
  const ConfigRead read = readConfigLines(configFile, lines);
  const std::string where = (std::filesystem::current_path() / hostPath(configFile)).string();
  if (read == ConfigRead::cannotOpen) throw ImportError(ImportFailure::cannotOpen, {where});
  if (read == ConfigRead::cannotRead) throw ImportError(ImportFailure::cannotRead, {where});
  return lines;
}

ImportError alreadyThere(const DictionaryFiles& files, const FolderEdition& edition) {
  return ImportError(ImportFailure::alreadyThere, {englishNameOf(files.source), std::string(edition.configFile)});
}

bool holdsLanguage(const std::vector<std::string>& lines, const Pair& pair) {
  return withoutLanguageLines(lines, pair.name).size() != lines.size();
}

std::string configWithLanguage(const ImportOptions& options, const Pair& pair, ImportReport& report) {
  const FolderEdition& edition = *pair.edition;
  const std::string configFile = inEdition(edition.configFile, pair);
  if (!fileExists(configFile))
    throw ImportError(ImportFailure::noConfigFile, {options.folder.string(), std::string(edition.configFile)});
  const std::vector<std::string> lines = readConfigFile(configFile);
  report.replacedLine = holdsLanguage(lines, pair);
  return withLanguageLineReplaced(lines, pair.name, inEdition(edition.languageHeader, pair), languageLineOf(pair));
}

}  // namespace zembo
