#include "keychain.h"

#include <QEventLoop>
#include <QTimer>
#include <qt6keychain/keychain.h>

Keychain::~Keychain() = default;

Keychain& Keychain::system()
{
    static SecretServiceKeychain keychain;
    return keychain;
}

Keychain::Result SecretServiceKeychain::findGenericPassword(const QString& service)
{
    return read(service, QStringLiteral("password"));
}

Keychain::Result SecretServiceKeychain::account(const QString& service)
{
    return read(service, QStringLiteral("account"));
}

Keychain::Result SecretServiceKeychain::read(const QString& service, const QString& key)
{
    QKeychain::ReadPasswordJob job(service);
    job.setAutoDelete(false);
    job.setKey(key);
    QEventLoop loop;
    bool finished = false;
    QObject::connect(&job, &QKeychain::Job::finished, &loop, [&] {
        finished = true;
        loop.quit();
    });
    QTimer::singleShot(kTimeoutMs, &loop, &QEventLoop::quit);
    job.start();
    if (!finished)
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    if (!finished)
        return { QKeychain::OtherError, {} };
    if (job.error() != QKeychain::NoError)
        return { int(job.error()), {} };
    return { 0, job.binaryData() };
}
