#include "medianodeviewcontroller.h"

#include "mediaconfig.h"
#include "medialibrarycontroller.h"

#include "kit/localisation.h"

#include <QHBoxLayout>
#include <QScrollBar>
#include <QSplitter>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr int kIdRole = Qt::UserRole + 1;
// Deeper folder trees are listed when opened, not all at once.
constexpr int kMaxListedDepth = 12;

const char* groupKey(MediaGroup group)
{
    switch (group) {
    case MediaGroup::Libraries:
        return "MEDIA_GROUP_LIBRARIES";
    case MediaGroup::Folders:
        return "MEDIA_GROUP_FOLDERS";
    case MediaGroup::Internet:
        return "MEDIA_GROUP_INTERNET";
    }
    return "";
}

} // namespace

MediaNodeViewController::MediaNodeViewController(MediaLibraryController& library, QWidget* parent)
    : QWidget(parent), m_library(library)
{
    setObjectName(QStringLiteral("IMBNodeViewController"));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    m_splitter = new QSplitter(Qt::Vertical, this);
    m_splitter->setChildrenCollapsible(false);
    column->addWidget(m_splitter);

    auto* listPane = new QWidget(m_splitter);
    auto* listColumn = new QVBoxLayout(listPane);
    listColumn->setContentsMargins(0, 0, 0, 0);
    listColumn->setSpacing(0);
    m_tree = new QTreeWidget(listPane);
    m_tree->setObjectName(QStringLiteral("nodeView"));
    m_tree->setHeaderHidden(true);
    m_tree->setColumnCount(1);
    m_tree->setUniformRowHeights(true);
    m_tree->setExpandsOnDoubleClick(true);
    listColumn->addWidget(m_tree, 1);

    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(2, 2, 2, 2);
    buttons->setSpacing(2);
    m_addButton = new QToolButton(listPane);
    m_addButton->setText(QStringLiteral("+"));
    m_addButton->setToolTip(kit::localized("MEDIA_ADD_FOLDER"));
    m_removeButton = new QToolButton(listPane);
    m_removeButton->setText(QString(QChar(0x2212)));
    m_removeButton->setToolTip(kit::localized("MEDIA_REMOVE_FOLDER"));
    buttons->addWidget(m_addButton);
    buttons->addWidget(m_removeButton);
    buttons->addStretch();
    listColumn->addLayout(buttons);
    m_splitter->addWidget(listPane);

    connect(m_addButton, &QToolButton::clicked, this, &MediaNodeViewController::addFolderRequested);
    connect(m_removeButton, &QToolButton::clicked, this, [this] {
        if (!m_selected.isEmpty() && isRemovable && isRemovable(m_selected))
            emit removeNodeRequested(m_selected);
    });
    connect(m_tree, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (m_rebuilding || !item)
            return;
        const QString id = item->data(0, kIdRole).toString();
        if (id.isEmpty())
            return;
        m_selected = id;
        m_library.populateNode(id);
        updateButtons();
        emit nodeSelected(id);
    });
    connect(m_tree, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem* item) {
        const QString id = item->data(0, kIdRole).toString();
        if (m_rebuilding || id.isEmpty())
            return;
        m_expanded.insert(id, true);
        // Opening a folder lists its subfolders.
        for (int i = 0; i < item->childCount(); ++i)
            m_library.populateNode(item->child(i)->data(0, kIdRole).toString());
        m_library.populateNode(id);
    });
    connect(m_tree, &QTreeWidget::itemCollapsed, this, [this](QTreeWidgetItem* item) {
        if (!m_rebuilding)
            m_expanded.remove(item->data(0, kIdRole).toString());
    });
    connect(&m_library, &MediaLibraryController::nodesChanged, this,
            &MediaNodeViewController::rebuild);
    connect(&m_library, &MediaLibraryController::nodeChanged, this,
            &MediaNodeViewController::rebuild);
    rebuild();
}

MediaNodeViewController::~MediaNodeViewController() = default;

void MediaNodeViewController::setStandardObjectView(QWidget* view)
{
    m_objectView = view;
    if (view) {
        m_splitter->addWidget(view);
        m_splitter->setStretchFactor(0, 1);
        m_splitter->setStretchFactor(1, 3);
    }
}

QTreeWidgetItem* MediaNodeViewController::makeItem(const MediaNode& node, int depth)
{
    auto* item = new QTreeWidgetItem(QStringList(node.name));
    item->setData(0, kIdRole, node.identifier);
    item->setToolTip(0, node.error.isEmpty() ? node.location : node.error);
    if (depth < kMaxListedDepth) {
        for (const MediaNode& sub : node.subnodes)
            item->addChild(makeItem(sub, depth + 1));
    }
    if (!node.populated && node.subnodes.empty())
        item->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
    return item;
}

void MediaNodeViewController::rebuild()
{
    m_rebuilding = true;
    const int scroll = m_tree->verticalScrollBar()->value();
    m_tree->clear();
    QHash<int, QTreeWidgetItem*> groups;
    QTreeWidgetItem* current = nullptr;
    for (const MediaNode* node : m_library.topNodes()) {
        const auto parser = m_library.parserController().parser(node->parserIdentifier);
        QTreeWidgetItem* item = makeItem(*node, 0);
        if (MediaConfig::showsGroupNodes() && parser) {
            const int group = int(parser->group());
            if (!groups.contains(group)) {
                auto* header =
                    new QTreeWidgetItem(QStringList(kit::localized(groupKey(parser->group()))));
                header->setFlags(Qt::ItemIsEnabled);
                QFont font = header->font(0);
                font.setBold(true);
                header->setFont(0, font);
                groups.insert(group, header);
            }
            groups[group]->addChild(item);
        } else {
            m_tree->addTopLevelItem(item);
        }
    }
    for (int group = 0; group < 3; ++group) {
        if (groups.contains(group)) {
            m_tree->addTopLevelItem(groups[group]);
            groups[group]->setExpanded(true);
        }
    }
    QTreeWidgetItemIterator it(m_tree);
    while (*it) {
        const QString id = (*it)->data(0, kIdRole).toString();
        if (m_expanded.contains(id))
            (*it)->setExpanded(true);
        if (!id.isEmpty() && id == m_selected)
            current = *it;
        ++it;
    }
    if (current)
        m_tree->setCurrentItem(current);
    m_tree->verticalScrollBar()->setValue(scroll);
    m_rebuilding = false;
    updateButtons();
}

bool MediaNodeViewController::selectNode(const QString& id)
{
    QTreeWidgetItemIterator it(m_tree);
    while (*it) {
        if ((*it)->data(0, kIdRole).toString() == id) {
            for (QTreeWidgetItem* parent = (*it)->parent(); parent; parent = parent->parent())
                parent->setExpanded(true);
            if (m_tree->currentItem() == *it) {
                m_selected = id;
                m_library.populateNode(id);
                emit nodeSelected(id);
            } else {
                m_tree->setCurrentItem(*it);
            }
            return true;
        }
        ++it;
    }
    return false;
}

void MediaNodeViewController::updateButtons()
{
    m_removeButton->setEnabled(!m_selected.isEmpty() && isRemovable && isRemovable(m_selected));
}
