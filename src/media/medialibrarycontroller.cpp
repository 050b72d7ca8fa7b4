#include "medialibrarycontroller.h"

#include <QMetaObject>
#include <QPointer>

MediaLibraryController::Delegate::~Delegate() = default;

MediaLibraryController::MediaLibraryController(MediaParserController& parsers,
                                               const QString& mediaType, QObject* parent)
    : QObject(parent), m_parsers(parsers), m_mediaType(mediaType)
{
    // Sources are read one or two at a time; thumbnails have their own pool.
    m_pool.setMaxThreadCount(2);
    connect(&m_parsers, &MediaParserController::parsersChanged, this,
            &MediaLibraryController::reload);
}

MediaLibraryController::~MediaLibraryController()
{
    m_pool.clear();
    m_pool.waitForDone();
}

void MediaLibraryController::reload()
{
    ++m_generation;
    m_slots.clear();
    m_populating.clear();
    m_outstanding = 0;
    const auto parsers = m_parsers.loadedParsers();
    m_slots.resize(parsers.size());
    for (size_t i = 0; i < parsers.size(); ++i) {
        const std::shared_ptr<MediaParser> parser = parsers[i];
        if (parser->mediaType() != m_mediaType)
            continue;
        if (m_delegate && !m_delegate->libraryControllerShouldCreateNodeWithParser(*this, *parser))
            continue;
        if (m_delegate)
            m_delegate->libraryControllerWillCreateNodeWithParser(*this, *parser);
        ++m_outstanding;
        const int generation = m_generation;
        m_pool.start([this, parser, generation, i] {
            MediaNode node = parser->topNode();
            QMetaObject::invokeMethod(
                this,
                [this, parser, generation, i, node = std::move(node)]() mutable {
                    if (generation != m_generation)
                        return;
                    m_slots[i] = std::move(node);
                    if (m_delegate)
                        m_delegate->libraryControllerDidCreateNode(*this, *m_slots[i], *parser);
                    emit nodesChanged();
                    if (!m_slots[i]->populated)
                        populate(*m_slots[i]);
                    workDone();
                },
                Qt::QueuedConnection);
        });
    }
    emit nodesChanged();
    if (m_outstanding == 0)
        emit idle();
}

std::vector<const MediaNode*> MediaLibraryController::topNodes() const
{
    std::vector<const MediaNode*> nodes;
    for (const auto& slot : m_slots) {
        if (slot)
            nodes.push_back(&*slot);
    }
    return nodes;
}

const MediaNode* MediaLibraryController::node(const QString& id) const
{
    for (const auto& slot : m_slots) {
        if (!slot)
            continue;
        if (const MediaNode* found = slot->find(id))
            return found;
    }
    return nullptr;
}

MediaNode* MediaLibraryController::findNode(const QString& id)
{
    return const_cast<MediaNode*>(node(id));
}

void MediaLibraryController::populateNode(const QString& id)
{
    MediaNode* node = findNode(id);
    if (node && !node->populated)
        populate(*node);
}

void MediaLibraryController::refreshNode(const QString& id)
{
    MediaNode* node = findNode(id);
    if (!node || m_populating.contains(id))
        return;
    node->populated = false;
    populate(*node);
}

void MediaLibraryController::populate(MediaNode& node)
{
    if (m_populating.contains(node.identifier))
        return;
    if (m_delegate && !m_delegate->libraryControllerShouldPopulateNode(*this, node))
        return;
    const std::shared_ptr<MediaParser> parser = m_parsers.parser(node.parserIdentifier);
    if (!parser)
        return;
    if (m_delegate)
        m_delegate->libraryControllerWillPopulateNode(*this, node);
    m_populating.insert(node.identifier);
    ++m_outstanding;
    const int generation = m_generation;
    const QString id = node.identifier;
    // An online answer may come after the controller is gone.
    auto done = [self = QPointer<MediaLibraryController>(this), this, generation,
                 id](MediaNode filled) {
        if (!self || generation != m_generation)
            return;
        m_populating.remove(id);
        if (MediaNode* target = findNode(id)) {
            // The parser answers for this node only; its identity stays.
            filled.identifier = target->identifier;
            filled.parserIdentifier = target->parserIdentifier;
            filled.populated = true;
            *target = std::move(filled);
            if (m_delegate)
                m_delegate->libraryControllerDidPopulateNode(*this, *target);
            emit nodeChanged(id);
        }
        workDone();
    };
    if (parser->populatesAsynchronously()) {
        parser->populateAsync(node, done);
        return;
    }
    MediaNode copy = node;
    m_pool.start([this, parser, copy = std::move(copy), done]() mutable {
        MediaNode filled = parser->populate(copy);
        QMetaObject::invokeMethod(
            this, [done, filled = std::move(filled)]() mutable { done(std::move(filled)); },
            Qt::QueuedConnection);
    });
}

void MediaLibraryController::workDone()
{
    if (--m_outstanding <= 0) {
        m_outstanding = 0;
        emit idle();
    }
}
