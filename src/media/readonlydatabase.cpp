#include "readonlydatabase.h"

#include <atomic>

#include <QFileInfo>
#include <QSet>
#include <QSqlError>
#include <QSqlQuery>

ReadOnlyDatabase::ReadOnlyDatabase(const QString& path)
{
    static std::atomic<int> counter { 0 };
    m_connection = QStringLiteral("tessera-media-%1").arg(counter.fetch_add(1));
    if (!QFileInfo(path).isFile()) {
        m_error = QStringLiteral("no database at %1").arg(path);
        return;
    }
    m_database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    m_database.setDatabaseName(path);
    // Read-only never creates the file; the busy time-out lets a running
    // owner finish its write instead of failing at once.
    m_database.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=500"));
    if (!m_database.open()) {
        m_error = QStringLiteral("database %1 cannot be opened: %2")
                      .arg(path, m_database.lastError().text());
        return;
    }
    // SQLite opens anything lazily; reading the schema tells a database from
    // another file.
    QSqlQuery probe(m_database);
    if (!probe.exec(QStringLiteral("SELECT count(*) FROM sqlite_master"))) {
        m_error =
            QStringLiteral("%1 is not a readable database: %2").arg(path, probe.lastError().text());
        return;
    }
    m_open = true;
}

ReadOnlyDatabase::~ReadOnlyDatabase()
{
    if (m_database.isValid())
        m_database.close();
    m_database = QSqlDatabase();
    if (QSqlDatabase::contains(m_connection))
        QSqlDatabase::removeDatabase(m_connection);
}

bool ReadOnlyDatabase::hasColumns(const QString& table, const QStringList& columns)
{
    if (!m_open)
        return false;
    QSqlQuery query(m_database);
    query.prepare(QStringLiteral("SELECT name FROM pragma_table_info(?)"));
    query.addBindValue(table);
    if (!query.exec())
        return false;
    QSet<QString> present;
    while (query.next())
        present.insert(query.value(0).toString().toLower());
    for (const QString& column : columns) {
        if (!present.contains(column.toLower()))
            return false;
    }
    return true;
}
