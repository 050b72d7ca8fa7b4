#pragma once

// Collects the log lines written while it exists (any thread), for tests
// that check a diagnostic line was, or was not, written.

#include <mutex>

#include <QStringList>
#include <QtGlobal>

namespace testsupport {

class LogLines
{
public:
    LogLines() : m_previous(qInstallMessageHandler(&handle))
    {
        std::lock_guard lock(s_mutex);
        s_lines.clear();
    }
    ~LogLines() { qInstallMessageHandler(m_previous); }
    LogLines(const LogLines&) = delete;
    LogLines& operator=(const LogLines&) = delete;

    QStringList lines() const
    {
        std::lock_guard lock(s_mutex);
        return s_lines;
    }
    // The lines that contain `text`.
    QStringList matching(const QString& text) const { return lines().filter(text); }

private:
    static void handle(QtMsgType, const QMessageLogContext&, const QString& message)
    {
        std::lock_guard lock(s_mutex);
        s_lines.append(message);
    }
    static inline std::mutex s_mutex;
    static inline QStringList s_lines;
    QtMessageHandler m_previous;
};

} // namespace testsupport
