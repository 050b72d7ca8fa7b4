#include "kit/logging.h"
#include "kit/stderrfilter.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <sys/wait.h>
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

// The render command filters its standard error: libpng's own lines go, and
// whatever else is written, also by a process about to die, still arrives.
TEST(Logging, StandardErrorFilterDropsLibraryLinesAndOutlivesACrash)
{
    // What a process with the filter writes, read until its last writer ends.
    const auto run = [](bool crash) {
        int ends[2];
        if (pipe(ends) != 0)
            return QByteArray();
        const pid_t child = fork();
        if (child == 0) {
            dup2(ends[1], STDERR_FILENO);
            close(ends[0]);
            close(ends[1]);
            {
                const kit::StandardErrorFilter filter;
                const char text[] = "before\nlibpng error: Read Error\nlibpng warning: iCCP\n"
                                    "AddressSanitizer: last words\nno newline";
                (void)!write(STDERR_FILENO, text, sizeof text - 1);
                if (crash)
                    raise(SIGKILL);
            }
            _exit(0);
        }
        close(ends[1]);
        QByteArray seen;
        char buffer[256];
        for (ssize_t n; (n = read(ends[0], buffer, sizeof buffer)) > 0;)
            seen.append(buffer, n);
        close(ends[0]);
        waitpid(child, nullptr, 0);
        return seen;
    };
    const QByteArray expected = "before\nAddressSanitizer: last words\nno newline";
    EXPECT_EQ(run(false), expected);
    EXPECT_EQ(run(true), expected);
}
