#pragma once

// Reading the answers of Flickr's REST service (format=json,
// nojsoncallback=1): a page of search results, or the service's refusal.
// Pure functions; nothing here touches the network.

#include "medianode.h"

#include <vector>

#include <QByteArray>
#include <QString>
#include <QUrl>
#include <QUrlQuery>

struct FlickrQuery
{
    // 1 searches tags (all of the comma-separated words), 0 searches text.
    int method = 0;
    QString query;

    bool operator==(const FlickrQuery&) const = default;
};

struct FlickrSearchResult
{
    std::vector<MediaObject> photos;
    // The service's or the reader's reason when there are no results to
    // show; empty on success (even with no photos).
    QString error;
};

namespace FlickrResponse {

// At most this many photos of one answer are listed.
constexpr int kMaxPhotos = 500;

// The query items of a search for `query` with `apiKey`, asking for
// `perPage` photos with the preview and photo addresses.
QUrlQuery searchQuery(const FlickrQuery& query, const QString& apiKey, int perPage);

// The photos of a search answer. Photos without a usable address are left
// out; addresses are kept only when they are http or https.
FlickrSearchResult parseSearch(const QByteArray& json);

} // namespace FlickrResponse
