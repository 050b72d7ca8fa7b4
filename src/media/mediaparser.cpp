#include "mediaparser.h"

MediaParser::~MediaParser() = default;

QString MediaParser::identifier() const
{
    const QString key = instanceKey();
    return key.isEmpty() ? className() : className() + QLatin1Char(':') + key;
}

MediaNode MediaParser::populate(const MediaNode& node) const
{
    MediaNode filled = node;
    filled.populated = true;
    return filled;
}

void MediaParser::populateAsync(const MediaNode& node, std::function<void(MediaNode)> done)
{
    done(populate(node));
}

QString MediaParser::nodeIdentifier(const QString& location) const
{
    return identifier() + QLatin1Char('|') + location;
}
