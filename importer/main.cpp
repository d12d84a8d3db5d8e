// zembo-import: makes a dictd dictionary (such as the FreeDict dictionaries) a language pair of a
// zembo folder, in both directions.

#include <malloc.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "importer/importer.h"

namespace {

constexpr const char* usage =
    "usage: zembo-import [--name NAME] [--locale LOCALE] [--charset N] [--edition EDITION] [--yes] [--times] DICT "
    "FOLDER\n"
    "  DICT    a dictd dictionary: its .index and .dict.dz (or .dict), named with or without the extension\n"
    "  FOLDER  a zembo folder (its language.ini gives the edition), or a new one made with --edition\n"
    "  --yes   replace the language's word files and line when the folder has the language already;\n"
    "          the entries a user added to it (in the folder new) are kept\n"
    "  --times say how long each step took\n";

[[noreturn]] void fail(const std::string& message) {
  std::fprintf(stderr, "zembo-import: %s\n", message.c_str());
  std::exit(1);
}

// One line per step, its percentage rewritten in place.
void showOnTerminal(int percent, const std::string& step) {
  static std::string shown;
  if (!shown.empty() && step != shown) std::fputc('\n', stderr);
  shown = step;
  std::fprintf(stderr, "\r%s: %d%%", step.c_str(), percent);
  if (percent >= 100) std::fputc('\n', stderr);
}

zembo::ImportOptions parseArguments(int argc, char** argv) {
  zembo::ImportOptions options;
  std::vector<std::string> positional;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    auto value = [&]() -> std::string {
      if (i + 1 >= argc) fail(std::string(arg) + " needs a value");
      return argv[++i];
    };
    if (arg == "--name")
      options.name = value();
    else if (arg == "--locale")
      options.locale = value();
    else if (arg == "--edition")
      options.edition = value();
    else if (arg == "--yes")
      options.yes = true;
    else if (arg == "--times")
      options.showSteps = true;
    else if (arg == "--charset") {
      const std::string number = value();
      char* end = nullptr;
      options.charset = static_cast<int>(std::strtol(number.c_str(), &end, 10));
      if (number.empty() || *end != '\0' || options.charset < 0) fail("--charset takes a number: " + number);
    } else if (arg == "--help" || arg == "-h") {
      std::fputs(usage, stdout);
      std::exit(0);
    } else if (arg.starts_with("--")) {
      fail("unknown option " + std::string(arg) + "\n" + usage);
    } else {
      positional.emplace_back(arg);
    }
  }
  if (positional.size() != 2) {
    std::fputs(usage, stderr);
    std::exit(1);
  }
  options.dictionary = positional[0];
  options.folder = positional[1];
  if (::isatty(2)) options.progress = showOnTerminal;
  options.interactive = ::isatty(0) && ::isatty(2);
  return options;
}

void printReport(const zembo::ImportReport& report, bool showSteps) {
  // The summary zembo shows too, then what only the terminal is told.
  std::fputs(zembo::summaryText(zembo::importSummary(report), zembo::englishSummaryText).c_str(), stdout);
  std::printf("word files: %s, %s\n", report.forwardFile.c_str(), report.reverseFile.c_str());
  std::printf("article file: %s, the articles of %lld headwords in %.1f MB\n", report.articleFile.c_str(),
              static_cast<long long>(report.articleHeadwords), static_cast<double>(report.articleBytes) / 1e6);
  std::printf("entries read: %lld (%lld merged into an earlier headword)\n", static_cast<long long>(report.entriesRead),
              static_cast<long long>(report.merged));
  std::printf("translations written: %lld\n", static_cast<long long>(report.translationsWritten));
  if (report.converted > 0)
    std::printf("headwords and translations with characters made plain (such as a hyphen for U+2010): %lld\n",
                static_cast<long long>(report.converted));
  if (report.abbreviations > 0)
    std::printf("abbreviations of the headword lines, made headwords of their own: %lld\n",
                static_cast<long long>(report.abbreviations));
  if (report.replacedLine) std::printf("the language's word files and line were replaced\n");
  if (!showSteps) return;
  double total = 0;
  for (const auto& [step, seconds] : report.steps) {
    std::printf("%8.3f s  %s\n", seconds, step.c_str());
    total += seconds;
  }
  std::printf("%8.3f s  in all\n", total);
}

}  // namespace

// The import builds tables of hundreds of megabytes, frees them and builds the next: memory the
// allocator keeps for reuse is not faulted in afresh, and grown in large steps it takes few calls.
void keepFreedMemory() {
  mallopt(M_MMAP_THRESHOLD, 32 << 20);
  mallopt(M_TRIM_THRESHOLD, 1 << 30);
  mallopt(M_TOP_PAD, 64 << 20);
}

int main(int argc, char** argv) {
  keepFreedMemory();
  const zembo::ImportOptions options = parseArguments(argc, argv);
  try {
    printReport(zembo::importDictionary(options), options.showSteps);
  } catch (const zembo::ImportError& error) {
    fail(error.what());
  } catch (const std::exception& error) {
    fail(error.what());
  }
  return 0;
}
