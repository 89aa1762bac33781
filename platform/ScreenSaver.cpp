#include "ScreenSaver.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusInterface>
#include <QDBusReply>

namespace orvix {

namespace {
const char* const kService = "org.freedesktop.ScreenSaver";
const char* const kPath = "/org/freedesktop/ScreenSaver";
const char* const kInterface = "org.freedesktop.ScreenSaver";
constexpr int kCallTimeoutMs = 1000;  // a hung desktop must not hold up start or exit

// The screen-saver service, or nothing when there is no session bus or no such service.
bool ServicePresent() {
  // A desktop session names its bus; without one, asking for the session bus could
  // launch a bus daemon of its own, which the station must not do.
  if (qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS")) return false;
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected() || bus.interface() == nullptr) return false;
  const QDBusReply<bool> r = bus.interface()->isServiceRegistered(QString::fromLatin1(kService));
  return r.isValid() && r.value();
}
}  // namespace

ScreenSaverInhibit::~ScreenSaverInhibit() { Release(); }

void ScreenSaverInhibit::Inhibit() {
  if (active_ || !ServicePresent()) return;
  QDBusInterface iface(QString::fromLatin1(kService), QString::fromLatin1(kPath),
                       QString::fromLatin1(kInterface), QDBusConnection::sessionBus());
  if (!iface.isValid()) return;
  iface.setTimeout(kCallTimeoutMs);
  const QDBusReply<uint> r = iface.call(QStringLiteral("Inhibit"), QStringLiteral("ORVIX"),
                                        QStringLiteral("Image acquisition"));
  if (!r.isValid()) return;
  cookie_ = r.value();
  active_ = true;
}

void ScreenSaverInhibit::Release() {
  if (!active_) return;
  active_ = false;
  if (!ServicePresent()) return;
  QDBusInterface iface(QString::fromLatin1(kService), QString::fromLatin1(kPath),
                       QString::fromLatin1(kInterface), QDBusConnection::sessionBus());
  if (!iface.isValid()) return;
  iface.setTimeout(kCallTimeoutMs);
  iface.call(QStringLiteral("UnInhibit"), cookie_);
}

}  // namespace orvix
