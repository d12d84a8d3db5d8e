#pragma once
// Hearing of every copy on GNOME without Xwayland. GNOME's compositor offers no data-control, so a
// native Wayland program hears of copies only while it has the focus; zembo's GNOME Shell
// extension (packaging/gnome-shell-extension) fills the gap. It owns org.zembo.Clipboard on the
// session bus and signals Changed without the text, so that what is copied is not broadcast to
// every listener on the bus; the watch then asks it for the text with GetText. GNOME lets no
// Wayland program without the focus bring its window forward; the extension's Present asks the
// shell to, for a window of the program that asks.

#include <QObject>
#include <QString>

namespace zembo {

class GnomeClipboard : public QObject {
  Q_OBJECT
 public:
  explicit GnomeClipboard(QObject* parent = nullptr);
  ~GnomeClipboard() override;

  // Whether the extension is enabled in this session: its name has an owner on the session bus.
  static bool available();

  void start();
  void stop();
  // Asks the shell to bring forward this program's window of that title; returns at once.
  static void present(const QString& windowTitle);
  bool running() const { return running_; }

 signals:
  // Text that a program (this one too) copied.
  void copied(const QString& text);

 private slots:
  void changed();

 private:
  bool running_ = false;
  // Each change asks for the text once; changes that come meanwhile are answered by that reply
  // when it comes later than they, else by one more request.
  bool asking_ = false;
  bool askAgain_ = false;
};

}  // namespace zembo
