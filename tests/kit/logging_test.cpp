#include "kit/logging.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <unistd.h>

#include <QFile>
#include <QTemporaryFile>

namespace {

// Everything written to stderr while `body` runs.
template<class F> QByteArray captureStderr(F body)
{
    QTemporaryFile file;
    if (!file.open())
        return {};
    std::fflush(stderr);
    const int saved = dup(STDERR_FILENO);
    dup2(file.handle(), STDERR_FILENO);
    body();
    std::fflush(stderr);
    dup2(saved, STDERR_FILENO);
    close(saved);
    QFile reader(file.fileName());
    return reader.open(QIODevice::ReadOnly) ? reader.readAll() : QByteArray();
}

} // namespace

TEST(Logging, PlainHandlerWritesLinesVerbatim)
{
    QtMessageHandler previous = qInstallMessageHandler(nullptr);
    const QByteArray out = captureStderr([] {
        kit::installPlainMessageHandler();
        kit::log(kit::lcBorder(), QStringLiteral("Load border file '/tmp/a b.bdr' failed!"));
        qCWarning(kit::lcTemplate).noquote() << QStringLiteral("Invalid resource file format.");
        kit::log(kit::lcText(), QStringLiteral("Style:%1 100% \"quoted\"").arg("/s/x.style"));
        QLoggingCategory::setFilterRules(QStringLiteral("tessera.media=false"));
        kit::log(kit::lcMedia(), QStringLiteral("switched off"));
        QLoggingCategory::setFilterRules(QString());
    });
    qInstallMessageHandler(previous);

    EXPECT_EQ(out.toStdString(),
              "Load border file '/tmp/a b.bdr' failed!\n"
              "Invalid resource file format.\n"
              "Style:/s/x.style 100% \"quoted\"\n");
}
