#pragma once

// The template library: one thumbnail for every template file (extension
// "fdd" in any case) below the user's Templates folder, in a grid ordered by
// the templates' cell counts (equal counts keep the folder walk's order).
// Each load seeds that folder from the application's Templates folder, so a
// shipped template the user deleted comes back.
//
// Thumbnails are PNG files beside their templates ("grid-2x2.png" for
// "grid-2x2.fdd"). An existing one is used as it is, even when its template
// changed since; a missing one is rendered from the template on a worker
// thread, each with its own template canvas, and reaches its entry on the
// main thread when it is done, so the grid shows at once and fills in.
//
// Index alignment: every template path has an entry view, resourcePaths[i]
// is shown by imgViews()[i] (once the views exist). A template whose
// thumbnail is missing or unreadable gets a view with an empty picture,
// which still selects the template.

#include "klimageview.h"

#include "border/klgridlibraryview.h"

#include <optional>
#include <vector>

#include <QSet>
#include <QString>
#include <QStringList>
#include <QUrl>

class KLResourceListView : public KLGridLibraryView
{
public:
    struct TemplateEntry
    {
        QString path;
        int count = 0; // itemCount of the path
    };

    // Loads the library with the filter 0 and registers for file drops; the
    // first layout with a usable width creates the thumbnails.
    explicit KLResourceListView(const kit::Rect& frame = { 0, 0, 180, 400 });
    ~KLResourceListView() override;

    // Seeds the user's Templates folder and re-reads it; removes every
    // thumbnail view. Callers run layout() next.
    void load();
    // Builds the thumbnail views if there are none, else shows, hides and
    // moves the existing ones; sizes the view.
    void layout();
    // Shows only the templates with `count` cells (9: nine or more); 0 shows
    // all. Lays out again.
    void _setFilter(int count);
    int filter() const { return m_filter; }

    const QStringList& resourcePaths() const { return m_resourcePaths; }
    const std::vector<TemplateEntry>& paths() const { return m_paths; }
    const std::vector<KLImageView*>& imgViews() const { return m_imgViews; }

    // The template's cell count: 0 when unreadable, -1 for readable text
    // without lines, at most 9.
    static int itemCount(const QString& path);
    // Finds the template files below `folder`, starts rendering the missing
    // thumbnails, adds the templates to paths() and rebuilds resourcePaths
    // ordered by count. A file that does not read as a template with a cell
    // is left out, with one log line.
    void loadTemplateFromPath(const QString& folder);

    // Sets the view's frame size to the thumbnail size for a template of
    // w by h (single precision); the origin is kept. Non-positive or
    // non-finite ratios leave the view unchanged.
    static void updateFrameWithRatioWidth(float ratioWidth, float ratioHeight, kit::View* view);
    static kit::Size thumbnailSize(float ratioWidth, float ratioHeight);

    // Copies a template into the user's Templates folder under a free name
    // ("a-1.fdd", "a-2.fdd", ... when "a.fdd" is taken). Does not reload.
    // Answers the new file, or nothing when the source is not a local file
    // that reads as a template with at least one cell, no name is free or
    // the copy fails.
    std::optional<QString> addTemplateFromURL(const QUrl& url);
    std::optional<QString> addTemplateFromURL(const QString& filePath);
    // Deletes the template file and its thumbnail view, then lays out again.
    // A path that is not listed, and a template the application ships
    // (which every load would bring back), change nothing, as does a file
    // that cannot be deleted. The thumbnail file stays. True when the
    // template is gone.
    bool removeTemplate(const QString& path);

    // Renders the thumbnail of a template into `thumbnailPath` (PNG) and
    // answers it; nothing, with a log line, when the template cannot be
    // loaded or the file cannot be written. Safe on any thread.
    static std::optional<kit::Image> renderThumbnail(const QString& templatePath,
                                                     const QString& thumbnailPath);
    // The thumbnail file of a template: its path with the extension replaced
    // by "png".
    static QString thumbnailPath(const QString& templatePath);

    // Thumbnails being rendered.
    int pendingThumbnails() const { return pendingTasks(); }
    void setAnimationDuration(int ms) { m_animationMs = ms; }

    bool performDragOperation(const kit::DragInfo& info) override;

private:
    void removeAllEntries();
    void startRender(const QString& templatePath, const QString& thumbnail);
    bool isShown(const KLImageView* view) const;

    std::vector<TemplateEntry> m_paths; // sorted; aligned with m_resourcePaths
    QStringList m_resourcePaths;
    std::vector<KLImageView*> m_imgViews; // owned as subviews
    QSet<QString> m_rendering; // thumbnail files being rendered
    int m_filter = 0;
    int m_animationMs = 250;
};
