#pragma once

// The media browser beside the canvas, set up and answered for by the
// editor. On construction it configures the browser (group headers on, one
// view type per kind of grid), loads the parsers it agrees to, creates the
// image library, the source list and the grids, and puts them into the
// pane it is given. loadLibraryView() then lists the sources: the reload is
// asked for from a worker thread and carried out on the main thread.
//
// As the delegate of the parser controller it never loads the camera parser
// and keeps a parser only when it can be used, giving the Flickr parser its
// credentials from the keychain item "flickr_api" first (its password the
// shared secret, its account the API key; see Keychain). It also remembers
// the folders the person adds or removes and follows removable media as
// they are mounted.

#include "flickrparser.h"
#include "keychain.h"
#include "medialibrarycontroller.h"
#include "medianodeviewcontroller.h"
#include "mediaobjectviewcontroller.h"
#include "mediaparsercontroller.h"
#include "mediasources.h"
#include "thumbnailcache.h"

#include <memory>

#include <QObject>
#include <QPointer>

class QFileSystemWatcher;
class QStackedWidget;
class RemotePhotoCache;
class ThumbnailLoader;

class KLMediaBrowserHost : public QObject,
                           public MediaParserController::Delegate,
                           public MediaLibraryController::Delegate,
                           public MediaObjectViewController::Delegate,
                           public FlickrParser::Delegate
{
    Q_OBJECT

public:
    struct Setup
    {
        Keychain* keychain = nullptr; // the session's keychain when null
        MediaEnvironment environment;
        ThumbnailCache thumbnails;
        QString onlineCacheFolder;
        // The host asks this for a folder to add; none when it answers empty.
        std::function<QString(QWidget*)> chooseFolder;

        // The running session's environment, caches and a folder dialog.
        static Setup forSession();
    };

    // Sets the browser up inside `photoView` (steps up to the reload).
    KLMediaBrowserHost(QWidget* photoView, Setup setup, QObject* parent = nullptr);
    ~KLMediaBrowserHost() override;

    // Asks for the library reload from a worker thread, which waits while the
    // main thread performs it. Returns at once.
    void loadLibraryView();

    // Adds a folder as a source and remembers it; false when it cannot be
    // used or is listed already.
    bool addFolder(const QString& path);
    // Forgets the added folder of the node with `id`; false for other nodes.
    bool removeFolder(const QString& id);

    MediaParserController& parserController() { return *m_parserController; }
    MediaLibraryController& libraryController() { return *m_libraryController; }
    MediaNodeViewController* nodeViewController() const { return m_nodeViewController; }
    MediaObjectViewController* objectViewController() const { return m_objectViewController; }
    MediaObjectViewController* eventViewController() const { return m_eventViewController; }
    // The grid that shows the chosen node.
    MediaObjectViewController* currentObjectViewController() const;
    ThumbnailLoader& thumbnailLoader() { return *m_thumbnailLoader; }
    RemotePhotoCache& remotePhotoCache() { return *m_remotePhotoCache; }

    // -- Parser controller delegate
    bool parserControllerShouldLoadParser(MediaParserController& controller,
                                          const QString& parserClassName,
                                          const QString& mediaType) override;
    std::shared_ptr<MediaParser>
    parserControllerWillLoadParser(MediaParserController& controller,
                                   std::shared_ptr<MediaParser> parser) override;
    void parserControllerWillUnloadParser(MediaParserController& controller, MediaParser& parser,
                                          const QString& mediaType) override;

    // -- Library controller delegate
    bool libraryControllerShouldCreateNodeWithParser(MediaLibraryController& controller,
                                                     MediaParser& parser) override;
    void libraryControllerWillCreateNodeWithParser(MediaLibraryController& controller,
                                                   MediaParser& parser) override;
    void libraryControllerDidCreateNode(MediaLibraryController& controller, const MediaNode& node,
                                        MediaParser& parser) override;
    bool libraryControllerShouldPopulateNode(MediaLibraryController& controller,
                                             const MediaNode& node) override;
    void libraryControllerWillPopulateNode(MediaLibraryController& controller,
                                           const MediaNode& node) override;
    void libraryControllerDidPopulateNode(MediaLibraryController& controller,
                                          const MediaNode& node) override;

    // -- Flickr parser delegate
    std::vector<FlickrQuery> flickrParserSetupDefaultQueries(FlickrParser& parser) override;

    // -- Object view controller delegate
    MediaObjectViewController::CellKind
    imageBrowserCellClassForController(MediaObjectViewController& controller) override;
    std::optional<QColor>
    imageBrowserBackgroundLayerForController(MediaObjectViewController& controller) override;
    void objectViewControllerDidLoadViews(MediaObjectViewController& controller,
                                          const QHash<QString, QWidget*>& views) override;
    QIcon objectViewControllerBadgeForObject(MediaObjectViewController& controller,
                                             const MediaObjectModel& model, int row) override;

    // The keychain item of the Flickr account.
    static constexpr const char* kFlickrService = "flickr_api";

private:
    void prepareFlickrParser(FlickrParser& parser, const char* operation);
    void showNode(const QString& id);
    void followRemovableMedia();

    Setup m_setup;
    std::unique_ptr<MediaParserController> m_parserController;
    std::unique_ptr<MediaLibraryController> m_libraryController;
    std::unique_ptr<ThumbnailLoader> m_thumbnailLoader;
    RemotePhotoCache* m_remotePhotoCache = nullptr;
    QPointer<MediaNodeViewController> m_nodeViewController;
    QPointer<MediaObjectViewController> m_objectViewController;
    QPointer<MediaObjectViewController> m_eventViewController;
    QPointer<QStackedWidget> m_objectStack;
    QFileSystemWatcher* m_mediaWatcher = nullptr;
    QString m_shownNode;
};
