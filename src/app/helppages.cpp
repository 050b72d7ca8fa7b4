#include "helppages.h"

#include "kit/folders.h"

#include <algorithm>

#include <QFileInfo>

#ifndef TESSERA_ISSUES_URL
#define TESSERA_ISSUES_URL ""
#endif

namespace helppages {

namespace {

QString pagePath(const QString& language)
{
    return kit::Folders::resourcePath(QStringLiteral("help/%1/index.html").arg(language));
}

} // namespace

QUrl helpPage(const QString& language)
{
    // Language names come from translation tables; keep them to a folder name.
    const bool plain = !language.isEmpty()
        && std::all_of(language.begin(), language.end(),
                       [](QChar c) { return c.isLetterOrNumber() || c == u'_'; });
    for (const QString& candidate : { plain ? language : QString(), QStringLiteral("en") }) {
        if (candidate.isEmpty())
            continue;
        const QString path = pagePath(candidate);
        if (QFileInfo(path).isFile())
            return QUrl::fromLocalFile(path);
    }
    return {};
}

QUrl issuesPage()
{
    const QUrl url(QString::fromUtf8(TESSERA_ISSUES_URL), QUrl::StrictMode);
    const bool web = url.scheme() == u"https" || url.scheme() == u"http";
    return url.isValid() && web && !url.host().isEmpty() ? url : QUrl();
}

} // namespace helppages
