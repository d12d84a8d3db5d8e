#include "platform/qt/clipboardwatch.h"

#include <signal.h>
#include <sys/prctl.h>
#include <unistd.h>
#include <wayland-client.h>

#include <QGuiApplication>
#include <QStandardPaths>
#include <cstring>

namespace zembo {

namespace {

// Each copy reaches us whole as one line of base64, whatever bytes (NUL included) it holds; the
// text is asked for as UTF-8, the one text type read here, so no other encoding cuts it up.
const QStringList watchArguments = {"--no-newline", "--type", "text/plain;charset=utf-8", "--watch",
                                    "sh",           "-c",     "base64 -w 0; echo"};

// A watcher that ends sooner than this after its start did not run at all.
constexpr int quickDeathMs = 2000;
constexpr int restartDelayMs = 200;
// The watcher reports what the clipboard holds when it starts; a report this soon is that one.
constexpr int firstReportMs = 500;

void noteGlobal(void* data, wl_registry*, uint32_t, const char* interface, uint32_t) {
  if (std::strcmp(interface, "zwlr_data_control_manager_v1") == 0 ||
      std::strcmp(interface, "ext_data_control_manager_v1") == 0)
    *static_cast<bool*>(data) = true;
}

void forgetGlobal(void*, wl_registry*, uint32_t) {}

}  // namespace

bool waylandOffersDataControl() {
  wl_display* display = wl_display_connect(nullptr);
  if (!display) return false;
  bool offered = false;
  static const wl_registry_listener listener = {noteGlobal, forgetGlobal};
  wl_registry* registry = wl_display_get_registry(display);
  wl_registry_add_listener(registry, &listener, &offered);
  wl_display_roundtrip(display);
  wl_registry_destroy(registry);
  wl_display_disconnect(display);
  return offered;
}

QString wlPasteProgram() { return QStandardPaths::findExecutable("wl-paste"); }

ClipboardWatch::ClipboardWatch(QObject* parent) : QObject(parent) {
  restart_.setSingleShot(true);
  connect(&restart_, &QTimer::timeout, this, &ClipboardWatch::launch);
  connect(&process_, &QProcess::readyReadStandardOutput, this, &ClipboardWatch::readReports);
  connect(&process_, &QProcess::finished, this, &ClipboardWatch::finished);
  connect(&process_, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
    if (error == QProcess::FailedToStart) finished();
  });
  // The watcher ends with this program, even when it is killed.
  process_.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
}

ClipboardWatch::~ClipboardWatch() { stop(); }

bool ClipboardWatch::possible() {
  return QGuiApplication::platformName() == "wayland" && !wlPasteProgram().isEmpty() && waylandOffersDataControl();
}

void ClipboardWatch::start() {
  if (wanted_) return;
  wanted_ = true;
  quickDeaths_ = 0;
  failure_.clear();
  launch();
}

void ClipboardWatch::stop() {
  wanted_ = false;
  restart_.stop();
  if (!running()) return;
  process_.terminate();
  if (!process_.waitForFinished(1000)) {
    process_.kill();
    process_.waitForFinished(1000);
  }
}

void ClipboardWatch::launch() {
  if (!wanted_ || running()) return;
  pending_.clear();
  skipFirst_ = true;
  started_.start();
  // A wl-paste that is not there fails to start, and counts as a watcher that died at once.
  process_.start(QStringLiteral("wl-paste"), watchArguments);
}

void ClipboardWatch::readReports() {
  pending_ += process_.readAllStandardOutput();
  for (qsizetype end; (end = pending_.indexOf('\n')) >= 0;) {
    const QString text = QString::fromUtf8(QByteArray::fromBase64(pending_.first(end)));
    pending_.remove(0, end + 1);
    // What the clipboard held before the watch began was no copy of the user's now.
    const bool initial = skipFirst_ && started_.elapsed() < firstReportMs;
    skipFirst_ = false;
    if (!initial) emit copied(text);
  }
}

void ClipboardWatch::finished() {
  if (!wanted_) return;
  if (started_.elapsed() < quickDeathMs && ++quickDeaths_ >= 2) {
    wanted_ = false;
    const QString said = QString::fromLocal8Bit(process_.readAllStandardError()).trimmed();
    failure_ = said.isEmpty() ? QStringLiteral("wl-paste --watch could not run") : said.section('\n', 0, 0);
    emit failed(failure_);
    return;
  }
  if (started_.elapsed() >= quickDeathMs) quickDeaths_ = 0;
  restart_.start(restartDelayMs);
}

}  // namespace zembo
