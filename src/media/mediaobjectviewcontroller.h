#pragma once

// The grid of photos of the node chosen in the source list. Two kinds: the
// image grid (photos of a folder, album, event or search) and the event grid
// (the events of a photo library as tiles; double-clicking one opens it).
// Each kind keeps its own view type (0 icons, 1 list) unless one is shared
// (MediaConfig), switched by the segmented control above the grid. A
// delegate chooses the cells and the background and may change the views
// once they are made.
//
// Tiles are dragged out as file URLs (see MediaObjectModel). Main thread.

#include "medianode.h"

#include <optional>

#include <QColor>
#include <QHash>
#include <QIcon>
#include <QWidget>

class MediaLibraryController;
class MediaObjectModel;
class QButtonGroup;
class QLabel;
class QListView;
class RemotePhotoCache;
class ThumbnailLoader;

class MediaObjectViewController : public QWidget
{
    Q_OBJECT

public:
    enum class Kind { Image, Event };
    enum class CellKind { Default, Event };

    class Delegate
    {
    public:
        virtual ~Delegate();
        virtual CellKind
        imageBrowserCellClassForController(MediaObjectViewController& controller) = 0;
        // The grid's background colour; none keeps the style's.
        virtual std::optional<QColor>
        imageBrowserBackgroundLayerForController(MediaObjectViewController& controller) = 0;
        virtual void objectViewControllerDidLoadViews(MediaObjectViewController& controller,
                                                      const QHash<QString, QWidget*>& views) = 0;
        // A null icon shows no badge.
        virtual QIcon objectViewControllerBadgeForObject(MediaObjectViewController& controller,
                                                         const MediaObjectModel& model,
                                                         int row) = 0;
    };

    // Keys of the views handed to objectViewControllerDidLoadViews.
    static constexpr const char* kSegmentedControlKey = "segmentedControl";
    static constexpr const char* kIconViewKey = "iconView";

    MediaObjectViewController(Kind kind, ThumbnailLoader& loader, RemotePhotoCache& remote,
                              QWidget* parent = nullptr);
    ~MediaObjectViewController() override;

    Kind kind() const { return m_kind; }
    // "IMBImageViewController" or "IMBiPhotoEventObjectViewController";
    // also the key of the kind's preferences.
    QString className() const;

    // Asks the delegate for cells, background and view changes. Call once
    // after construction.
    void loadViews(Delegate* delegate);

    void showNode(const MediaNode* node);
    QString nodeIdentifier() const { return m_nodeIdentifier; }

    int viewType() const { return m_viewType; }
    void setViewType(int type);

    QListView* iconView() const { return m_iconView; }
    QWidget* segmentedControl() const { return m_segmentedControl; }
    MediaObjectModel* model() const { return m_model; }
    QLabel* messageLabel() const { return m_message; }

signals:
    // An event tile was opened.
    void nodeOpened(const QString& identifier);

private:
    void applyViewType();

    Kind m_kind;
    Delegate* m_delegate = nullptr;
    MediaObjectModel* m_model = nullptr;
    QListView* m_iconView = nullptr;
    QWidget* m_segmentedControl = nullptr;
    QButtonGroup* m_viewButtons = nullptr;
    QLabel* m_message = nullptr;
    QString m_nodeIdentifier;
    int m_viewType = 0;
};
