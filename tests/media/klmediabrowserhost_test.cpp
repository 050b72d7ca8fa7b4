// The editor's answers to the media browser, seen from outside: which
// sources are listed, what the keychain item decides for Flickr (and the
// lines logged), the grids' look, the reload from a worker thread, and the
// folders the person adds.

#include "mediatestsupport.h"

#include "media/flickrparser.h"
#include "media/klmediabrowserhost.h"
#include "media/medianodeviewcontroller.h"
#include "media/mediaobjectmodel.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

class FakeKeychain : public Keychain
{
public:
    Result password { 1, {} };
    Result accountResult { 1, {} };
    Result findGenericPassword(const QString& service) override
    {
        services << service;
        return password;
    }
    Result account(const QString& service) override
    {
        services << service;
        return accountResult;
    }
    QStringList services;
};

class MediaBrowserHostTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pictures = m_dir.path() + "/Pictures";
        for (int i = 0; i < 3; ++i)
            testsupport::writeFile(m_pictures + QString("/p%1.jpg").arg(i),
                                   mediatest::jpeg({ 60, 40 }, Qt::blue));
        testsupport::writeFile(m_pictures + "/Trip/t.jpg", mediatest::jpeg({ 60, 40 }, Qt::blue));
        MediaSources::rememberFolders({});
    }

    std::unique_ptr<KLMediaBrowserHost> makeHost(QWidget* pane = nullptr)
    {
        KLMediaBrowserHost::Setup setup;
        setup.keychain = &m_keychain;
        setup.environment.picturesFolder = m_pictures;
        setup.environment.dataHome = m_dir.path() + "/data";
        setup.environment.configHome = m_dir.path() + "/config";
        setup.environment.removableRoots = { m_dir.path() + "/media" };
        setup.environment.addedFolders = MediaSources::rememberedFolders();
        setup.thumbnails = ThumbnailCache(m_dir.path() + "/thumbnails");
        setup.onlineCacheFolder = m_dir.path() + "/online";
        return std::make_unique<KLMediaBrowserHost>(pane, setup);
    }

    static QStringList classes(KLMediaBrowserHost& host)
    {
        QStringList names;
        for (const auto& parser : host.parserController().loadedParsers())
            names << parser->className();
        return names;
    }

    static QStringList topNames(KLMediaBrowserHost& host)
    {
        QStringList names;
        for (const MediaNode* node : host.libraryController().topNodes())
            names << node->name;
        return names;
    }

    static void reload(KLMediaBrowserHost& host)
    {
        host.loadLibraryView();
        ASSERT_TRUE(testsupport::waitUntil([&] {
            return !host.libraryController().topNodes().empty()
                && !host.libraryController().isBusy();
        }));
    }

    QTemporaryDir m_dir;
    QString m_pictures;
    FakeKeychain m_keychain;
};

TEST_F(MediaBrowserHostTest, FlickrCredentialsFromTheKeychainDecideTheOnlineSource)
{
    // No item: the parser (as the controller prepares it, whether kept or
    // not) gets nothing, and the host's own load and the call below log why.
    m_keychain.accountResult = { 0, "K" };
    testsupport::LogCapture log;
    auto flickr = std::make_shared<FlickrParser>();
    auto host = makeHost();
    host->parserControllerWillLoadParser(host->parserController(), flickr);
    EXPECT_FALSE(flickr->flickrSharedSecret() || flickr->flickrAPIKey());
    const QStringList lines = log.matching("flickr_api");
    ASSERT_EQ(lines.size(), 2) << lines.join("\n").toStdString();
    EXPECT_EQ(lines[0],
              "parserControllerWillLoadParser Couldn't find 'flickr_api' account in "
              "keychain: status 1");
    EXPECT_FALSE(classes(*host).contains("IMBFlickrParser"));

    // Both: the key and the secret (UTF-8) reach the parser, which is kept.
    m_keychain.password = { 0, "S\xc3\xa9" };
    m_keychain.accountResult = { 0, "KEY" };
    m_keychain.services.clear();
    log.clear();
    flickr = std::make_shared<FlickrParser>();
    host = makeHost();
    host->parserControllerWillLoadParser(host->parserController(), flickr);
    EXPECT_EQ(flickr->flickrSharedSecret(), QString("S\u00e9"));
    EXPECT_EQ(flickr->flickrAPIKey(), QString("KEY"));
    EXPECT_TRUE(m_keychain.services.contains("flickr_api"));
    EXPECT_TRUE(log.matching("flickr_api").isEmpty());
    EXPECT_TRUE(classes(*host).contains("IMBFlickrParser"));
}

TEST_F(MediaBrowserHostTest, ListsTheSourcesItCanUseAndNeverTheCameras)
{
    // A Shotwell library with one event, a digiKam settings file naming no
    // database, and a damaged Shotwell database in another data folder.
    QDir().mkpath(m_dir.path() + "/data/shotwell/data");
    const QString photo = m_pictures + "/p0.jpg";
    ASSERT_TRUE(mediatest::makeDatabase(
        m_dir.path() + "/data/shotwell/data/photo.db",
        { "CREATE TABLE PhotoTable (id INTEGER PRIMARY KEY, filename TEXT, event_id INTEGER, flags "
          "INTEGER, "
          "exposure_time INTEGER)",
          "CREATE TABLE EventTable (id INTEGER PRIMARY KEY, name TEXT, time_created INTEGER, "
          "primary_source_id TEXT)",
          "INSERT INTO EventTable VALUES (1, 'Party', 0, '')",
          "INSERT INTO PhotoTable VALUES (1, '" + photo + "', 1, 0, 1)" }));
    testsupport::writeFile(m_dir.path() + "/media/USBSTICK/u.jpg",
                           mediatest::jpeg({ 10, 10 }, Qt::red));

    testsupport::LogCapture log;
    bool cameraMade = false;
    auto host = makeHost();
    auto registrations = host->parserController().registrations();
    for (auto& registration : registrations) {
        if (registration.className == "IMBImageCaptureParser")
            registration.make = [&] {
                cameraMade = true;
                return std::vector<std::shared_ptr<MediaParser>> {};
            };
    }
    host->parserController().setRegistrations(registrations);
    host->parserController().loadParsers();
    EXPECT_FALSE(cameraMade);
    EXPECT_EQ(classes(*host),
              QStringList({ "IMBShotwellParser", "IMBPicturesFolderParser", "IMBVolumeParser" }));
    EXPECT_FALSE(log.contains("left out")) << log.lines().join("\n").toStdString();

    reload(*host);
    EXPECT_EQ(topNames(*host).size(), 3);
    EXPECT_TRUE(topNames(*host).contains("USBSTICK"));

    // The event grid shows the events as tiles.
    const MediaNode* shotwell = host->libraryController().topNodes()[0];
    ASSERT_TRUE(host->nodeViewController()->selectNode(shotwell->identifier));
    MediaObjectViewController* grid = host->currentObjectViewController();
    ASSERT_EQ(grid, host->eventViewController());
    ASSERT_EQ(grid->model()->rowCount(), 1);
    EXPECT_EQ(grid->model()->index(0).data().toString(), "Party");

    // Opening the event shows its photos in the image grid.
    emit grid->nodeOpened(shotwell->subnodes[0].identifier);
    ASSERT_EQ(host->currentObjectViewController(), host->objectViewController());
    EXPECT_EQ(host->objectViewController()->model()->rowCount(), 1);
}

TEST_F(MediaBrowserHostTest, TheReloadFillsThePaneAndAddedFoldersAreRemembered)
{
    QWidget pane;
    auto* placeholder = new QWidget(&pane);
    (new QVBoxLayout(&pane))->addWidget(placeholder);
    auto host = makeHost(&pane);
    reload(*host);
    EXPECT_EQ(topNames(*host), QStringList({ "Pictures" }));

    const QString added = m_dir.path() + "/Scans";
    testsupport::writeFile(added + "/scan.png", QByteArray());
    EXPECT_FALSE(host->addFolder(m_dir.path() + "/not-there"));
    EXPECT_TRUE(host->addFolder(added));
    EXPECT_FALSE(host->addFolder(added));
    ASSERT_TRUE(testsupport::waitUntil([&] { return topNames(*host).size() == 2; }));
    EXPECT_EQ(MediaSources::rememberedFolders(), QStringList { added });

    // The next start lists it again; − forgets it.
    host.reset();
    host = makeHost();
    reload(*host);
    ASSERT_EQ(topNames(*host), QStringList({ "Pictures", "Scans" }));
    const QString picturesId = host->libraryController().topNodes()[0]->identifier;
    const QString scansId = host->libraryController().topNodes()[1]->identifier;
    EXPECT_FALSE(host->removeFolder(picturesId));
    host->nodeViewController()->selectNode(scansId);
    EXPECT_TRUE(host->nodeViewController()->removeButton()->isEnabled());
    host->nodeViewController()->removeButton()->click();
    ASSERT_TRUE(testsupport::waitUntil([&] { return topNames(*host).size() == 1; }));
    EXPECT_TRUE(MediaSources::rememberedFolders().isEmpty());
    EXPECT_TRUE(QFileInfo::exists(added + "/scan.png"));
}

} // namespace
