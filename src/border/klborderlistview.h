#pragma once

// The border library: a grid of the frame borders shipped with the
// application. Entry 0 stands for no border ("*NONE*"); then every border
// file (extension "bdr" in any case) of the application's Borders folder, in
// walk order. Each load also seeds the user's Borders folder from the
// application's, though the library lists the application's own borders.
//
// Thumbnails load on worker threads, one task per entry, and reach their
// entry on the main thread; a later load drops the results of older tasks.
// resourcePaths and the entry views stay index-aligned: entry i shows path i.

#include "klborderview.h"
#include "klgridlibraryview.h"

#include <optional>
#include <vector>

#include <QColor>
#include <QString>
#include <QStringList>

class KLBorderListView : public KLGridLibraryView
{
public:
    // Loads the library; the first layout with a usable width creates the
    // entries.
    explicit KLBorderListView(const kit::Rect& frame = { 0, 0, 180, 400 });
    ~KLBorderListView() override;

    // Seeds the user's Borders folder, rebuilds resourcePaths and removes
    // every entry view. Callers run layout() next.
    void load();
    // Lays the grid out; creates the entry views after a load and starts
    // loading their thumbnails, otherwise moves the existing ones.
    void layout();
    // resourcePaths becomes "*NONE*" and every border file below `folder`
    // that reads as a border (the reader logs why one does not).
    void loadBorderFromPath(const QString& folder);

    const QStringList& resourcePaths() const { return m_resourcePaths; }
    // Replaces the list; the entry views go and the next layout rebuilds them.
    void setResourcePaths(const QStringList& paths);
    const std::vector<KLBorderView*>& imgViews() const { return m_imgViews; }

    // Moves of existing entries are animated over this many milliseconds.
    void setAnimationDuration(int ms) { m_animationMs = ms; }

    // The thumbnail of a border entry's path: for "*NONE*" the plate of the
    // resources' "B-0.png" marked with a struck-through ring in
    // kNoBorderSignColour above the words "No border" in the interface's
    // language; else the same-named ".png" beside the border file, or the
    // named image "white" when there is none. Nothing when the picture
    // cannot be read. Safe on any thread.
    static std::optional<kit::Image> thumbnailForPath(const QString& path);
    static inline const QColor kNoBorderSignColour { Qt::white };

protected:
    // "No border" for the entry that stands for none.
    QString entryName(const QString& file) const override;

private:
    void removeAllEntries();

    QStringList m_resourcePaths;
    std::vector<KLBorderView*> m_imgViews; // owned as subviews
    int m_generation = 0;
    int m_animationMs = 250;
};
