#include "klborderlistview.h"

#include "klframeborder.h"

#include "kit/animator.h"
#include "kit/folders.h"
#include "kit/localisation.h"
#include "kit/logging.h"

#include <cmath>

#include <QFileInfo>
#include <QFont>
#include <QImage>
#include <QPainter>

namespace {

const QStringList kBorderExtensions { QStringLiteral("BDR") };

// Decodes the levels a 64-point cell draws on 1× and 2× screens, so that
// the main thread only draws.
void warm(const kit::Image& image)
{
    image.pixels(QSize(128, 128));
    image.pixels(QSize(64, 64));
}

// The tile of the entry that stands for no border: the plate the other
// border thumbnails show ("B-0.png" of the resources, drawn at twice the
// cell's size) with no outline, marked with a struck-through ring above the
// words "No border" in the interface's language.
kit::Image noBorderTile()
{
    constexpr int kSide = 128;
    QImage tile(kSide, kSide, QImage::Format_ARGB32_Premultiplied);
    tile.fill(Qt::transparent);
    QPainter p(&tile);
    p.setRenderHint(QPainter::Antialiasing);
    const QImage plate(kit::Folders::resourcePath(QStringLiteral("B-0.png")));
    if (plate.isNull())
        p.fillRect(QRect(4, 4, kSide - 8, kSide - 8), QColor(0x8c, 0x93, 0x9d));
    else
        p.drawImage(QRect(0, 0, kSide, kSide), plate);

    const QRectF ring(kSide / 2.0 - 24, 16, 48, 48);
    const double d = 24 / std::sqrt(2.0);
    p.setPen(QPen(KLBorderListView::kNoBorderSignColour, 7, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(ring);
    p.drawLine(ring.center() + QPointF(-d, -d), ring.center() + QPointF(d, d));

    QFont font;
    font.setPixelSize(18);
    font.setBold(true);
    p.setFont(font);
    p.setPen(QColor(0x1f, 0x1f, 0x1f));
    p.drawText(QRectF(4, 72, kSide - 8, 50), Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap,
               kit::localized("NO_BORDER"));
    p.end();
    return kit::Image::fromPixels(tile);
}

} // namespace

KLBorderListView::KLBorderListView(const kit::Rect& frame) : KLGridLibraryView(frame)
{
    load();
    layout();
}

KLBorderListView::~KLBorderListView() = default;

void KLBorderListView::removeAllEntries()
{
    for (KLBorderView* view : m_imgViews)
        view->removeFromSuperview(); // the returned owner destroys it
    m_imgViews.clear();
    // Thumbnails still on their way belong to the views just removed.
    ++m_generation;
}

void KLBorderListView::load()
{
    using kit::Folders;
    const QString app = Folders::resourceFolder(kit::LibraryFolder::Borders);
    const QString user = Folders::userFolder(kit::LibraryFolder::Borders);

    m_resourcePaths.clear();
    removeAllEntries();

    if (QFileInfo(user).isDir()) {
        kit::log(kit::lcLibrary(), QStringLiteral("Copy border file..."));
        for (const QString& relative : Folders::walk(app)) {
            const QString target = user + u'/' + relative;
            if (!Folders::exists(target))
                Folders::copyItem(app + u'/' + relative, target);
        }
    } else {
        kit::log(kit::lcLibrary(), QStringLiteral("Local not exists:%1").arg(user));
        Folders::copyItem(app, user);
    }
    loadBorderFromPath(app);
}

void KLBorderListView::loadBorderFromPath(const QString& folder)
{
    kit::log(kit::lcLibrary(), QStringLiteral("Load border file from '%1'.").arg(folder));
    QStringList paths { KLBorderView::kNoBorderPath };
    for (const QString& relative : kit::Folders::walkFiles(folder, kBorderExtensions)) {
        const QString path = folder + u'/' + relative;
        // The reader logs why a file is not a border; it is left out.
        if (KLFrameBorder::initWithBorderFile(path))
            paths.append(path);
    }
    m_resourcePaths = paths;
}

void KLBorderListView::setResourcePaths(const QStringList& paths)
{
    removeAllEntries();
    m_resourcePaths = paths;
}

std::optional<kit::Image> KLBorderListView::thumbnailForPath(const QString& path)
{
    std::optional<kit::Image> image;
    if (path == KLBorderView::kNoBorderPath) {
        image = noBorderTile();
    } else {
        const QFileInfo info(path);
        const QString name = info.fileName();
        const qsizetype dot = name.lastIndexOf(u'.');
        const QString thumbnail =
            info.absolutePath() + u'/' + (dot > 0 ? name.left(dot) : name) + QStringLiteral(".png");
        image = kit::Folders::exists(thumbnail)
            ? kit::Image::load(thumbnail)
            : kit::Image::load(kit::Folders::resourcePath(QStringLiteral("images/white.png")));
    }
    if (image)
        warm(*image);
    return image;
}

QString KLBorderListView::entryName(const QString& file) const
{
    return file == KLBorderView::kNoBorderPath ? kit::localized("NO_BORDER")
                                               : KLGridLibraryView::entryName(file);
}

void KLBorderListView::layout()
{
    layoutEntries<KLBorderView>(
        m_imgViews, m_resourcePaths, m_animationMs, m_generation,
        [this](int i, const kit::Rect& cell) {
            auto view = std::make_unique<KLBorderView>(cell);
            view->setTag(i);
            view->setPath(m_resourcePaths[i]);
            return view;
        },
        &KLBorderListView::thumbnailForPath);
}
