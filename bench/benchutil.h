#pragma once
// What the benchmarks share besides their words: timing, a copy of the sample to run in, and the
// system locales that GNU sort is measured under.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace zembo::bench {

using Clock = std::chrono::steady_clock;

inline double secondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// The least time of three runs of run, in seconds.
template <typename F>
double bestOfThree(F run) {
  double best = 1e9;
  for (int i = 0; i < 3; ++i) {
    const auto start = Clock::now();
    run();
    best = std::min(best, secondsSince(start));
  }
  return best;
}

// A fresh copy of the sample folder at folder, made the working folder, with the settings in its
// config/ and (with ownRuntime) the runtime folder, and so the single-instance lock, in its runtime/.
inline void makeSampleFolder(const std::filesystem::path& sample, const std::filesystem::path& folder,
                             bool ownRuntime) {
  namespace fs = std::filesystem;
  fs::remove_all(folder);
  fs::copy(sample, folder, fs::copy_options::recursive);
  fs::create_directories(folder / "config");
  fs::create_directories(folder / "runtime");
  fs::permissions(folder / "runtime", fs::perms::owner_all);
  ::setenv("XDG_CONFIG_HOME", (folder / "config").c_str(), 1);
  if (ownRuntime) ::setenv("XDG_RUNTIME_DIR", (folder / "runtime").c_str(), 1);
  fs::current_path(folder);
}

// True when the UTF-8 locale of a language and country ("nl_NL") is there, made with localedef
// when it is missing.
inline bool haveUtf8Locale(const std::string& name) {
  if (std::system(("locale -a 2>/dev/null | grep -qi '^" + name + ".utf-\\?8$'").c_str()) == 0) return true;
  std::printf("(generating the locale %s.UTF-8)\n", name.c_str());
  return std::system(("localedef -i " + name + " -f UTF-8 " + name + ".UTF-8 >/dev/null 2>&1").c_str()) == 0;
}

}  // namespace zembo::bench
