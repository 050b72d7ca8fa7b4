#include "mediaparsercontroller.h"

MediaParserController::Delegate::~Delegate() = default;

MediaParserController::MediaParserController(std::vector<Registration> registrations,
                                             QObject* parent)
    : QObject(parent), m_registrations(std::move(registrations))
{ }

MediaParserController::~MediaParserController() = default;

void MediaParserController::setRegistrations(std::vector<Registration> registrations)
{
    m_registrations = std::move(registrations);
}

std::shared_ptr<MediaParser> MediaParserController::offer(std::shared_ptr<MediaParser> parser)
{
    if (!parser)
        return nullptr;
    if (m_delegate)
        return m_delegate->parserControllerWillLoadParser(*this, std::move(parser));
    return parser->canBeUsed() ? parser : nullptr;
}

void MediaParserController::unloadAll()
{
    for (const auto& parser : m_parsers) {
        if (m_delegate)
            m_delegate->parserControllerWillUnloadParser(*this, *parser, parser->mediaType());
    }
    m_parsers.clear();
}

void MediaParserController::loadParsers()
{
    unloadAll();
    for (const Registration& registration : m_registrations) {
        if (m_delegate
            && !m_delegate->parserControllerShouldLoadParser(*this, registration.className,
                                                             registration.mediaType))
            continue;
        if (!registration.make)
            continue;
        for (auto& candidate : registration.make()) {
            if (auto kept = offer(std::move(candidate)))
                m_parsers.push_back(std::move(kept));
        }
    }
    emit parsersChanged();
}

bool MediaParserController::addParser(std::shared_ptr<MediaParser> parser)
{
    if (!parser || this->parser(parser->identifier()))
        return false;
    if (m_delegate
        && !m_delegate->parserControllerShouldLoadParser(*this, parser->className(),
                                                         parser->mediaType()))
        return false;
    auto kept = offer(std::move(parser));
    if (!kept)
        return false;
    m_parsers.push_back(std::move(kept));
    emit parsersChanged();
    return true;
}

bool MediaParserController::unloadParser(const QString& identifier)
{
    for (auto it = m_parsers.begin(); it != m_parsers.end(); ++it) {
        if ((*it)->identifier() != identifier)
            continue;
        if (m_delegate)
            m_delegate->parserControllerWillUnloadParser(*this, **it, (*it)->mediaType());
        m_parsers.erase(it);
        emit parsersChanged();
        return true;
    }
    return false;
}

std::shared_ptr<MediaParser> MediaParserController::parser(const QString& identifier) const
{
    for (const auto& parser : m_parsers) {
        if (parser->identifier() == identifier)
            return parser;
    }
    return nullptr;
}
