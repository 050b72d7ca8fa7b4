#pragma once

// The person's digiKam library: the SQLite database digikam4.db in the
// folder that digikamrc names ("Database Name" of [Database Settings]), read
// read-only. The top node has one subnode per album, named by its path in
// the collection, with the album's photos. Only albums of collections that
// are folders ("volumeid:?path=...") are listed; hidden, trashed and
// non-image items and files that are missing are left out.

#include "mediaparser.h"

class DigikamParser : public MediaParser
{
public:
    // `configFile` is digikamrc ($XDG_CONFIG_HOME/digikamrc).
    explicit DigikamParser(const QString& configFile);

    QString className() const override { return QStringLiteral("IMBDigikamParser"); }
    MediaGroup group() const override { return MediaGroup::Libraries; }
    bool canBeUsed() const override { return unusableReason().isEmpty(); }
    QString unusableReason() const;

    // The database digikamrc names, empty when it names none or not SQLite.
    QString databasePath() const;

    MediaNode topNode() const override;

    // Item status and category of digiKam's Images table that are listed.
    static constexpr int kVisibleStatus = 1;
    static constexpr int kImageCategory = 1;

private:
    QString m_configFile;
};
