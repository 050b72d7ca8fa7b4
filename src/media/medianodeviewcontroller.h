#pragma once

// The source list: the library's top nodes under group headers (Libraries,
// Folders, Internet) when MediaConfig says so, with their subnodes (folders,
// events, albums, searches) below them, filled as the person opens them.
// Under the list are the + button (add a folder) and the − button (remove
// the chosen added folder); below them the grid that shows the chosen node
// (the standard object view, see setStandardObjectView).
//
// Main thread.

#include <functional>

#include <QHash>
#include <QWidget>

class MediaLibraryController;
struct MediaNode;
class QSplitter;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;

class MediaNodeViewController : public QWidget
{
    Q_OBJECT

public:
    explicit MediaNodeViewController(MediaLibraryController& library, QWidget* parent = nullptr);
    ~MediaNodeViewController() override;

    MediaLibraryController& libraryController() const { return m_library; }
    // Puts the grid below the list (the view is reparented).
    void setStandardObjectView(QWidget* view);
    QWidget* standardObjectView() const { return m_objectView; }

    // The chosen node, empty when none.
    QString selectedNodeIdentifier() const { return m_selected; }
    // Chooses the node with `id` (filling it if needed); false when it is
    // not listed.
    bool selectNode(const QString& id);
    // Whether the node with `id` may be removed with −.
    std::function<bool(const QString& id)> isRemovable;

    QTreeWidget* nodeView() const { return m_tree; }
    QToolButton* addButton() const { return m_addButton; }
    QToolButton* removeButton() const { return m_removeButton; }
    QSplitter* splitter() const { return m_splitter; }

signals:
    void nodeSelected(const QString& id);
    void addFolderRequested();
    void removeNodeRequested(const QString& id);

private:
    void rebuild();
    QTreeWidgetItem* makeItem(const MediaNode& node, int depth);
    void updateButtons();

    MediaLibraryController& m_library;
    QTreeWidget* m_tree = nullptr;
    QToolButton* m_addButton = nullptr;
    QToolButton* m_removeButton = nullptr;
    QSplitter* m_splitter = nullptr;
    QWidget* m_objectView = nullptr;
    QString m_selected;
    QHash<QString, bool> m_expanded;
    bool m_rebuilding = false;
};
