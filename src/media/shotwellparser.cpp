#include "shotwellparser.h"

#include "readonlydatabase.h"

#include "kit/localisation.h"

#include <algorithm>
#include <limits>
#include <map>

#include <QDateTime>
#include <QFileInfo>
#include <QLocale>
#include <QSqlQuery>

namespace {

const QStringList kPhotoColumns { "id", "filename", "event_id", "flags", "exposure_time" };
const QStringList kEventColumns { "id", "name", "time_created", "primary_source_id" };

// Longer paths or names are damaged rows, not photos.
constexpr int kMaxPathLength = 4096;
constexpr int kMaxNameLength = 200;

QString boundedName(const QString& name)
{
    return name.size() > kMaxNameLength ? name.left(kMaxNameLength) + QChar(0x2026) : name;
}

// "thumb000000000000002a" names photo 0x2a.
qint64 photoIdOfSource(const QString& source)
{
    if (!source.startsWith(QLatin1String("thumb")))
        return -1;
    bool ok = false;
    const qint64 id = source.mid(5).toLongLong(&ok, 16);
    return ok ? id : -1;
}

} // namespace

ShotwellParser::ShotwellParser(const QString& databasePath) : m_path(databasePath) { }

QString ShotwellParser::databasePath(const QString& dataHome)
{
    return dataHome + QStringLiteral("/shotwell/data/photo.db");
}

QString ShotwellParser::unusableReason() const
{
    ReadOnlyDatabase db(m_path);
    if (!db.isOpen())
        return db.error();
    if (!db.hasColumns(QStringLiteral("PhotoTable"), kPhotoColumns)
        || !db.hasColumns(QStringLiteral("EventTable"), kEventColumns))
        return QStringLiteral("database %1 has a layout this version does not know").arg(m_path);
    return {};
}

MediaNode ShotwellParser::topNode() const
{
    MediaNode top;
    top.identifier = nodeIdentifier(QString());
    top.name = QStringLiteral("Shotwell");
    top.parserIdentifier = identifier();
    top.kind = MediaNodeKind::Library;
    top.location = m_path;
    top.populated = true;
    top.showsSubnodesAsObjects = true;

    ReadOnlyDatabase db(m_path);
    if (!db.isOpen()) {
        top.error = kit::localized("MEDIA_LIBRARY_UNREADABLE").arg(top.name);
        return top;
    }

    struct Event
    {
        QString name;
        qint64 created = 0;
        qint64 keyPhoto = -1;
        qint64 firstExposure = std::numeric_limits<qint64>::max();
        MediaNode node;
    };
    std::map<qint64, Event> events;
    QSqlQuery eventQuery(db.database());
    eventQuery.setForwardOnly(true);
    if (eventQuery.exec(
            QStringLiteral("SELECT id, name, time_created, primary_source_id FROM EventTable"))) {
        while (eventQuery.next()) {
            Event event;
            event.name = eventQuery.value(1).toString();
            event.created = eventQuery.value(2).toLongLong();
            event.keyPhoto = photoIdOfSource(eventQuery.value(3).toString().left(64));
            events[eventQuery.value(0).toLongLong()] = std::move(event);
        }
    }

    Event noEvent;
    noEvent.name = kit::localized("MEDIA_NO_EVENT");
    QSqlQuery photoQuery(db.database());
    photoQuery.setForwardOnly(true);
    if (!photoQuery.exec(QStringLiteral("SELECT id, filename, event_id, flags, exposure_time "
                                        "FROM PhotoTable ORDER BY exposure_time, id"))) {
        top.error = kit::localized("MEDIA_LIBRARY_UNREADABLE").arg(top.name);
        return top;
    }
    while (photoQuery.next()) {
        const QVariant file = photoQuery.value(1);
        if (file.toByteArray().size() > kMaxPathLength)
            continue;
        const QString path = file.toString();
        const qint64 flags = photoQuery.value(3).toLongLong();
        if (flags & (kTrashFlag | kOfflineFlag))
            continue;
        if (!QFileInfo(path).isAbsolute() || !QFileInfo(path).isFile())
            continue;
        const auto found = events.find(photoQuery.value(2).toLongLong());
        Event& event = found == events.end() ? noEvent : found->second;
        const qint64 photoId = photoQuery.value(0).toLongLong();
        event.firstExposure = std::min(event.firstExposure, photoQuery.value(4).toLongLong());
        MediaObject object { boundedName(QFileInfo(path).fileName()), path, {}, {} };
        if (photoId == event.keyPhoto)
            event.node.keyPhotoPath = path;
        event.node.objects.push_back(std::move(object));
    }

    std::vector<std::pair<qint64, qint64>> order; // (first exposure, id) of events with photos
    for (const auto& [id, event] : events) {
        if (!event.node.objects.empty())
            order.emplace_back(event.firstExposure, id);
    }
    std::sort(order.begin(), order.end());
    const QLocale locale;
    auto finish = [&](Event& event, const QString& key) {
        MediaNode node = std::move(event.node);
        node.identifier = nodeIdentifier(key);
        node.location = key;
        node.parserIdentifier = identifier();
        node.kind = MediaNodeKind::Event;
        node.populated = true;
        QString name = event.name.trimmed();
        if (name.isEmpty()) {
            const qint64 when = event.created > 0 ? event.created : event.firstExposure;
            name = locale.toString(QDateTime::fromSecsSinceEpoch(when).date(), QLocale::LongFormat);
        }
        node.name = boundedName(name);
        top.subnodes.push_back(std::move(node));
    };
    for (const auto& [exposure, id] : order)
        finish(events[id], QString::number(id));
    if (!noEvent.node.objects.empty())
        finish(noEvent, QStringLiteral("none"));
    return top;
}
