#pragma once

// What the three side-panel libraries (templates, backgrounds, borders) share:
// the thumbnail grid and the hand-over of work done on worker threads.
//
// Grid: outer margin 10, cells 64 × 64 on a pitch of 74 in both directions,
// the first row at the top (y up), rows filled from left to right. The
// library is the document view of a scroll area: it is as wide as the area
// and at least as tall as it (see setScrollViewHeight).
//
// Hosting: make the library the root view of a kit::Window shown by a
// kit::ViewHost that is the widget of a QScrollArea. When the viewport
// changes, call setScrollViewHeight(viewport height), give the host the
// viewport's width and call layout(); resize the host to the size that
// onFrameSizeChanged reports.
//
// Threads: background work runs on one pool shared by the libraries; its
// result is handed to the main thread, which alone touches views and lists.
// A result reaches deliver() only while the library that started the task
// still exists, so a library may be destroyed with tasks in flight.

#include "kit/animator.h"
#include "kit/image.h"
#include "kit/view.h"

#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include <QCoreApplication>
#include <QMetaObject>
#include <QStringList>

class KLThumbnailView;
#include <QThreadPool>

class KLGridLibraryView : public kit::View
{
public:
    static constexpr double kMargin = 10;
    static constexpr double kCellSize = 64;
    static constexpr double kPitch = 74; // cell plus a gap of 10

    explicit KLGridLibraryView(const kit::Rect& frame);
    ~KLGridLibraryView() override;

    // The height of the enclosing scroll view's frame, in points; the content
    // is made at least this tall (its fraction dropped). 0 when there is none.
    void setScrollViewHeight(double height) { m_scrollViewHeight = height; }
    double scrollViewHeight() const { return m_scrollViewHeight; }

    // Called after a layout changed the library's frame size, so that the
    // widget hosting it can follow.
    std::function<void(kit::Size)> onFrameSizeChanged;
    // Called with the dropped files that a drop did not add (not of the
    // library's kind, or not readable as one), so that the window can say so.
    std::function<void(const QStringList& refused)> onFilesRefused;
    // Called on the main thread each time the last outstanding background
    // task has handed its result back.
    std::function<void()> onBackgroundWorkFinished;

    // Marks the entry that lists `file` as the one in use (a check badge);
    // an empty file marks none. The mark stays with the file through reloads,
    // filters and new entries.
    void markFile(const QString& file);
    const QString& markedFile() const { return m_markedFile; }

    // Called on the main thread when an entry's thumbnail has arrived.
    std::function<void(KLThumbnailView* entry)> onThumbnailLoaded;

    // Background tasks started and not yet handed back to the main thread.
    int pendingTasks() const { return m_pendingTasks; }

    // The pool that runs the libraries' background tasks.
    static QThreadPool& workerPool();

protected:
    struct Grid
    {
        int columns = 0;
        double height = 0; // content height H
    };
    // The grid for `visibleCount` cells at the current bounds width; nothing
    // when the view is narrower than one column (84).
    std::optional<Grid> gridFor(int visibleCount) const;
    // Frame of the k-th visible cell.
    static kit::Rect cellFrame(const Grid& grid, int k);
    // Sets the frame size to (bounds width, H) and tells the host.
    void setContentSize(const Grid& grid);
    // Gives a new entry its file, its name as tool tip and, when it is the
    // marked one, the mark.
    void prepareEntry(KLThumbnailView& entry, const QString& file) const;
    // The name a person knows an entry by: the file's name without its
    // extension, unless a library names its own entries otherwise.
    virtual QString entryName(const QString& file) const;

    // Runs `work` on the worker pool, then `deliver` with its result on the
    // main thread if this library still exists. Call on the main thread.
    template<class Result>
    void runInBackground(std::function<Result()> work, std::function<void(Result)> deliver);

    // The grid layout of libraries whose entries are thumbnails of files:
    // after a load (no views yet) creates one view per path with `make` and
    // loads each thumbnail with `thumbnail` on the workers; otherwise moves
    // the existing views to their cells, animated over `animationMs`.
    // Thumbnails of an older load (`generation` changed) are dropped.
    template<class Entry>
    void layoutEntries(std::vector<Entry*>& views, const QStringList& paths, int animationMs,
                       const int& generation,
                       const std::function<std::unique_ptr<Entry>(int, const kit::Rect&)>& make,
                       std::function<std::optional<kit::Image>(const QString&)> thumbnail);

private:
    struct Liveness
    {
        KLGridLibraryView* view; // nullptr once the view is gone
    };
    void taskFinished();

    double m_scrollViewHeight = 0;
    int m_pendingTasks = 0;
    QString m_markedFile;
    // Weakly held by the tasks: expires with the view.
    std::shared_ptr<Liveness> m_liveness;
};

template<class Result>
void KLGridLibraryView::runInBackground(std::function<Result()> work,
                                        std::function<void(Result)> deliver)
{
    ++m_pendingTasks;
    std::weak_ptr<Liveness> weak = m_liveness;
    QObject* mainContext = QCoreApplication::instance();
    workerPool().start(
        [weak, mainContext, work = std::move(work), deliver = std::move(deliver)]() mutable {
            Result result = work();
            // The weak pointer is only locked on the main thread, where the view
            // lives and dies.
            QMetaObject::invokeMethod(
                mainContext,
                [weak, deliver = std::move(deliver), result = std::move(result)]() mutable {
                    const auto alive = weak.lock();
                    if (!alive || !alive->view)
                        return;
                    deliver(std::move(result));
                    // deliver() may have ended the library.
                    if (alive->view)
                        alive->view->taskFinished();
                },
                Qt::QueuedConnection);
        });
}

template<class Entry>
void KLGridLibraryView::layoutEntries(
    std::vector<Entry*>& views, const QStringList& paths, int animationMs, const int& generation,
    const std::function<std::unique_ptr<Entry>(int, const kit::Rect&)>& make,
    std::function<std::optional<kit::Image>(const QString&)> thumbnail)
{
    const bool create = views.empty();
    const int n = int(paths.size());
    const std::optional<Grid> grid = gridFor(n);
    if (!grid)
        return;
    setFrameOrigin({ 0, 0 });
    setContentSize(*grid);

    kit::Animator::Targets moves;
    for (int i = 0; i < n; ++i) {
        const kit::Rect cell = cellFrame(*grid, i);
        if (!create) {
            if (i < int(views.size()))
                moves.emplace_back(views[size_t(i)], cell);
            continue;
        }
        views.push_back(addSubview(make(i, cell)));
        prepareEntry(*views.back(), paths[i]);
    }
    if (!moves.empty())
        kit::Animator::shared().animate(moves, animationMs);

    if (!create)
        return;
    for (int i = 0; i < n; ++i) {
        const QString path = paths[i];
        const kit::ViewRef entry(views[size_t(i)]);
        const int started = generation;
        runInBackground<std::optional<kit::Image>>(
            [path, thumbnail] { return thumbnail(path); },
            [this, entry, started, &generation](std::optional<kit::Image> image) {
                if (started != generation || !image)
                    return;
                auto* view = static_cast<Entry*>(entry.get());
                if (!view)
                    return;
                view->_setImage(*image);
                if (onThumbnailLoaded)
                    onThumbnailLoaded(view);
            });
    }
}
