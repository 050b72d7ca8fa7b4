#include "textfont.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QStringList>

namespace {

// Style names that mean the family's plain face.
bool isRegularStyle(const QString& style)
{
    static const QStringList plain = { QStringLiteral("Regular"), QStringLiteral("Book"),
                                       QStringLiteral("Normal"), QStringLiteral("Roman"),
                                       QStringLiteral("Plain") };
    return style.isEmpty() || plain.contains(style, Qt::CaseInsensitive);
}

} // namespace

QString fontName(const QFont& font)
{
    const QFontInfo info(font);
    const QString family = info.family();
    const QString style = info.styleName();
    return isRegularStyle(style) ? family : family + u' ' + style;
}

QFont fontFromName(const QString& name, double pointSize)
{
    const QString trimmed = name.trimmed();
    QString family = trimmed, style;
    qsizetype best = -1;
    for (const QString& candidate : QFontDatabase::families()) {
        if (candidate.size() <= best)
            continue;
        if (trimmed.compare(candidate, Qt::CaseInsensitive) == 0
            || (trimmed.startsWith(candidate, Qt::CaseInsensitive)
                && trimmed.at(candidate.size()) == u' ')) {
            best = candidate.size();
            family = candidate;
            style = trimmed.mid(candidate.size()).trimmed();
        }
    }
    QFont font(family);
    for (const QString& known : QFontDatabase::styles(family)) {
        if (!style.isEmpty() && known.compare(style, Qt::CaseInsensitive) == 0)
            font.setStyleName(known);
    }
    font.setPointSizeF(pointSize > 0 ? pointSize : 12);
    return font;
}
