#include "app/reveal.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDeadlineTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace {

// Stands in for the desktop's file manager on a private bus.
class FakeFileManager : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.FileManager1")
public:
    QStringList shown;
public slots:
    Q_SCRIPTABLE void ShowItems(const QStringList& uris, const QString&) { shown += uris; }
};

template<class Done> bool waitFor(Done done)
{
    QDeadlineTimer deadline(5000);
    while (!done() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return done();
}

// A session bus of the test's own, or nothing where dbus-daemon is missing.
class PrivateBus
{
public:
    PrivateBus()
    {
        const QString daemon = QStandardPaths::findExecutable("dbus-daemon");
        if (daemon.isEmpty())
            return;
        m_daemon.start(daemon, { "--session", "--nofork", "--print-address=1" });
        if (!m_daemon.waitForStarted() || !m_daemon.waitForReadyRead(5000))
            return;
        m_address = QString::fromUtf8(m_daemon.readLine()).trimmed();
    }
    ~PrivateBus()
    {
        for (const QString& name : m_names)
            QDBusConnection::disconnectFromBus(name);
        m_daemon.kill();
        m_daemon.waitForFinished();
    }
    bool ok() const { return !m_address.isEmpty(); }
    QDBusConnection connect(const QString& name)
    {
        m_names += name;
        return QDBusConnection::connectToBus(m_address, name);
    }

private:
    QProcess m_daemon;
    QString m_address;
    QStringList m_names;
};

} // namespace

TEST(Reveal, FileManagerOrElseTheFolder)
{
    QList<QUrl> opened;
    auto open = [&](const QUrl& u) {
        return opened += u, true;
    };
    const QString file = "/tmp/some folder/Frame.png";
    const QUrl folder = QUrl::fromLocalFile("/tmp/some folder");

    // No bus at all: the folder opens at once; when nothing opens it either,
    // the caller is told which folder it was.
    QStringList failed;
    auto fail = [&](const QString& f) {
        failed += f;
    };
    revealInFileManager(file, QDBusConnection("not connected"), open, fail);
    EXPECT_EQ(opened, QList<QUrl> { folder });
    EXPECT_TRUE(failed.isEmpty());
    revealInFileManager(
        file, QDBusConnection("not connected"), [](const QUrl&) { return false; }, fail);
    EXPECT_EQ(failed, QStringList { "/tmp/some folder" });

    PrivateBus bus;
    if (!bus.ok())
        GTEST_SKIP() << "no dbus-daemon";
    const QDBusConnection app = bus.connect("app");
    // No file manager on the bus: the folder opens when the call fails.
    opened.clear();
    revealInFileManager(file, app, open);
    EXPECT_TRUE(opened.isEmpty()); // not blocking on the call
    ASSERT_TRUE(waitFor([&] { return !opened.isEmpty(); }));
    EXPECT_EQ(opened, QList<QUrl> { folder });

    // A file manager: it gets the file's URI and nothing else opens.
    QDBusConnection manager = bus.connect("file-manager");
    FakeFileManager fake;
    ASSERT_TRUE(manager.registerObject("/org/freedesktop/FileManager1", &fake,
                                       QDBusConnection::ExportScriptableSlots));
    ASSERT_TRUE(manager.registerService("org.freedesktop.FileManager1"));
    opened.clear();
    revealInFileManager(file, app, open);
    ASSERT_TRUE(waitFor([&] { return !fake.shown.isEmpty(); }));
    EXPECT_EQ(fake.shown, QStringList { "file:///tmp/some%20folder/Frame.png" });
    EXPECT_TRUE(opened.isEmpty());
}

#include "reveal_test.moc"
