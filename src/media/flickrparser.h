#pragma once

// The online source: photos found on Flickr by a few saved searches. The
// parser needs an API key and a shared secret (set by its owner from the
// keychain); without both it cannot be used and the source is not listed.
// Its top node has one subnode per query; a subnode is filled on the main
// thread by one request to the service, which never blocks: an error or a
// time-out becomes the node's message.

#include "flickrresponse.h"
#include "mediaparser.h"

#include <optional>
#include <vector>

#include <QObject>
#include <QUrl>

class QNetworkAccessManager;

class FlickrParser : public QObject, public MediaParser
{
    Q_OBJECT

public:
    class Delegate
    {
    public:
        virtual ~Delegate();
        // The searches to show when none are set yet.
        virtual std::vector<FlickrQuery> flickrParserSetupDefaultQueries(FlickrParser& parser) = 0;
    };

    explicit FlickrParser(QObject* parent = nullptr);
    ~FlickrParser() override;

    QString className() const override { return QStringLiteral("IMBFlickrParser"); }
    MediaGroup group() const override { return MediaGroup::Internet; }
    // True when both the API key and the shared secret are set.
    bool canBeUsed() const override;

    // Asks the new delegate for the default queries when none are set.
    void setDelegate(Delegate* delegate);
    Delegate* delegate() const { return m_delegate; }
    void setFlickrAPIKey(const std::optional<QString>& key) { m_apiKey = key; }
    void setFlickrSharedSecret(const std::optional<QString>& secret) { m_sharedSecret = secret; }
    const std::optional<QString>& flickrAPIKey() const { return m_apiKey; }
    const std::optional<QString>& flickrSharedSecret() const { return m_sharedSecret; }
    const std::vector<FlickrQuery>& queries() const { return m_queries; }
    void setQueries(const std::vector<FlickrQuery>& queries) { m_queries = queries; }

    // The service's REST address; $TESSERA_FLICKR_ENDPOINT overrides the
    // public one.
    QUrl endpoint() const { return m_endpoint; }
    void setEndpoint(const QUrl& endpoint) { m_endpoint = endpoint; }
    int timeoutMs() const { return m_timeoutMs; }
    void setTimeoutMs(int ms) { m_timeoutMs = ms; }

    MediaNode topNode() const override;
    bool populatesAsynchronously() const override { return true; }
    void populateAsync(const MediaNode& node, std::function<void(MediaNode)> done) override;

    static constexpr int kPhotosPerQuery = 60;
    static constexpr qint64 kMaxAnswerBytes = 4 * 1024 * 1024;

private:
    Delegate* m_delegate = nullptr;
    std::optional<QString> m_apiKey;
    std::optional<QString> m_sharedSecret;
    std::vector<FlickrQuery> m_queries;
    QUrl m_endpoint;
    int m_timeoutMs = 20000;
    QNetworkAccessManager* m_network = nullptr;
};
