#include "platform/qt/gnomeclipboard.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

namespace zembo {

namespace {

const QString busName = QStringLiteral("org.zembo.Clipboard");
const QString objectPath = QStringLiteral("/org/zembo/Clipboard");
const QString interfaceName = QStringLiteral("org.zembo.Clipboard");
// A shell that does not answer within this does not hold up the next copy for long.
constexpr int replyLimitMs = 2000;

}  // namespace

GnomeClipboard::GnomeClipboard(QObject* parent) : QObject(parent) {}

GnomeClipboard::~GnomeClipboard() { stop(); }

bool GnomeClipboard::available() {
  const QDBusConnection bus = QDBusConnection::sessionBus();
  return bus.isConnected() && bus.interface() && bus.interface()->isServiceRegistered(busName).value();
}

void GnomeClipboard::start() {
  if (running_) return;
  running_ = QDBusConnection::sessionBus().connect(busName, objectPath, interfaceName, QStringLiteral("Changed"), this,
                                                   SLOT(changed()));
}

void GnomeClipboard::stop() {
  if (!running_) return;
  QDBusConnection::sessionBus().disconnect(busName, objectPath, interfaceName, QStringLiteral("Changed"), this,
                                           SLOT(changed()));
  running_ = false;
  askAgain_ = false;
}

void GnomeClipboard::present(const QString& windowTitle) {
  QDBusMessage request = QDBusMessage::createMethodCall(busName, objectPath, interfaceName, "Present");
  request << windowTitle;
  QDBusConnection::sessionBus().call(request, QDBus::NoBlock);
}

void GnomeClipboard::changed() {
  if (asking_) {
    askAgain_ = true;
    return;
  }
  asking_ = true;
  const QDBusMessage request = QDBusMessage::createMethodCall(busName, objectPath, interfaceName, "GetText");
  auto* watcher = new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(request, replyLimitMs), this);
  connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* call) {
    call->deleteLater();
    asking_ = false;
    const QDBusPendingReply<QString> reply = *call;
    if (running_ && reply.isValid()) emit copied(reply.value());
    if (askAgain_ && running_) {
      askAgain_ = false;
      changed();
    }
  });
}

}  // namespace zembo
