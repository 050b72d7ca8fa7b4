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

namespace {

HeldLogLines* s_holding = nullptr;

} // namespace

HeldLogLines::HeldLogLines(QList<QByteArray> dropped)
    : m_dropped(std::move(dropped)), m_outer(s_holding)
{
    s_holding = this;
    m_previous = qInstallMessageHandler(&HeldLogLines::hold);
}

HeldLogLines::~HeldLogLines()
{
    qInstallMessageHandler(m_previous);
    s_holding = m_outer;
}

void HeldLogLines::release()
{
    std::vector<Line> lines;
    {
        QMutexLocker lock(&m_mutex);
        lines.swap(m_lines);
    }
    for (const Line& line : lines) {
        const QMessageLogContext context(nullptr, 0, nullptr, line.category.constData());
        pass(line.type, context, line.text);
    }
}

void HeldLogLines::hold(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    HeldLogLines* self = s_holding;
    if (!self)
        return;
    if (type == QtFatalMsg) {
        self->pass(type, context, text);
        return;
    }
    const QByteArray category(context.category ? context.category : "");
    for (const QByteArray& prefix : self->m_dropped) {
        if (category.startsWith(prefix))
            return;
    }
    QMutexLocker lock(&self->m_mutex);
    self->m_lines.push_back({ type, category, text });
}

void HeldLogLines::pass(QtMsgType type, const QMessageLogContext& context,
                        const QString& text) const
{
    // An outer hold's handler finds its own object again.
    if (m_previous == &HeldLogLines::hold && m_outer) {
        s_holding = m_outer;
        hold(type, context, text);
        s_holding = const_cast<HeldLogLines*>(this);
        return;
    }
    if (m_previous) {
        m_previous(type, context, text);
        return;
    }
    const QByteArray line = text.toLocal8Bit() + '\n';
    std::fwrite(line.constData(), 1, size_t(line.size()), stderr);
}

} // namespace kit
