#pragma once

// A source of photos: one folder, one photo library or one online service.
// The parser controller creates parsers and asks its delegate which to keep;
// the library controller turns each kept parser into a top node of the source
// list.
//
// Threads: topNode() and populate() run on worker threads. They read only
// what the parser was given when it was made (never changed afterwards) and
// touch no widget, so one parser may serve several of them at once. Online
// parsers fill their nodes on the main thread instead, without blocking it
// (populatesAsynchronously()).

#include "medianode.h"

#include <functional>

#include <QString>

class MediaParser
{
public:
    virtual ~MediaParser();

    // The kind of parser, by the name its delegate sees ("IMBFolderParser",
    // "IMBFlickrParser", ...).
    virtual QString className() const = 0;
    // Tells parsers of one class apart (the folder path of a folder parser);
    // empty for a class that has one parser.
    virtual QString instanceKey() const { return {}; }
    QString identifier() const;
    // The media type it lists; "image" for every parser here.
    virtual QString mediaType() const { return QStringLiteral("image"); }
    virtual MediaGroup group() const = 0;
    // False when the source cannot be listed (no database, no credentials).
    virtual bool canBeUsed() const = 0;
    // True for a node the person added and may remove from the list.
    virtual bool isRemovable() const { return false; }

    // The source's top node, with as much filled in as is cheap to read.
    // Worker thread. A source that fails here gives a node with an error.
    virtual MediaNode topNode() const = 0;
    // `node` (a node of this parser) with its objects and subnodes filled in.
    // Worker thread. The default marks the node populated as it is.
    virtual MediaNode populate(const MediaNode& node) const;

    virtual bool populatesAsynchronously() const { return false; }
    // Main thread; calls `done` later, on the main thread, with the filled
    // node (or the node with an error). Only when populatesAsynchronously().
    virtual void populateAsync(const MediaNode& node, std::function<void(MediaNode)> done);

    // The node identifier for `location` under this parser.
    QString nodeIdentifier(const QString& location) const;
};
