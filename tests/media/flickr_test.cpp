// The online source against a loopback server that answers like the
// service: search results, a photo, a refusal, and no answer at all.

#include "mediatestsupport.h"

#include "media/flickrparser.h"
#include "media/mediaobjectmodel.h"
#include "media/remotephotocache.h"
#include "media/thumbnailloader.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QMimeData>
#include <QTemporaryDir>
#include <QUrlQuery>

namespace {

class FlickrTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_parser.setEndpoint(m_server.url("/services/rest/"));
        m_parser.setFlickrAPIKey(QString("KEY"));
        m_parser.setFlickrSharedSecret(QString("SECRET"));
        m_parser.setQueries({ { 1, "macintosh, apple" }, { 0, "tree" } });
        m_parser.setTimeoutMs(300);
    }

    MediaNode search(int query)
    {
        const MediaNode top = m_parser.topNode();
        std::optional<MediaNode> result;
        m_parser.populateAsync(top.subnodes[size_t(query)], [&](MediaNode node) { result = node; });
        testsupport::waitUntil([&] { return result.has_value(); });
        return result.value_or(MediaNode());
    }

    QByteArray results() const
    {
        const QString photo = m_server.url("/photo.jpg").toString();
        return QStringLiteral(R"({"photos":{"page":1,"photo":[
            {"id":"1","secret":"s","server":"7","title":"Red","url_q":"%1?q","url_z":"%1"},
            {"id":"2","title":"No address"},
            {"id":"3","title":"Local file","url_q":"file:///etc/passwd","url_z":"file:///etc/passwd"},
            {"id":"4","server":"9","secret":"t","title":""}]},"stat":"ok"})")
            .arg(photo)
            .toUtf8();
    }

    mediatest::LoopbackServer m_server;
    FlickrParser m_parser;
};

TEST_F(FlickrTest, SearchesListPhotosAndDownloadOneForADrop)
{
    m_server.answer("/services/rest/", { 200, "application/json", results() });
    m_server.answer("/photo.jpg", { 200, "image/jpeg", mediatest::jpeg({ 40, 30 }, Qt::red) });

    const MediaNode tags = search(0);
    EXPECT_TRUE(tags.error.isEmpty()) << tags.error.toStdString();
    ASSERT_EQ(tags.objects.size(), 2u); // no address and file: URLs are left out
    EXPECT_EQ(tags.objects[0].name, "Red");
    EXPECT_EQ(tags.objects[0].photoUrl, m_server.url("/photo.jpg"));
    EXPECT_EQ(tags.objects[1].photoUrl.host(), "live.staticflickr.com");
    EXPECT_EQ(tags.objects[1].name, "4");
    const QUrlQuery sent(QUrl(m_server.requests().value(0)).query());
    EXPECT_EQ(sent.queryItemValue("api_key"), "KEY");
    EXPECT_EQ(sent.queryItemValue("tags", QUrl::FullyDecoded), "macintosh, apple");
    EXPECT_EQ(sent.queryItemValue("method"), "flickr.photos.search");
    search(1);
    EXPECT_EQ(QUrlQuery(QUrl(m_server.requests().value(1)).query()).queryItemValue("text"), "tree");

    // Dragged from the grid: the drop receives a downloaded file.
    QTemporaryDir cache;
    ThumbnailLoader loader(ThumbnailCache(cache.path() + "/thumbnails"));
    RemotePhotoCache remote(cache.path() + "/online");
    MediaObjectModel model(loader, remote);
    model.setNode(&tags, false);
    std::unique_ptr<QMimeData> mime(model.mimeData({ model.index(0) }));
    ASSERT_TRUE(mime->hasUrls());
    const QList<QUrl> urls = mime->urls();
    ASSERT_EQ(urls.size(), 1);
    ASSERT_TRUE(urls[0].isLocalFile());
    EXPECT_TRUE(urls[0].toLocalFile().startsWith(cache.path() + "/online/"));
    const QImage dropped(urls[0].toLocalFile());
    EXPECT_EQ(dropped.size(), QSize(40, 30));

    // The preview reaches the grid.
    model.data(model.index(0), Qt::DecorationRole);
    testsupport::waitUntil(
        [&] { return !remote.thumbnail(tags.objects[0].thumbnailUrl).isNull(); });
    EXPECT_EQ(remote.thumbnail(tags.objects[0].thumbnailUrl).size(), QSize(40, 30));
}

TEST_F(FlickrTest, RefusalsErrorsAndSilenceBecomeMessages)
{
    struct Case
    {
        const char* what;
        bool answered;
        mediatest::LoopbackServer::Answer answer;
    };
    const std::vector<Case> cases {
        { "refused",
          true,
          { 200, "application/json",
            R"({"stat":"fail","code":100,"message":"Invalid API Key"})" } },
        { "server error", true, { 500, "text/plain", "oops" } },
        { "garbage", true, { 200, "application/json", "<html>" } },
        { "no answer", false, {} },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        mediatest::LoopbackServer server;
        if (c.answered)
            server.answer("/services/rest/", c.answer);
        m_parser.setEndpoint(server.url("/services/rest/"));
        const MediaNode node = search(0);
        EXPECT_TRUE(node.populated);
        EXPECT_TRUE(node.objects.empty());
        EXPECT_FALSE(node.error.isEmpty());
        if (std::string(c.what) == "refused") {
            EXPECT_TRUE(node.error.contains("Invalid API Key"));
        }
    }

    // A photo that does not come: the drop gets nothing, and no file is left.
    QTemporaryDir cache;
    RemotePhotoCache remote(cache.path());
    remote.setTimeoutMs(300);
    mediatest::LoopbackServer silent;
    EXPECT_TRUE(remote.waitForPhoto(silent.url("/slow.jpg"), 5000).isEmpty());
    mediatest::LoopbackServer html;
    html.answer("/page.jpg", { 200, "text/html", "<html>not a photo</html>" });
    EXPECT_TRUE(remote.waitForPhoto(html.url("/page.jpg"), 5000).isEmpty());
    EXPECT_TRUE(QDir(cache.path()).entryList(QDir::Files).isEmpty());
}

} // namespace
