#include "mediaobjectviewcontroller.h"

#include "eventtiledelegate.h"
#include "mediaconfig.h"
#include "mediaobjectmodel.h"

#include "kit/localisation.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// Tiles fit two across the pane at its opening width.
constexpr int kIconSide = 88;
constexpr int kListIconSide = 32;

QString globalPrefsKind()
{
    return QStringLiteral("IMBObjectViewController");
}

} // namespace

MediaObjectViewController::Delegate::~Delegate() = default;

MediaObjectViewController::MediaObjectViewController(Kind kind, ThumbnailLoader& loader,
                                                     RemotePhotoCache& remote, QWidget* parent)
    : QWidget(parent), m_kind(kind)
{
    setObjectName(className());
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(2);

    m_segmentedControl = new QWidget(this);
    auto* row = new QHBoxLayout(m_segmentedControl);
    row->setContentsMargins(4, 2, 4, 2);
    row->setSpacing(0);
    m_viewButtons = new QButtonGroup(this);
    const char* keys[] = { "MEDIA_VIEW_ICONS", "MEDIA_VIEW_LIST" };
    for (int type = 0; type < 2; ++type) {
        auto* button = new QToolButton(m_segmentedControl);
        button->setText(kit::localized(keys[type]));
        button->setCheckable(true);
        button->setAutoRaise(true);
        m_viewButtons->addButton(button, type);
        row->addWidget(button);
    }
    row->addStretch();
    column->addWidget(m_segmentedControl);

    m_model = new MediaObjectModel(loader, remote, this);
    m_iconView = new QListView(this);
    m_iconView->setObjectName(QStringLiteral("iconView"));
    m_iconView->setModel(m_model);
    m_iconView->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_iconView->setDragEnabled(true);
    m_iconView->setDragDropMode(QAbstractItemView::DragOnly);
    m_iconView->setDefaultDropAction(Qt::CopyAction);
    m_iconView->setMovement(QListView::Static);
    m_iconView->setResizeMode(QListView::Adjust);
    m_iconView->setUniformItemSizes(true);
    m_iconView->setLayoutMode(QListView::Batched);
    m_iconView->setBatchSize(200);
    m_iconView->setWordWrap(false);
    m_iconView->setTextElideMode(Qt::ElideMiddle);
    column->addWidget(m_iconView, 1);

    m_message = new QLabel(this);
    m_message->setWordWrap(true);
    m_message->setAlignment(Qt::AlignCenter);
    m_message->setContentsMargins(8, 8, 8, 8);
    m_message->hide();
    column->addWidget(m_message);

    connect(m_viewButtons, &QButtonGroup::idClicked, this, &MediaObjectViewController::setViewType);
    connect(m_iconView, &QListView::activated, this, [this](const QModelIndex& index) {
        const QString node = index.data(MediaObjectModel::NodeRole).toString();
        if (!node.isEmpty())
            emit nodeOpened(node);
    });

    const QString prefsKind = MediaConfig::useGlobalViewType() ? globalPrefsKind() : className();
    m_viewType = MediaConfig::prefsForClass(prefsKind)
                     .value(QLatin1String(MediaConfig::kViewTypeKey))
                     .toInt();
    applyViewType();
}

MediaObjectViewController::~MediaObjectViewController() = default;

QString MediaObjectViewController::className() const
{
    return m_kind == Kind::Event ? QStringLiteral("IMBiPhotoEventObjectViewController")
                                 : QStringLiteral("IMBImageViewController");
}

void MediaObjectViewController::loadViews(Delegate* delegate)
{
    m_delegate = delegate;
    if (!m_delegate)
        return;
    if (m_delegate->imageBrowserCellClassForController(*this) == CellKind::Event)
        m_iconView->setItemDelegate(new EventTileDelegate(m_iconView));
    if (const auto background = m_delegate->imageBrowserBackgroundLayerForController(*this)) {
        QPalette palette = m_iconView->palette();
        palette.setColor(QPalette::Base, *background);
        palette.setColor(QPalette::Text,
                         background->lightness() < 128 ? QColor(235, 235, 235)
                                                       : QColor(20, 20, 20));
        m_iconView->setPalette(palette);
        m_iconView->setAutoFillBackground(true);
    }
    m_delegate->objectViewControllerDidLoadViews(
        *this,
        { { QLatin1String(kSegmentedControlKey), m_segmentedControl },
          { QLatin1String(kIconViewKey), m_iconView } });
    // Preferences may have changed in the delegate.
    const QString prefsKind = MediaConfig::useGlobalViewType() ? globalPrefsKind() : className();
    m_viewType = MediaConfig::prefsForClass(prefsKind)
                     .value(QLatin1String(MediaConfig::kViewTypeKey))
                     .toInt();
    applyViewType();
}

void MediaObjectViewController::showNode(const MediaNode* node)
{
    m_nodeIdentifier = node ? node->identifier : QString();
    m_model->setNode(node, m_kind == Kind::Event);
    if (m_delegate) {
        for (int row = 0; row < m_model->rowCount(); ++row) {
            const QIcon badge =
                m_delegate->objectViewControllerBadgeForObject(*this, *m_model, row);
            if (!badge.isNull())
                m_model->setBadge(row, badge);
        }
    }
    QString message;
    if (node && !node->error.isEmpty())
        message = node->error;
    else if (node && !node->populated)
        message = kit::localized("MEDIA_LOADING");
    else if (node && m_model->rowCount() == 0 && node->subnodes.empty())
        message = kit::localized("MEDIA_NO_PHOTOS");
    m_message->setText(message);
    m_message->setVisible(!message.isEmpty());
}

void MediaObjectViewController::setViewType(int type)
{
    m_viewType = type == 1 ? 1 : 0;
    const QString prefsKind = MediaConfig::useGlobalViewType() ? globalPrefsKind() : className();
    QVariantMap prefs = MediaConfig::prefsForClass(prefsKind);
    prefs.insert(QLatin1String(MediaConfig::kViewTypeKey), m_viewType);
    MediaConfig::setPrefsForClass(prefs, prefsKind);
    applyViewType();
}

void MediaObjectViewController::applyViewType()
{
    if (QAbstractButton* button = m_viewButtons->button(m_viewType))
        button->setChecked(true);
    const bool icons = m_viewType == 0;
    m_iconView->setViewMode(icons ? QListView::IconMode : QListView::ListMode);
    // Icon mode wraps and would start moving tiles on drag; both stay off.
    m_iconView->setMovement(QListView::Static);
    m_iconView->setDragDropMode(QAbstractItemView::DragOnly);
    m_iconView->setFlow(icons ? QListView::LeftToRight : QListView::TopToBottom);
    m_iconView->setWrapping(icons);
    const int side = icons ? (m_kind == Kind::Event ? kIconSide + 16 : kIconSide) : kListIconSide;
    m_iconView->setIconSize(QSize(side, side));
    m_iconView->setGridSize(icons ? QSize(side + 12, side + 24) : QSize());
    m_iconView->setSpacing(icons ? 0 : 2);
    m_model->setIconSide(icons ? kIconSide : kListIconSide);
}
