#pragma once

// The person's Shotwell library: $XDG_DATA_HOME/shotwell/data/photo.db, read
// read-only. The top node lists the events as tiles; each event is a subnode
// with its photos in the order they were taken. Photos in the trash, offline
// photos, photos whose file is missing and rows that cannot be read are left
// out; photos of no event go to a last "No Event" node.

#include "mediaparser.h"

class ShotwellParser : public MediaParser
{
public:
    explicit ShotwellParser(const QString& databasePath);

    // The database of the data folder `dataHome` ($XDG_DATA_HOME).
    static QString databasePath(const QString& dataHome);

    QString className() const override { return QStringLiteral("IMBShotwellParser"); }
    MediaGroup group() const override { return MediaGroup::Libraries; }
    bool canBeUsed() const override { return unusableReason().isEmpty(); }
    // Why the library cannot be listed (no database, unknown layout), empty
    // when it can.
    QString unusableReason() const;

    MediaNode topNode() const override;

    // Photo flags of Shotwell's PhotoTable.
    static constexpr qint64 kTrashFlag = 0x4;
    static constexpr qint64 kOfflineFlag = 0x8;

private:
    QString m_path;
};
