#pragma once
// Hearing of every copy on a native Wayland desktop. A Wayland compositor tells only the focused
// program about clipboard changes; the data-control protocol (KDE Plasma, sway and the other
// wlroots compositors) tells any program that asks. wl-clipboard's `wl-paste --watch` speaks it:
// it runs as a child that reports each copied text, and is restarted when it dies.

#include <QElapsedTimer>
#include <QObject>
#include <QProcess>
#include <QString>
#include <QTimer>

namespace zembo {

// True when a Wayland compositor is reachable (WAYLAND_DISPLAY, or wayland-0) and offers a
// data-control manager, so that a program without the focus can hear of copies.
bool waylandOffersDataControl();

// The wl-paste that the watch runs, or an empty string when it is not on the PATH.
QString wlPasteProgram();

class ClipboardWatch : public QObject {
  Q_OBJECT
 public:
  explicit ClipboardWatch(QObject* parent = nullptr);
  ~ClipboardWatch() override;

  // Whether the watch can work here: a native Wayland session, data-control and wl-paste.
  static bool possible();

  void start();
  void stop();
  bool running() const { return process_.state() != QProcess::NotRunning; }
  // The watcher's process id, 0 when none runs.
  qint64 processId() const { return process_.processId(); }
  // After the watcher failed at once twice, it is given up; why, in a line.
  const QString& failure() const { return failure_; }

 signals:
  // Text that another program (or this one) copied.
  void copied(const QString& text);
  // The watcher could not run; the caller falls back to what the toolkit hears.
  void failed(const QString& why);

 private:
  void launch();
  void readReports();
  void finished();

  QProcess process_;
  QTimer restart_;
  QElapsedTimer started_;
  QByteArray pending_;
  bool wanted_ = false;
  bool skipFirst_ = false;
  int quickDeaths_ = 0;
  QString failure_;
};

}  // namespace zembo
