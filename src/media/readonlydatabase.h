#pragma once

// An SQLite database of another program, opened read-only through Qt SQL on
// the calling thread. The file is never created, written or locked for
// writing; every query result is checked, so a damaged or hostile file only
// makes queries fail. One object belongs to one thread.

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

class ReadOnlyDatabase
{
public:
    explicit ReadOnlyDatabase(const QString& path);
    ~ReadOnlyDatabase();
    ReadOnlyDatabase(const ReadOnlyDatabase&) = delete;
    ReadOnlyDatabase& operator=(const ReadOnlyDatabase&) = delete;

    // False when the file is missing or is no readable SQLite database;
    // error() says why.
    bool isOpen() const { return m_open; }
    QString error() const { return m_error; }
    QSqlDatabase& database() { return m_database; }

    // True when `table` exists and has every one of `columns`.
    bool hasColumns(const QString& table, const QStringList& columns);

private:
    QString m_connection;
    QSqlDatabase m_database;
    bool m_open = false;
    QString m_error;
};
