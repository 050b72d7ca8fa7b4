#include "logging.h"

#include <cstdio>

namespace kit {

Q_LOGGING_CATEGORY(lcTemplate, "tessera.template")
Q_LOGGING_CATEGORY(lcBorder, "tessera.border")
Q_LOGGING_CATEGORY(lcLibrary, "tessera.library")
Q_LOGGING_CATEGORY(lcText, "tessera.text")
Q_LOGGING_CATEGORY(lcApp, "tessera.app")
Q_LOGGING_CATEGORY(lcImage, "tessera.image")
Q_LOGGING_CATEGORY(lcFree, "tessera.free")
Q_LOGGING_CATEGORY(lcSerial, "tessera.serial")
Q_LOGGING_CATEGORY(lcMedia, "tessera.media")

void log(const QLoggingCategory& category, const QString& message)
{
    // QMessageLogger directly, so that the caller's category object is used
    // as given (the qCInfo macro wants a category function).
    if (category.isInfoEnabled())
        QMessageLogger(nullptr, 0, nullptr, category.categoryName()).info().noquote() << message;
}

namespace {

void plainHandler(QtMsgType, const QMessageLogContext&, const QString& message)
{
    // One write per line, so that lines from several threads do not interleave.
    const QByteArray line = message.toLocal8Bit() + '\n';
    std::fwrite(line.constData(), 1, size_t(line.size()), stderr);
    std::fflush(stderr);
}

} // namespace

void installPlainMessageHandler()
{
    qInstallMessageHandler(plainHandler);
}

} // namespace kit
