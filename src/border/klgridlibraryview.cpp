#include "klgridlibraryview.h"

#include "klthumbnailview.h"

#include <algorithm>
#include <cmath>

#include <QFileInfo>
#include <QThread>

KLGridLibraryView::KLGridLibraryView(const kit::Rect& frame)
    : kit::View(frame), m_liveness(std::make_shared<Liveness>(Liveness { this }))
{ }

KLGridLibraryView::~KLGridLibraryView()
{
    m_liveness->view = nullptr;
    // A task still running draws with fonts and image codecs that do not
    // survive the application object; it must end while the application is
    // whole, which it still is while its libraries die.
    if (m_pendingTasks > 0)
        workerPool().waitForDone();
}

QThreadPool& KLGridLibraryView::workerPool()
{
    // Owned by the application. The libraries wait for it as they die, so
    // no task outlives the application; results arriving after a library
    // is gone are dropped.
    static QThreadPool* pool = [] {
        auto* p = new QThreadPool(QCoreApplication::instance());
        p->setObjectName(QStringLiteral("tessera.libraries"));
        p->setMaxThreadCount(std::max(1, QThread::idealThreadCount()));
        return p;
    }();
    return *pool;
}

std::optional<KLGridLibraryView::Grid> KLGridLibraryView::gridFor(int visibleCount) const
{
    const double columns = std::floor((bounds().width() - kMargin) / kPitch);
    if (!(columns >= 1))
        return std::nullopt;
    Grid grid;
    grid.columns = int(columns);
    const int rows = (visibleCount + grid.columns - 1) / grid.columns;
    grid.height = rows * kPitch + kMargin;
    if (m_scrollViewHeight > grid.height)
        grid.height = std::floor(m_scrollViewHeight);
    return grid;
}

kit::Rect KLGridLibraryView::cellFrame(const Grid& grid, int k)
{
    return { kMargin + kPitch * (k % grid.columns), grid.height - kPitch * (k / grid.columns + 1),
             kCellSize, kCellSize };
}

void KLGridLibraryView::setContentSize(const Grid& grid)
{
    const kit::Size size(bounds().width(), grid.height);
    const bool changed = !(unrotatedFrame().size == size);
    setFrameSize(size);
    setNeedsDisplay();
    if (changed && onFrameSizeChanged)
        onFrameSizeChanged(size);
}

void KLGridLibraryView::markFile(const QString& file)
{
    m_markedFile = file;
    for (const auto& sub : subviews()) {
        if (auto* entry = dynamic_cast<KLThumbnailView*>(sub.get()))
            entry->_setMarked(!file.isEmpty() && entry->file() == file);
    }
}

void KLGridLibraryView::prepareEntry(KLThumbnailView& entry, const QString& file) const
{
    entry.setFile(file);
    entry.setToolTip(entryName(file));
    entry._setMarked(!m_markedFile.isEmpty() && file == m_markedFile);
}

QString KLGridLibraryView::entryName(const QString& file) const
{
    return QFileInfo(file).completeBaseName();
}

void KLGridLibraryView::taskFinished()
{
    if (m_pendingTasks > 0 && --m_pendingTasks == 0 && onBackgroundWorkFinished)
        onBackgroundWorkFinished();
}
