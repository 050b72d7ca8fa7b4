#pragma once

// A private resource folder and user folder per test, log capture and
// waiting for a library's worker threads, for the border and background
// library tests.

#include "border/klgridlibraryview.h"

#include <gtest/gtest.h>

#include <mutex>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>

namespace librarytest {

// The log lines written while it lives; worker threads may log too.
class LogLines
{
public:
    LogLines() : m_previous(qInstallMessageHandler(&handle))
    {
        std::lock_guard lock(s_mutex);
        s_lines.clear();
    }
    ~LogLines() { qInstallMessageHandler(m_previous); }
    QStringList lines() const
    {
        std::lock_guard lock(s_mutex);
        return s_lines;
    }

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

class LibraryTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_oldResources = qgetenv("TESSERA_RESOURCES");
        m_oldDocuments = qgetenv("TESSERA_DOCUMENTS");
        qputenv("TESSERA_RESOURCES", res().toUtf8());
        qputenv("TESSERA_DOCUMENTS", docs().toUtf8());
        QDir().mkpath(res());
    }
    void TearDown() override
    {
        qputenv("TESSERA_RESOURCES", m_oldResources);
        qputenv("TESSERA_DOCUMENTS", m_oldDocuments);
    }
    QString res() const { return m_dir.filePath("res"); }
    QString docs() const { return m_dir.filePath("docs"); }

    QString write(const QString& path, const QByteArray& bytes)
    {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return path;
    }
    // A picture of one colour in the format of the extension.
    QString picture(const QString& path, QSize size, QColor colour = Qt::red)
    {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QImage image(size, QImage::Format_RGB32);
        image.fill(colour);
        EXPECT_TRUE(image.save(path)) << path.toStdString();
        return path;
    }
    static void waitForWorkers(const KLGridLibraryView& view)
    {
        QDeadlineTimer deadline(20000);
        while (view.pendingTasks() > 0 && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        ASSERT_EQ(view.pendingTasks(), 0);
    }
    static QStringList names(const QStringList& paths)
    {
        QStringList out;
        for (const QString& p : paths)
            out.append(QFileInfo(p).fileName());
        return out;
    }

    QTemporaryDir m_dir;
    QByteArray m_oldResources, m_oldDocuments;
};

} // namespace librarytest
