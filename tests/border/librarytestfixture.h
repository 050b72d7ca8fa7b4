#pragma once

// A private resource folder and user folder per test, and waiting for a
// library's worker threads, for the tests of the libraries.

#include "border/klgridlibraryview.h"
#include "support/testsupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

namespace librarytest {

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

    static QString write(const QString& path, const QByteArray& bytes)
    {
        return testsupport::writeFile(path, bytes);
    }
    // A picture of one colour in the format of the extension.
    static QString picture(const QString& path, QSize size, QColor colour = Qt::red)
    {
        QDir().mkpath(QFileInfo(path).absolutePath());
        EXPECT_TRUE(testsupport::writeImage(
            testsupport::solidImage(size, colour, QImage::Format_RGB32), path))
            << path.toStdString();
        return path;
    }
    static void waitForWorkers(const KLGridLibraryView& view)
    {
        ASSERT_TRUE(testsupport::waitUntil([&] { return view.pendingTasks() == 0; }));
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
