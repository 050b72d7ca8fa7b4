#include "flickrparser.h"

#include "kit/localisation.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

FlickrParser::Delegate::~Delegate() = default;

FlickrParser::FlickrParser(QObject* parent)
    : QObject(parent), m_network(new QNetworkAccessManager(this))
{
    const QByteArray endpoint = qgetenv("TESSERA_FLICKR_ENDPOINT");
    m_endpoint = endpoint.isEmpty() ? QUrl(QStringLiteral("https://api.flickr.com/services/rest/"))
                                    : QUrl(QString::fromUtf8(endpoint));
}

FlickrParser::~FlickrParser() = default;

bool FlickrParser::canBeUsed() const
{
    return m_apiKey && !m_apiKey->isEmpty() && m_sharedSecret && !m_sharedSecret->isEmpty();
}

void FlickrParser::setDelegate(Delegate* delegate)
{
    m_delegate = delegate;
    if (m_delegate && m_queries.empty())
        m_queries = m_delegate->flickrParserSetupDefaultQueries(*this);
}

MediaNode FlickrParser::topNode() const
{
    MediaNode top;
    top.identifier = nodeIdentifier(QString());
    top.name = QStringLiteral("Flickr");
    top.parserIdentifier = identifier();
    top.kind = MediaNodeKind::Online;
    top.populated = true;
    for (size_t i = 0; i < m_queries.size(); ++i) {
        const FlickrQuery& query = m_queries[i];
        MediaNode sub;
        sub.location = QString::number(i);
        sub.identifier = nodeIdentifier(sub.location);
        sub.parserIdentifier = identifier();
        sub.kind = MediaNodeKind::Online;
        sub.name = kit::localized(query.method == 1 ? "MEDIA_FLICKR_TAGS" : "MEDIA_FLICKR_TEXT")
                       .arg(query.query);
        top.subnodes.push_back(std::move(sub));
    }
    return top;
}

void FlickrParser::populateAsync(const MediaNode& node, std::function<void(MediaNode)> done)
{
    MediaNode filled = node;
    filled.populated = true;
    filled.objects.clear();
    bool ok = false;
    const int index = node.location.toInt(&ok);
    if (!ok || index < 0 || index >= int(m_queries.size()) || !canBeUsed()) {
        done(filled);
        return;
    }
    QUrl url = m_endpoint;
    url.setQuery(FlickrResponse::searchQuery(m_queries[size_t(index)], *m_apiKey, kPhotosPerQuery));
    QNetworkRequest request(url);
    request.setTransferTimeout(m_timeoutMs);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    QNetworkReply* reply = m_network->get(request);
    connect(reply, &QNetworkReply::downloadProgress, reply, [reply](qint64 received, qint64) {
        if (received > kMaxAnswerBytes)
            reply->abort();
    });
    connect(reply, &QNetworkReply::finished, this, [reply, filled, done]() mutable {
        reply->deleteLater();
        const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        if (reply->error() == QNetworkReply::OperationCanceledError
            || reply->error() == QNetworkReply::TimeoutError) {
            filled.error = kit::localized("MEDIA_FLICKR_TIMEOUT");
        } else if (reply->error() != QNetworkReply::NoError && status < 400) {
            filled.error = kit::localized("MEDIA_FLICKR_UNREACHABLE").arg(reply->errorString());
        } else if (status >= 400) {
            filled.error = kit::localized("MEDIA_FLICKR_HTTP_ERROR").arg(status);
        } else {
            FlickrSearchResult result = FlickrResponse::parseSearch(reply->read(kMaxAnswerBytes));
            filled.objects = std::move(result.photos);
            filled.error = result.error;
        }
        done(std::move(filled));
    });
}
