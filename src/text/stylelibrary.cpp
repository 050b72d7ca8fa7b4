#include "stylelibrary.h"

#include "textstyle.h"

#include "kit/defaults.h"
#include "kit/folders.h"
#include "kit/localisation.h"

#include <QFileInfo>
#include <QImageReader>

namespace {

// Previews are small pictures; anything far larger is not one.
constexpr int kMaxPreviewSide = 8192;

// `size` fitted into side × side keeping its proportions.
QSize fitted(QSize size, int side)
{
    const double w = size.width(), h = size.height();
    return w / h > 1 ? QSize(side, std::max(1, qRound(side * h / w)))
                     : QSize(std::max(1, qRound(side * w / h)), side);
}

// The part of a preview that shows something: a caption's picture is mostly
// its transparent box, and a menu's small square should show the text.
QRect inkBounds(const QImage& image)
{
    int left = image.width(), right = -1, top = image.height(), bottom = -1;
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(line[x]) <= 8)
                continue;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    if (right < 0)
        return image.rect();
    const int pad = std::max(2, (right - left) / 20);
    return QRect(QPoint(left, top), QPoint(right, bottom)).adjusted(-pad, -pad, pad, pad)
        & image.rect();
}

QImage fittedPicture(const QString& path, int side)
{
    if (!QFileInfo(path).isFile())
        return {};
    QImageReader reader(path);
    const QSize size = reader.size();
    if (!size.isValid() || size.isEmpty() || size.width() > kMaxPreviewSide
        || size.height() > kMaxPreviewSide)
        return {};
    // Read at a few times the size shown, cropped to its ink, then fitted.
    if (std::max(size.width(), size.height()) > 4 * side)
        reader.setScaledSize(fitted(size, 4 * side));
    QImage image = reader.read();
    if (image.isNull())
        return {};
    image = image.convertToFormat(QImage::Format_ARGB32);
    image = image.copy(inkBounds(image));
    return image.scaled(fitted(image.size(), side), Qt::IgnoreAspectRatio,
                        Qt::SmoothTransformation);
}

} // namespace

std::vector<StyleEntry> stylesInFolder(const QString& folder, int firstTag)
{
    std::vector<StyleEntry> entries;
    for (const QString& relative : kit::Folders::walkFiles(folder, { QStringLiteral("STYLE") })) {
        // "name.style" → "name"; the extension is five characters and a dot.
        const QString title = relative.left(relative.size() - 6);
        entries.push_back({ title, firstTag + int(entries.size()) });
    }
    return entries;
}

QString shippedStylesFolder()
{
    return kit::Folders::resourceFolder(kit::LibraryFolder::Styles);
}

QString userStylesFolder(bool create)
{
    if (create) {
        if (std::optional<QString> folder =
                kit::Folders::ensureUserFolder(kit::LibraryFolder::Styles))
            return *folder;
    }
    return kit::Folders::userFolder(kit::LibraryFolder::Styles);
}

QString stylePathForEntry(const StyleEntry& entry)
{
    const QString folder =
        entry.tag < kUserStyleTag ? shippedStylesFolder() : userStylesFolder(false);
    return folder + u'/' + entry.title + QStringLiteral(".style");
}

QImage stylePreview(const QString& folder, const QString& title, int side)
{
    return fittedPicture(folder + u'/' + title + QStringLiteral(".png"), side);
}

QImage defaultStylePreview(int side)
{
    return fittedPicture(kit::Folders::resourcePath(QStringLiteral("images/default_style.png")),
                         side);
}

QString currentDefaultStyleTitle()
{
    const std::optional<QString> name =
        kit::Defaults::standard().stringForKey(QLatin1String(kStyleNamePreference));
    return name ? *name : kit::localized("DEFAULT_TEXT_STYLE");
}
