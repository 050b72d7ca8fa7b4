#include "klmediabrowserhost.h"

#include "digikamparser.h"
#include "folderparser.h"
#include "mediaconfig.h"
#include "medianodeviewcontroller.h"
#include "remotephotocache.h"
#include "shotwellparser.h"
#include "thumbnailloader.h"

#include "kit/localisation.h"
#include "kit/logging.h"

#include <thread>

#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QStackedWidget>
#include <QVBoxLayout>

KLMediaBrowserHost::Setup KLMediaBrowserHost::Setup::forSession()
{
    Setup setup;
    setup.environment = MediaEnvironment::fromSystem();
    setup.onlineCacheFolder = RemotePhotoCache::defaultFolder();
    setup.chooseFolder = [](QWidget* parent) {
        return QFileDialog::getExistingDirectory(parent, kit::localized("MEDIA_ADD_FOLDER"));
    };
    return setup;
}

KLMediaBrowserHost::KLMediaBrowserHost(QWidget* photoView, Setup setup, QObject* parent)
    : QObject(parent), m_setup(std::move(setup))
{
    if (!m_setup.keychain)
        m_setup.keychain = &Keychain::system();
    if (m_setup.onlineCacheFolder.isEmpty())
        m_setup.onlineCacheFolder = RemotePhotoCache::defaultFolder();

    MediaConfig::setShowsGroupNodes(true);
    MediaConfig::setUseGlobalViewType(false);

    m_parserController =
        std::make_unique<MediaParserController>(MediaSources::registrations(m_setup.environment));
    m_parserController->setDelegate(this);
    m_parserController->loadParsers();

    m_libraryController =
        std::make_unique<MediaLibraryController>(*m_parserController, QStringLiteral("image"));
    m_libraryController->setDelegate(this);

    m_thumbnailLoader = std::make_unique<ThumbnailLoader>(m_setup.thumbnails);
    m_remotePhotoCache = new RemotePhotoCache(m_setup.onlineCacheFolder, this);

    m_nodeViewController = new MediaNodeViewController(*m_libraryController, photoView);
    m_objectStack = new QStackedWidget;
    m_objectViewController = new MediaObjectViewController(MediaObjectViewController::Kind::Image,
                                                           *m_thumbnailLoader, *m_remotePhotoCache);
    m_eventViewController = new MediaObjectViewController(MediaObjectViewController::Kind::Event,
                                                          *m_thumbnailLoader, *m_remotePhotoCache);
    m_objectStack->addWidget(m_objectViewController);
    m_objectStack->addWidget(m_eventViewController);
    m_objectViewController->loadViews(this);
    m_eventViewController->loadViews(this);
    m_nodeViewController->setStandardObjectView(m_objectStack);
    m_nodeViewController->isRemovable = [this](const QString& id) {
        const MediaNode* node = m_libraryController->node(id);
        const auto parser = node ? m_parserController->parser(node->parserIdentifier) : nullptr;
        return parser && parser->isRemovable() && node->identifier == parser->topNode().identifier;
    };

    if (photoView) {
        auto* layout = qobject_cast<QVBoxLayout*>(photoView->layout());
        if (!layout) {
            delete photoView->layout();
            layout = new QVBoxLayout(photoView);
        }
        // The pane holds the browser alone.
        while (QLayoutItem* item = layout->takeAt(0)) {
            if (QWidget* widget = item->widget())
                widget->deleteLater();
            delete item;
        }
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(m_nodeViewController);
    }

    connect(m_nodeViewController, &MediaNodeViewController::nodeSelected, this,
            &KLMediaBrowserHost::showNode);
    connect(m_eventViewController, &MediaObjectViewController::nodeOpened, this,
            [this](const QString& id) { m_nodeViewController->selectNode(id); });
    connect(m_libraryController.get(), &MediaLibraryController::nodeChanged, this,
            [this](const QString& id) {
                if (id == m_shownNode)
                    showNode(id);
            });
    connect(m_libraryController.get(), &MediaLibraryController::nodesChanged, this, [this] {
        if (!m_shownNode.isEmpty() && m_libraryController->node(m_shownNode))
            showNode(m_shownNode);
    });
    connect(m_nodeViewController, &MediaNodeViewController::addFolderRequested, this, [this] {
        if (m_setup.chooseFolder) {
            const QString folder = m_setup.chooseFolder(m_nodeViewController);
            if (!folder.isEmpty())
                addFolder(folder);
        }
    });
    connect(m_nodeViewController, &MediaNodeViewController::removeNodeRequested, this,
            [this](const QString& id) { removeFolder(id); });
    followRemovableMedia();
}

KLMediaBrowserHost::~KLMediaBrowserHost()
{
    // The views use the loader and the library; they go first.
    delete m_nodeViewController;
    delete m_objectStack;
}

void KLMediaBrowserHost::loadLibraryView()
{
    QPointer<MediaLibraryController> library(m_libraryController.get());
    std::thread([library] {
        // A blocking call to an object that is gone by then returns at once.
        if (library)
            QMetaObject::invokeMethod(library.data(), &MediaLibraryController::reload,
                                      Qt::BlockingQueuedConnection);
    }).detach();
}

MediaObjectViewController* KLMediaBrowserHost::currentObjectViewController() const
{
    return qobject_cast<MediaObjectViewController*>(m_objectStack->currentWidget());
}

void KLMediaBrowserHost::showNode(const QString& id)
{
    const MediaNode* node = m_libraryController->node(id);
    if (id != m_shownNode)
        m_thumbnailLoader->cancelPending();
    m_shownNode = id;
    MediaObjectViewController* grid =
        node && node->showsSubnodesAsObjects ? m_eventViewController : m_objectViewController;
    m_objectStack->setCurrentWidget(grid);
    grid->showNode(node);
}

bool KLMediaBrowserHost::addFolder(const QString& path)
{
    auto parser = std::make_shared<FolderParser>(FolderParser::Kind::Added, path);
    if (!m_parserController->addParser(parser))
        return false;
    QStringList folders = MediaSources::rememberedFolders();
    if (!folders.contains(parser->path()))
        folders.append(parser->path());
    MediaSources::rememberFolders(folders);
    m_shownNode = parser->nodeIdentifier(parser->path());
    return true;
}

bool KLMediaBrowserHost::removeFolder(const QString& id)
{
    const MediaNode* node = m_libraryController->node(id);
    if (!node)
        return false;
    const auto parser =
        std::dynamic_pointer_cast<FolderParser>(m_parserController->parser(node->parserIdentifier));
    if (!parser || !parser->isRemovable())
        return false;
    QStringList folders = MediaSources::rememberedFolders();
    folders.removeAll(parser->path());
    MediaSources::rememberFolders(folders);
    if (m_shownNode.startsWith(parser->identifier() + QLatin1Char('|')))
        showNode({});
    return m_parserController->unloadParser(parser->identifier());
}

void KLMediaBrowserHost::followRemovableMedia()
{
    m_mediaWatcher = new QFileSystemWatcher(this);
    for (const QString& root : m_setup.environment.removableRoots) {
        if (QFileInfo(root).isDir())
            m_mediaWatcher->addPath(root);
    }
    connect(m_mediaWatcher, &QFileSystemWatcher::directoryChanged, this, [this] {
        const QStringList mounted = MediaSources::mountedMedia(m_setup.environment.removableRoots);
        std::vector<QString> gone;
        for (const auto& parser : m_parserController->loadedParsers()) {
            const auto folder = std::dynamic_pointer_cast<FolderParser>(parser);
            if (folder && folder->kind() == FolderParser::Kind::Removable
                && !mounted.contains(folder->path()))
                gone.push_back(folder->identifier());
        }
        for (const QString& identifier : gone)
            m_parserController->unloadParser(identifier);
        for (const QString& medium : mounted)
            m_parserController->addParser(
                std::make_shared<FolderParser>(FolderParser::Kind::Removable, medium));
    });
}

// -- Parser controller delegate

bool KLMediaBrowserHost::parserControllerShouldLoadParser(MediaParserController&,
                                                          const QString& parserClassName,
                                                          const QString&)
{
    return parserClassName != QLatin1String("IMBImageCaptureParser");
}

std::shared_ptr<MediaParser>
KLMediaBrowserHost::parserControllerWillLoadParser(MediaParserController&,
                                                   std::shared_ptr<MediaParser> parser)
{
    if (auto* flickr = dynamic_cast<FlickrParser*>(parser.get()))
        prepareFlickrParser(*flickr, __func__);
    if (parser->canBeUsed())
        return parser;
    QString reason;
    if (auto* folder = dynamic_cast<FolderParser*>(parser.get()))
        reason = folder->unusableReason();
    else if (auto* shotwell = dynamic_cast<ShotwellParser*>(parser.get()))
        reason = shotwell->unusableReason();
    else if (auto* digikam = dynamic_cast<DigikamParser*>(parser.get()))
        reason = digikam->unusableReason();
    // A library that is simply not installed is no news.
    const bool absent = reason.startsWith(QLatin1String("no database at"))
        || reason.endsWith(QLatin1String("names no SQLite database"));
    if (!reason.isEmpty() && !absent)
        kit::log(kit::lcMedia(),
                 QStringLiteral("Media source %1 left out: %2").arg(parser->className(), reason));
    return nullptr;
}

void KLMediaBrowserHost::parserControllerWillUnloadParser(MediaParserController&, MediaParser&,
                                                          const QString&)
{ }

void KLMediaBrowserHost::prepareFlickrParser(FlickrParser& parser, const char* operation)
{
    parser.setDelegate(this);
    parser.setFlickrAPIKey(std::nullopt);
    parser.setFlickrSharedSecret(std::nullopt);

    const QString service = QLatin1String(kFlickrService);
    const Keychain::Result password = m_setup.keychain->findGenericPassword(service);
    if (password.status != 0) {
        kit::log(kit::lcMedia(),
                 QStringLiteral("%1 Couldn't find 'flickr_api' account in keychain: status %2")
                     .arg(QLatin1String(operation))
                     .arg(password.status));
        return;
    }
    if (password.data.isEmpty()) {
        kit::log(kit::lcMedia(),
                 QStringLiteral("%1 Empty password for 'flickr_api' account in keychain: status %2")
                     .arg(QLatin1String(operation))
                     .arg(0));
        return;
    }
    parser.setFlickrSharedSecret(QString::fromUtf8(password.data));
    const Keychain::Result account = m_setup.keychain->account(service);
    if (account.status == 0)
        parser.setFlickrAPIKey(QString::fromUtf8(account.data));
    else
        kit::log(kit::lcMedia(),
                 QStringLiteral("%1 unable to fetch 'flickr_api' account from keychain: status %2")
                     .arg(QLatin1String(operation))
                     .arg(account.status));
}

// -- Library controller delegate

bool KLMediaBrowserHost::libraryControllerShouldCreateNodeWithParser(MediaLibraryController&,
                                                                     MediaParser&)
{
    return true;
}

void KLMediaBrowserHost::libraryControllerWillCreateNodeWithParser(MediaLibraryController&,
                                                                   MediaParser&)
{ }

void KLMediaBrowserHost::libraryControllerDidCreateNode(MediaLibraryController&, const MediaNode&,
                                                        MediaParser&)
{ }

bool KLMediaBrowserHost::libraryControllerShouldPopulateNode(MediaLibraryController&,
                                                             const MediaNode&)
{
    return true;
}

void KLMediaBrowserHost::libraryControllerWillPopulateNode(MediaLibraryController&,
                                                           const MediaNode&)
{ }

void KLMediaBrowserHost::libraryControllerDidPopulateNode(MediaLibraryController&, const MediaNode&)
{ }

// -- Flickr parser delegate

std::vector<FlickrQuery> KLMediaBrowserHost::flickrParserSetupDefaultQueries(FlickrParser&)
{
    return { { 1, QStringLiteral("macintosh, apple") },
             { 1, QStringLiteral("iphone, screenshot") },
             { 0, QStringLiteral("tree") } };
}

// -- Object view controller delegate

MediaObjectViewController::CellKind
KLMediaBrowserHost::imageBrowserCellClassForController(MediaObjectViewController& controller)
{
    return controller.kind() == MediaObjectViewController::Kind::Event
        ? MediaObjectViewController::CellKind::Event
        : MediaObjectViewController::CellKind::Default;
}

std::optional<QColor>
KLMediaBrowserHost::imageBrowserBackgroundLayerForController(MediaObjectViewController& controller)
{
    if (controller.kind() == MediaObjectViewController::Kind::Event)
        return QColor::fromRgbF(0.2f, 0.2f, 0.2f, 1.0f);
    return std::nullopt;
}

void KLMediaBrowserHost::objectViewControllerDidLoadViews(MediaObjectViewController& controller,
                                                          const QHash<QString, QWidget*>& views)
{
    if (controller.kind() != MediaObjectViewController::Kind::Event
        || MediaConfig::useGlobalViewType())
        return;
    QVariantMap prefs = MediaConfig::prefsForClass(controller.className());
    prefs.insert(QLatin1String(MediaConfig::kViewTypeKey), 0);
    MediaConfig::setPrefsForClass(prefs, controller.className());
    if (QWidget* switcher =
            views.value(QLatin1String(MediaObjectViewController::kSegmentedControlKey)))
        switcher->hide();
}

QIcon KLMediaBrowserHost::objectViewControllerBadgeForObject(MediaObjectViewController&,
                                                             const MediaObjectModel&, int)
{
    return {};
}
