#include "flickrresponse.h"

#include "kit/localisation.h"

#include <algorithm>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace FlickrResponse {

namespace {

QUrl webUrl(const QString& text)
{
    const QUrl url(text, QUrl::StrictMode);
    if (!url.isValid()
        || (url.scheme() != QLatin1String("http") && url.scheme() != QLatin1String("https"))
        || url.host().isEmpty())
        return {};
    return url;
}

// Photo addresses follow a documented pattern when the answer gives none.
QUrl staticUrl(const QJsonObject& photo, const char* suffix)
{
    const QString id = photo.value(QLatin1String("id")).toString();
    const QString server = photo.value(QLatin1String("server")).toString();
    const QString secret = photo.value(QLatin1String("secret")).toString();
    auto plain = [](const QString& s) {
        return !s.isEmpty() && s.size() < 64
            && std::all_of(s.begin(), s.end(), [](QChar c) { return c.isLetterOrNumber(); });
    };
    if (!plain(id) || !plain(server) || !plain(secret))
        return {};
    return QUrl(QStringLiteral("https://live.staticflickr.com/%1/%2_%3_%4.jpg")
                    .arg(server, id, secret, QLatin1String(suffix)));
}

} // namespace

QUrlQuery searchQuery(const FlickrQuery& query, const QString& apiKey, int perPage)
{
    QUrlQuery items;
    items.addQueryItem(QStringLiteral("method"), QStringLiteral("flickr.photos.search"));
    items.addQueryItem(QStringLiteral("api_key"), apiKey);
    if (query.method == 1) {
        items.addQueryItem(QStringLiteral("tags"), query.query);
        items.addQueryItem(QStringLiteral("tag_mode"), QStringLiteral("all"));
    } else {
        items.addQueryItem(QStringLiteral("text"), query.query);
    }
    items.addQueryItem(QStringLiteral("media"), QStringLiteral("photos"));
    items.addQueryItem(QStringLiteral("safe_search"), QStringLiteral("1"));
    items.addQueryItem(QStringLiteral("per_page"), QString::number(perPage));
    items.addQueryItem(QStringLiteral("extras"), QStringLiteral("url_q,url_z,url_l"));
    items.addQueryItem(QStringLiteral("format"), QStringLiteral("json"));
    items.addQueryItem(QStringLiteral("nojsoncallback"), QStringLiteral("1"));
    return items;
}

FlickrSearchResult parseSearch(const QByteArray& json)
{
    FlickrSearchResult result;
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (!document.isObject()) {
        result.error = kit::localized("MEDIA_FLICKR_BAD_ANSWER");
        return result;
    }
    const QJsonObject root = document.object();
    if (root.value(QLatin1String("stat")).toString() != QLatin1String("ok")) {
        const QString message = root.value(QLatin1String("message")).toString().left(300);
        result.error = kit::localized("MEDIA_FLICKR_REFUSED")
                           .arg(message.isEmpty() ? QStringLiteral("-") : message);
        return result;
    }
    const QJsonArray photos =
        root.value(QLatin1String("photos")).toObject().value(QLatin1String("photo")).toArray();
    for (const QJsonValue& value : photos) {
        if (int(result.photos.size()) >= kMaxPhotos)
            break;
        const QJsonObject photo = value.toObject();
        QUrl thumbnail = webUrl(photo.value(QLatin1String("url_q")).toString());
        if (thumbnail.isEmpty())
            thumbnail = staticUrl(photo, "q");
        QUrl full;
        for (const char* key : { "url_l", "url_z" }) {
            full = webUrl(photo.value(QLatin1String(key)).toString());
            if (!full.isEmpty())
                break;
        }
        if (full.isEmpty())
            full = staticUrl(photo, "b");
        if (thumbnail.isEmpty() || full.isEmpty())
            continue;
        QString title = photo.value(QLatin1String("title")).toString().left(200);
        if (title.isEmpty())
            title = photo.value(QLatin1String("id")).toString().left(64);
        result.photos.push_back({ title, {}, thumbnail, full });
    }
    return result;
}

} // namespace FlickrResponse
