#include "textstyle.h"

#include "stylefile.h"

#include "kit/defaults.h"
#include "kit/folders.h"
#include "kit/localisation.h"

#include <algorithm>
#include <cmath>

TextStyle factoryTextStyle()
{
    TextStyle s;
    s.height = 0.1;
    s.ratio = 3.0;
    s.scaleHeight = 0.0;
    s.fontName = kit::localized("DEFAULT_TEXT_FONT");
    s.fontSize = 16.0;
    s.fontColor = QColor(Qt::black);
    s.strokeWidth = 0;
    s.strokeColor = QColor(Qt::transparent);
    s.shadow = false;
    // A third of the way from black to white.
    s.shadowColor = QColor::fromRgbF(1.0f / 3, 1.0f / 3, 1.0f / 3, 1);
    s.shadowOffset = 4;
    s.shadowBlur = 4;
    s.shadowDegree = 180;
    s.opacity = 100;
    return s;
}

TextStyle defaultTextStyle()
{
    const std::optional<QString> name =
        kit::Defaults::standard().stringForKey(QLatin1String(kStyleNamePreference));
    if (!name || name->isEmpty())
        return factoryTextStyle();
    const QString path = kit::Folders::userFolder(kit::LibraryFolder::Styles) + u'/' + *name
        + QStringLiteral(".style");
    if (std::optional<TextStyle> style = readStyleFile(path))
        return *style;
    return factoryTextStyle();
}

double clampedStyleValue(double v, double lo, double hi)
{
    if (std::isnan(v))
        return std::clamp(0.0, lo, hi);
    return std::clamp(v, lo, hi);
}
