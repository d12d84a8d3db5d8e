#pragma once
// What the benchmarks share besides their words: timing, and the system locales that GNU sort
// is measured under.

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace zembo::bench {

using Clock = std::chrono::steady_clock;

inline double secondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// True when the UTF-8 locale of a language and country ("nl_NL") is there, made with localedef
// when it is missing.
inline bool haveUtf8Locale(const std::string& name) {
  if (std::system(("locale -a 2>/dev/null | grep -qi '^" + name + ".utf-\\?8$'").c_str()) == 0) return true;
  std::printf("(generating the locale %s.UTF-8)\n", name.c_str());
  return std::system(("localedef -i " + name + " -f UTF-8 " + name + ".UTF-8 >/dev/null 2>&1").c_str()) == 0;
}

}  // namespace zembo::bench
