#pragma once

// The library of one media type: one top node per loaded parser, in the
// parser controller's order, filled by the parsers on worker threads (online
// parsers on the main thread, asynchronously) and handed to the main thread,
// which alone changes the node tree. A delegate is asked before a parser's
// node is created and before a node is filled, and told afterwards.
//
// Main thread only. Work still running when reload() starts again is
// dropped when it finishes.

#include "medianode.h"
#include "mediaparsercontroller.h"

#include <optional>
#include <vector>

#include <QObject>
#include <QSet>
#include <QThreadPool>

class MediaLibraryController : public QObject
{
    Q_OBJECT

public:
    class Delegate
    {
    public:
        virtual ~Delegate();
        virtual bool libraryControllerShouldCreateNodeWithParser(MediaLibraryController& controller,
                                                                 MediaParser& parser) = 0;
        virtual void libraryControllerWillCreateNodeWithParser(MediaLibraryController& controller,
                                                               MediaParser& parser) = 0;
        virtual void libraryControllerDidCreateNode(MediaLibraryController& controller,
                                                    const MediaNode& node, MediaParser& parser) = 0;
        virtual bool libraryControllerShouldPopulateNode(MediaLibraryController& controller,
                                                         const MediaNode& node) = 0;
        virtual void libraryControllerWillPopulateNode(MediaLibraryController& controller,
                                                       const MediaNode& node) = 0;
        virtual void libraryControllerDidPopulateNode(MediaLibraryController& controller,
                                                      const MediaNode& node) = 0;
    };

    MediaLibraryController(MediaParserController& parsers,
                           const QString& mediaType = QStringLiteral("image"),
                           QObject* parent = nullptr);
    ~MediaLibraryController() override;

    QString mediaType() const { return m_mediaType; }
    MediaParserController& parserController() const { return m_parsers; }
    void setDelegate(Delegate* delegate) { m_delegate = delegate; }

    // Builds every loaded parser's top node again. Main thread.
    void reload();
    // Fills the node with `id` unless it is filled or being filled.
    void populateNode(const QString& id);
    // Fills the node with `id` again (a new search, a retry after an error).
    void refreshNode(const QString& id);

    // Top nodes created so far, in the parsers' order.
    std::vector<const MediaNode*> topNodes() const;
    const MediaNode* node(const QString& id) const;
    // True while nodes are being created or filled.
    bool isBusy() const { return m_outstanding > 0; }

signals:
    // The list of top nodes changed (created, reloaded).
    void nodesChanged();
    // The node with `id` was filled.
    void nodeChanged(const QString& id);
    // No work is outstanding any more.
    void idle();

private:
    MediaNode* findNode(const QString& id);
    void populate(MediaNode& node);
    void workDone();

    MediaParserController& m_parsers;
    QString m_mediaType;
    Delegate* m_delegate = nullptr;
    QThreadPool m_pool;
    // One slot per parser of the last reload; empty until its node arrives.
    std::vector<std::optional<MediaNode>> m_slots;
    QSet<QString> m_populating;
    int m_generation = 0;
    int m_outstanding = 0;
};
