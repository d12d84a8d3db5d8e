#include "tests/support/testenv.h"

#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include "platform/collation.h"
#include "platform/hostpath.h"
#include "platform/messagebox.h"

namespace zembo::test {

void TempDirTest::SetUp() {
  previousDir_ = std::filesystem::current_path();
  std::string pattern = (std::filesystem::temp_directory_path() / "zembo-test-XXXXXX").string();
  ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
  dir = pattern;
  std::filesystem::current_path(dir);
  ::setenv("XDG_CONFIG_HOME", (dir / "config").c_str(), 1);
  resetPlatformState();
  startRecordingMessageBoxes();
  throwOnProcessExit(true);
}

void TempDirTest::TearDown() {
  // A fixture that skipped its test before this SetUp ran has nothing to undo.
  if (previousDir_.empty()) return;
  resetPlatformState();
  std::filesystem::current_path(previousDir_);
  std::error_code ignored;
  std::filesystem::remove_all(dir, ignored);
}

void resetPlatformState() {
  resetMessageBoxState();
  resetHostPathState();
  resetCollationLocale();
}

namespace {

void setLimit(int resource, unsigned long value, unsigned long previous[2]) {
  rlimit old{};
  ::getrlimit(resource, &old);
  previous[0] = old.rlim_cur;
  previous[1] = old.rlim_max;
  rlimit lowered = old;
  lowered.rlim_cur = value;
  EXPECT_EQ(::setrlimit(resource, &lowered), 0);
}

void restoreLimit(int resource, const unsigned long previous[2]) {
  const rlimit old{previous[0], previous[1]};
  ::setrlimit(resource, &old);
}

}  // namespace

FileSizeLimit::FileSizeLimit(unsigned long bytes) {
  std::signal(SIGXFSZ, SIG_IGN);  // the write fails instead of ending the process
  setLimit(RLIMIT_FSIZE, bytes, previous_);
}

FileSizeLimit::~FileSizeLimit() { restoreLimit(RLIMIT_FSIZE, previous_); }

NoNewFiles::NoNewFiles() {
  const int lowestFree = ::fcntl(0, F_DUPFD, 0);
  ::close(lowestFree);
  setLimit(RLIMIT_NOFILE, static_cast<unsigned long>(lowestFree), previous_);
}

NoNewFiles::~NoNewFiles() { restoreLimit(RLIMIT_NOFILE, previous_); }

std::string asUnprivilegedUser(const std::filesystem::path& folder, const std::function<std::string()>& check) {
  if (::geteuid() != 0) return check();
  const passwd* nobody = ::getpwnam("nobody");
  if (!nobody) return "no user nobody";
  if (::chown(folder.c_str(), nobody->pw_uid, nobody->pw_gid) != 0) return "cannot hand the folder over";
  int channel[2];
  if (::pipe(channel) != 0) return "no pipe";
  const pid_t child = ::fork();
  if (child == 0) {
    ::close(channel[0]);
    std::string failure;
    if (::setgroups(0, nullptr) != 0 || ::setgid(nobody->pw_gid) != 0 || ::setuid(nobody->pw_uid) != 0 ||
        ::chdir(folder.c_str()) != 0)
      failure = "cannot become nobody";
    else
      failure = check();
    if (!failure.empty() && ::write(channel[1], failure.data(), failure.size()) < 0) ::_exit(2);
    ::_exit(0);
  }
  ::close(channel[1]);
  std::string failure;
  char buffer[256];
  for (ssize_t n; (n = ::read(channel[0], buffer, sizeof buffer)) > 0;)
    failure.append(buffer, static_cast<std::size_t>(n));
  ::close(channel[0]);
  int status = 0;
  ::waitpid(child, &status, 0);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) failure += " (the child did not end normally)";
  return failure;
}

void writeFile(const std::filesystem::path& path, std::string_view bytes) {
  if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::filesystem::path programPath(const std::string& bytes, int codePage) { return hostPath(bytes, codePage); }

std::string readFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::string szddOfLiterals(std::string_view data) {
  std::string out(
      "SZDD\x88\xF0\x27\x33"
      "A",
      9);
  out += '\0';
  const auto n = static_cast<std::uint32_t>(data.size());
  for (int i = 0; i < 4; ++i) out += static_cast<char>((n >> (8 * i)) & 0xFF);
  for (std::size_t i = 0; i < data.size(); i += 8) {
    out += '\xFF';
    out += data.substr(i, 8);
  }
  return out;
}

}  // namespace zembo::test
