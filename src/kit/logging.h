#pragma once

// Logging categories of the application. The diagnostic lines that the
// behaviour quotes ("Load border file '%1' failed!", ...) must come out
// verbatim: write them with kit::log() or with
//     qCInfo(kit::lcBorder).noquote() << text;
// (noquote keeps QDebug from quoting strings). Categories can be switched
// off with QT_LOGGING_RULES, e.g. "tessera.media=false".

#include <vector>

#include <QByteArray>
#include <QList>
#include <QLoggingCategory>
#include <QMutex>
#include <QString>

namespace kit {

Q_DECLARE_LOGGING_CATEGORY(lcTemplate) // tessera.template
Q_DECLARE_LOGGING_CATEGORY(lcBorder) // tessera.border
Q_DECLARE_LOGGING_CATEGORY(lcLibrary) // tessera.library
Q_DECLARE_LOGGING_CATEGORY(lcText) // tessera.text
Q_DECLARE_LOGGING_CATEGORY(lcApp) // tessera.app
Q_DECLARE_LOGGING_CATEGORY(lcImage) // tessera.image
Q_DECLARE_LOGGING_CATEGORY(lcFree) // tessera.free
Q_DECLARE_LOGGING_CATEGORY(lcSerial) // tessera.serial
Q_DECLARE_LOGGING_CATEGORY(lcMedia) // tessera.media

// Writes `message` unchanged as one info line of `category`.
void log(const QLoggingCategory& category, const QString& message);

// Sends every enabled log line to the standard error as the bare message
// followed by a newline: no category, level or quoting. Used by the
// command-line renderer, whose output scripts read. Fatal messages still
// abort.
void installPlainMessageHandler();

// Holds back every log line (of any thread) while it lives, to be passed on
// to the handler installed before it, in order, by release(); what is not
// released is dropped when it ends. Lines of the categories that start with
// one of `dropped` are dropped at once. Fatal messages pass at once.
// Holds nest (an inner one releases into the outer); create and destroy
// them on one thread, inner ones first.
class HeldLogLines
{
public:
    explicit HeldLogLines(QList<QByteArray> dropped = {});
    ~HeldLogLines();
    HeldLogLines(const HeldLogLines&) = delete;
    HeldLogLines& operator=(const HeldLogLines&) = delete;

    void release();

private:
    struct Line
    {
        QtMsgType type;
        QByteArray category;
        QString text;
    };
    static void hold(QtMsgType type, const QMessageLogContext& context, const QString& text);
    void pass(QtMsgType type, const QMessageLogContext& context, const QString& text) const;

    QList<QByteArray> m_dropped;
    HeldLogLines* m_outer;
    QtMessageHandler m_previous = nullptr;
    QMutex m_mutex;
    std::vector<Line> m_lines;
};

} // namespace kit
