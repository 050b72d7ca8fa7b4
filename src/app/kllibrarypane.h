#pragma once

// The side panel's libraries: the template, background and border grids,
// each the root of its own view host inside its page; their layout to the
// page's width; the template filter menu; and the add command, which copies
// the files the person chooses into the library of the page shown.
//
// The pane only lists. What a click on an entry means is the controller's
// (through the notifications the entries post).

#include "mode.h"

#include <array>

#include <QObject>
#include <QString>

class Dialogs;
class KLBackgroundListView;
class KLBorderListView;
class KLGridLibraryView;
class KLMainWindow;
class KLResourceListView;
class QMenu;

namespace kit {
class ViewHost;
}

class KLLibraryPane : public QObject
{
    Q_OBJECT

public:
    // Builds the three libraries into the window's pages. `dialogs` asks for
    // files and pops the filter menu up; both must outlive the pane.
    KLLibraryPane(KLMainWindow& window, Dialogs& dialogs, QObject* parent = nullptr);
    ~KLLibraryPane() override;

    KLResourceListView* resourceListView() const { return m_resourceListView; }
    KLBackgroundListView* backgroundListView() const { return m_backgroundListView; }
    KLBorderListView* borderListView() const { return m_borderListView; }

    // Lays a library out for its page's width (at least the page's height
    // high). Nothing while the page is hidden: it is laid out when shown.
    void layout(Page page);
    // Backgrounds, templates, borders, in that order.
    void layoutAll();
    void scrollToTop(Page page);

    // -- Template filter
    // Builds the filter menu (once) and shows every template. The menu marks
    // the filter in force.
    void setupFilterMenu();
    // Pops the menu up above the filter button and applies the choice.
    void showFilterMenu();
    // 0 shows every template, 2 to 9 those of that many cells.
    void chooseFilter(int tag);
    QMenu* filterMenu() const { return m_filterMenu; }

    // -- Add command
    // Asks for template files (templates page) or pictures (otherwise),
    // copies them into the library of the page shown when the choice is
    // confirmed, and lists them. Files that are not usable templates or
    // pictures are left where they are and named in one message.
    void addNewItem();

private:
    KLGridLibraryView* library(Page page) const;
    void markFilter(int tag);
    // Names the files a library did not take (added or dropped).
    void reportRefused(Page page, const QStringList& files);

    KLMainWindow& m_window;
    Dialogs& m_dialogs;
    KLResourceListView* m_resourceListView = nullptr;
    KLBackgroundListView* m_backgroundListView = nullptr;
    KLBorderListView* m_borderListView = nullptr;
    std::array<kit::ViewHost*, 3> m_hosts {};
    QMenu* m_filterMenu = nullptr; // owned by the window
};
