#pragma once

// The records the media browser shows: sources (nodes) and the photos in them
// (objects). Parsers build them on worker threads; the library controller
// hands them to the main thread, where the views read them. They are plain
// values: no widget, no thread affinity.

#include <vector>

#include <QString>
#include <QUrl>

// One photo of a source.
struct MediaObject
{
    QString name; // shown under the thumbnail
    // The photo on this machine; empty for a photo of an online source until
    // it has been downloaded.
    QString filePath;
    // Online sources only: a small preview and the photo to drop.
    QUrl thumbnailUrl;
    QUrl photoUrl;

    bool isLocal() const { return !filePath.isEmpty(); }
};

enum class MediaNodeKind {
    Folder, // a folder on disk, its subfolders as subnodes
    Library, // a photo library's top node (Shotwell, digiKam)
    Event, // a Shotwell event
    Album, // a digiKam album
    Online, // a query of an online source
};

// Where a top node is listed in the source list.
enum class MediaGroup { Libraries, Folders, Internet };

struct MediaNode
{
    // Unique within the library controller: "<parser identifier>|<location>".
    QString identifier;
    QString name;
    QString parserIdentifier;
    MediaNodeKind kind = MediaNodeKind::Folder;
    // What the parser needs to fill the node: a folder path, an event or
    // album id, a query.
    QString location;
    std::vector<MediaNode> subnodes;
    std::vector<MediaObject> objects;
    // True once objects and subnodes are complete; an unpopulated node is
    // filled by its parser when it is shown.
    bool populated = false;
    // The grid shows the subnodes (events) as tiles instead of the objects.
    bool showsSubnodesAsObjects = false;
    // The photo a tile of this node shows; the first object when empty.
    QString keyPhotoPath;
    // Why the node shows nothing ("The service did not answer in time."),
    // empty when all is well.
    QString error;

    // The node with `id` in this tree, or null.
    const MediaNode* find(const QString& id) const;
    MediaNode* find(const QString& id);
};
