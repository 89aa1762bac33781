// The desktop's screen-saver switch: without a session bus nothing happens; with one, one
// inhibition per station and its release at the end.
#include <gtest/gtest.h>

#include <QDBusConnection>
#include <QProcess>
#include <QStringList>

#include "ScreenSaver.h"

namespace orvix {
namespace {

TEST(ScreenSaver, WithoutADesktopBusNothingHappens) {
  qunsetenv("DBUS_SESSION_BUS_ADDRESS");
  ScreenSaverInhibit inhibit;
  inhibit.Inhibit();
  EXPECT_FALSE(inhibit.Active());
  inhibit.Release();
  EXPECT_FALSE(inhibit.Active());
}

// A stand-in for the desktop's screen saver on a private session bus.
class FakeScreenSaver : public QObject {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.freedesktop.ScreenSaver")
 public:
  QStringList calls;
 public slots:
  uint Inhibit(const QString& app, const QString&) {
    calls << QStringLiteral("Inhibit ") + app;
    return 42;
  }
  void UnInhibit(uint cookie) { calls << QStringLiteral("UnInhibit %1").arg(cookie); }
};

TEST(ScreenSaver, InhibitsAndReleasesThroughTheDesktopBus) {
  QProcess daemon;
  daemon.start(QStringLiteral("dbus-daemon"),
               {QStringLiteral("--session"), QStringLiteral("--nofork"),
                QStringLiteral("--print-address")});
  if (!daemon.waitForStarted(5000)) GTEST_SKIP() << "no dbus-daemon on this machine";
  ASSERT_TRUE(daemon.waitForReadyRead(5000));
  const QByteArray address = daemon.readLine().trimmed();
  qputenv("DBUS_SESSION_BUS_ADDRESS", address);
  {
    QDBusConnection bus = QDBusConnection::sessionBus();
    ASSERT_TRUE(bus.isConnected());
    FakeScreenSaver fake;
    ASSERT_TRUE(bus.registerService(QStringLiteral("org.freedesktop.ScreenSaver")));
    ASSERT_TRUE(bus.registerObject(QStringLiteral("/org/freedesktop/ScreenSaver"), &fake,
                                   QDBusConnection::ExportAllSlots));
    {
      ScreenSaverInhibit inhibit;
      inhibit.Inhibit();
      inhibit.Inhibit();  // one inhibition only
      EXPECT_TRUE(inhibit.Active());
    }  // released on destruction
    EXPECT_EQ(fake.calls,
              (QStringList{QStringLiteral("Inhibit ORVIX"), QStringLiteral("UnInhibit 42")}));
    bus.unregisterObject(QStringLiteral("/org/freedesktop/ScreenSaver"));
    bus.unregisterService(QStringLiteral("org.freedesktop.ScreenSaver"));
  }
  qunsetenv("DBUS_SESSION_BUS_ADDRESS");
  daemon.kill();
  daemon.waitForFinished(5000);
}

}  // namespace
}  // namespace orvix

#include "ScreenSaverTest.moc"
