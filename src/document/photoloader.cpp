#include "photoloader.h"

#include "collageeditor.h"

#include "border/klframeborder.h"

#include <QFileInfo>
#include <QHash>
#include <QPainter>

namespace {

// Border files are a few kilobytes; anything far larger is not one.
constexpr qint64 kMaxBorderBytes = 1 << 20;
constexpr int kStandInSide = 256;

// The first of `file` and `fallback` that is a plain file; `file` when
// neither is.
QString existing(const QString& file, const QString& fallback)
{
    if (!fallback.isEmpty() && !QFileInfo(file).isFile() && QFileInfo(fallback).isFile())
        return fallback;
    return file;
}

class Loader
{
public:
    explicit Loader(CollageEditor* editor) : m_editor(editor) { }

    // The picture at `path` if it is a plain file that reads as one.
    std::optional<kit::Image> read(const QString& path, QString* reason)
    {
        if (auto it = m_cache.find(path); it != m_cache.end())
            return *it;
        const QFileInfo info(path);
        if (!info.exists()) {
            *reason = QStringLiteral("%1: no such file").arg(path);
            return std::nullopt;
        }
        if (!info.isFile()) {
            *reason = QStringLiteral("%1: not a file").arg(path);
            return std::nullopt;
        }
        std::optional<kit::Image> image = kit::Image::load(path, reason);
        if (image)
            m_cache.insert(path, *image);
        return image;
    }

    bool load(PhotoRef& photo, QStringList& problems)
    {
        if (!photo.image.isNull())
            return true;
        QString reason;
        std::optional<kit::Image> image =
            photo.file.isEmpty() ? std::nullopt : read(photo.file, &reason);
        if (!image && !photo.fallback.isEmpty()) {
            QString ignored;
            if ((image = read(photo.fallback, &ignored)))
                photo.file = photo.fallback;
        }
        if (image) {
            photo.image = *image;
            photo.fallback.clear();
            return true;
        }
        problems.append(reason.isEmpty() ? QStringLiteral("a photo without a file") : reason);
        return false;
    }

    void photo(PhotoRef& photo, QStringList& problems)
    {
        if (load(photo, problems) || !m_editor)
            return;
        photo.image = standInPicture(photo.pixelSize);
        m_editor->addStandIn(photo.image, photo);
    }

    void decorations(Decorations& d, QStringList& problems)
    {
        if (d.background && d.background->isPicture() && d.background->image.isNull()) {
            QString reason;
            d.background->path = existing(d.background->path, d.backgroundFallback);
            if (std::optional<kit::Image> image = read(d.background->path, &reason)) {
                d.background->image = *image;
            } else {
                problems.append(reason);
                if (m_editor)
                    d.background.reset();
            }
        }
        d.backgroundFallback.clear();
        if (d.border)
            d.border = existing(*d.border, d.borderFallback);
        d.borderFallback.clear();
        if (d.border) {
            const QFileInfo info(*d.border);
            QString reason;
            if (!info.exists())
                reason = QStringLiteral("%1: no such file").arg(*d.border);
            else if (!info.isFile() || info.size() > kMaxBorderBytes
                     || !KLFrameBorder::initWithBorderFile(*d.border))
                reason = QStringLiteral("%1: not a frame border file").arg(*d.border);
            if (!reason.isEmpty()) {
                problems.append(reason);
                if (m_editor)
                    d.border.reset();
            }
        }
    }

private:
    CollageEditor* m_editor;
    QHash<QString, kit::Image> m_cache;
};

} // namespace

kit::Image standInPicture(QSize pixelSize)
{
    QSize size = pixelSize.isValid() && !pixelSize.isEmpty() ? pixelSize : QSize(4, 3);
    size.scale(kStandInSide, kStandInSide, Qt::KeepAspectRatio);
    size = size.expandedTo(QSize(1, 1));
    QImage pixels(size, QImage::Format_ARGB32_Premultiplied);
    pixels.fill(QColor(0xc8, 0xc8, 0xc8));
    QPainter painter(&pixels);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0x96, 0x96, 0x96), std::max(1, size.width() / 64)));
    painter.drawLine(QPointF(0, 0), QPointF(size.width(), size.height()));
    painter.drawLine(QPointF(size.width(), 0), QPointF(0, size.height()));
    painter.end();
    return kit::Image::fromPixels(pixels);
}

PhotoLoadReport loadDocumentPhotos(CollageDocument& document, CollageEditor* editor)
{
    Loader loader(editor);
    PhotoLoadReport report;
    QStringList& problems = report.problems;
    TemplateCollage& t = document.templateCollage;
    // The template's cells come from its text; its file only names it.
    t.file = existing(t.file, t.fileFallback);
    t.fileFallback.clear();
    loader.decorations(t.decorations, problems);
    for (CellState& cell : t.cells) {
        if (cell.photo)
            loader.photo(*cell.photo, problems);
    }
    FreeCollage& f = document.freeCollage;
    loader.decorations(f.decorations, problems);
    for (PrintState& print : f.prints)
        loader.photo(print.photo, problems);
    SerialCollage& s = document.serialCollage;
    loader.decorations(s.decorations, problems);
    for (PhotoRef& photo : s.photos)
        loader.photo(photo, problems);
    problems.removeDuplicates();
    return report;
}
