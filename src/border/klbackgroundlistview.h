#pragma once

// The background library: plain white and plain black first (the resource
// pictures "white.png" and "black.png" at the top of the resource folder),
// then every picture (PNG, JPG, JPEG, BMP, TIFF in any case) below the
// user's Backgrounds folder, in walk order. Each load seeds that folder from
// the application's Backgrounds folder, so a shipped picture the user
// deleted comes back. The library takes dropped pictures and adds and
// removes pictures for the library commands.
//
// Thumbnails (the pictures themselves) load on worker threads, one task per
// entry, and reach their entry on the main thread; a later load drops the
// results of older tasks. resourcePaths and the entry views stay
// index-aligned: entry i shows path i.

#include "backgroundentry.h"
#include "klbackgroundview.h"
#include "klgridlibraryview.h"

#include <optional>
#include <vector>

#include <QString>
#include <QStringList>
#include <QUrl>

class KLBackgroundListView : public KLGridLibraryView
{
public:
    // Loads the library and registers for file drops; the first layout with
    // a usable width creates the entries.
    explicit KLBackgroundListView(const kit::Rect& frame = { 0, 0, 180, 400 });
    ~KLBackgroundListView() override;

    // Seeds the user's Backgrounds folder, rebuilds resourcePaths and removes
    // every entry view. Callers run layout() next.
    void load();
    // Lays the grid out; creates the entry views after a load and starts
    // loading their pictures, otherwise moves the existing ones.
    void layout();
    // resourcePaths becomes white, black and every picture below `folder`
    // that an image reader recognises; the others are left out with one log
    // line each.
    void loadBackgroundFromPath(const QString& folder);

    // Copies a picture into the user's Backgrounds folder under a free name
    // ("sky-1.jpg", "sky-2.jpg", ... when "sky.jpg" is taken). Does not
    // reload. Answers the new file, or nothing when the source is not a
    // local picture of a listed type that decodes, no name is free or the
    // copy fails.
    std::optional<QString> addImageFromURL(const QUrl& url);
    std::optional<QString> addImageFromURL(const QString& filePath);

    // Deletes the entry's file and removes the entry, then lays out again.
    // Entries that are not in the library, the built-in white and black
    // entries and the pictures the application ships (which every load
    // would bring back) are left alone.
    // True when the entry is gone; an entry whose file cannot be deleted
    // stays listed.
    bool removeView(KLBackgroundView* view);
    // The same for the entry a canvas kept: found by its picture file.
    bool removeView(const BackgroundEntry& entry);

    const QStringList& resourcePaths() const { return m_resourcePaths; }
    // Replaces the list; the entry views go and the next layout rebuilds them.
    void setResourcePaths(const QStringList& paths);
    const std::vector<KLBackgroundView*>& imgViews() const { return m_imgViews; }

    void setAnimationDuration(int ms) { m_animationMs = ms; }

    // The extensions of the pictures the library lists, upper-case; the add
    // dialog offers exactly these.
    static const QStringList& pictureExtensions();
    // Whether a file name has one of those extensions, in any case.
    static bool isBackgroundFile(const QString& fileName);
    // Why a file cannot be a background (not of a listed type, or it does
    // not decode); empty when it can.
    static QString pictureProblem(const QString& filePath);

    bool performDragOperation(const kit::DragInfo& info) override;

protected:
    // "Plain white" and "Plain black" for the two built-in entries.
    QString entryName(const QString& file) const override;

private:
    void removeAllEntries();
    bool removeAt(int index);

    QStringList m_resourcePaths;
    std::vector<KLBackgroundView*> m_imgViews; // owned as subviews
    int m_generation = 0;
    int m_animationMs = 250;
};
