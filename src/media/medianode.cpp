#include "medianode.h"

const MediaNode* MediaNode::find(const QString& id) const
{
    if (identifier == id)
        return this;
    for (const MediaNode& sub : subnodes) {
        if (const MediaNode* found = sub.find(id))
            return found;
    }
    return nullptr;
}

MediaNode* MediaNode::find(const QString& id)
{
    return const_cast<MediaNode*>(static_cast<const MediaNode*>(this)->find(id));
}
