#include "klmainwindow.h"

#include "chrome/kltabbarview.h"
#include "chrome/kltitlebargroup.h"
#include "kit/localisation.h"

#include <QAction>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollArea>
#include <QSplitter>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace {

QScrollArea* pageScrollArea(QWidget* parent)
{
    auto* area = new QScrollArea(parent);
    area->setFrameShape(QFrame::NoFrame);
    area->setWidgetResizable(false);
    area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    area->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    return area;
}

QPushButton* smallButton(const QString& text, const char* tipKey, QWidget* parent)
{
    auto* button = new QPushButton(text, parent);
    button->setToolTip(kit::localized(tipKey));
    button->setFixedSize(30, 24);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

} // namespace

KLMainWindow::KLMainWindow(QWidget* parent) : QMainWindow(parent)
{
    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    // The title-bar group keeps itself centred in the top bar.
    m_topBar = new QWidget(central);
    m_topBar->setObjectName(QStringLiteral("topBar"));
    m_topBar->setFixedHeight(KLTitleBarGroup::kBarHeight);
    m_topBar->setAutoFillBackground(true);
    m_titlebarView = new KLTitleBarGroup(m_topBar);
    column->addWidget(m_topBar);

    m_splitView = new QSplitter(Qt::Horizontal, central);
    m_splitView->setChildrenCollapsible(false);
    m_splitView->addWidget(makeSidePanel());

    m_scrollView = new QScrollArea(m_splitView);
    m_scrollView->setObjectName(QStringLiteral("scrollView"));
    // A one-unit frame: the document view lies one unit inside the scroll view.
    m_scrollView->setFrameStyle(QFrame::Box | QFrame::Plain);
    m_scrollView->setLineWidth(1);
    m_scrollView->setWidgetResizable(false);
    m_scrollView->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QPalette back = m_scrollView->palette();
    back.setColor(QPalette::WindowText, QColor(0xc8, 0xc8, 0xcc));
    back.setColor(QPalette::Window, QColor(0xe4, 0xe4, 0xe6));
    m_scrollView->setPalette(back);
    m_scrollView->setBackgroundRole(QPalette::Window);
    m_splitView->addWidget(m_scrollView);

    // The media browser takes this place in a later version.
    m_photoView = new QWidget(m_splitView);
    m_photoView->setObjectName(QStringLiteral("photoView"));
    auto* mediaColumn = new QVBoxLayout(m_photoView);
    auto* mediaHint = new QLabel(kit::localized("MEDIA_BROWSER_PLACEHOLDER"), m_photoView);
    mediaHint->setWordWrap(true);
    mediaHint->setAlignment(Qt::AlignCenter);
    mediaHint->setEnabled(false);
    mediaColumn->addWidget(mediaHint);
    m_splitView->addWidget(m_photoView);

    // A resize of the window changes only the canvas area's width.
    m_splitView->setStretchFactor(0, 0);
    m_splitView->setStretchFactor(1, 1);
    m_splitView->setStretchFactor(2, 0);
    m_splitView->setSizes({ kSidePanelWidth, 800, kMediaPaneWidth });
    column->addWidget(m_splitView, 1);

    setCentralWidget(central);
    makeMenus();
    setWindowTitle(kit::localized("CFBundleDisplayName"));
    resize(1280, 800);
}

KLMainWindow::~KLMainWindow() = default;

QWidget* KLMainWindow::makeSidePanel()
{
    auto* panel = new QWidget(m_splitView);
    panel->setObjectName(QStringLiteral("sidePanel"));
    panel->setMinimumWidth(120);
    auto* column = new QVBoxLayout(panel);
    column->setContentsMargins(0, 0, 0, 4);
    column->setSpacing(0);

    m_frameBar = new KLTabBarView(panel);
    column->addWidget(m_frameBar);

    m_frameTabView = new QStackedWidget(panel);
    for (int page = 0; page < 3; ++page) {
        m_pages[page] = pageScrollArea(m_frameTabView);
        m_frameTabView->addWidget(m_pages[page]);
    }
    column->addWidget(m_frameTabView, 1);

    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(6, 4, 6, 0);
    buttons->setSpacing(4);
    m_addItemButton = smallButton(QStringLiteral("+"), "TOOLTIP_ADD_ITEM", panel);
    m_removeItemButton = smallButton(QStringLiteral("\u2212"), "TOOLTIP_REMOVE_ITEM", panel);
    m_filterButton = new QPushButton(panel);
    m_filterButton->setFocusPolicy(Qt::NoFocus);
    m_filterButton->setToolTip(kit::localized("TOOLTIP_FILTER"));
    buttons->addWidget(m_addItemButton);
    buttons->addWidget(m_removeItemButton);
    buttons->addStretch(1);
    buttons->addWidget(m_filterButton);
    column->addLayout(buttons);
    return panel;
}

void KLMainWindow::makeMenus()
{
    auto add = [this](QMenu* menu, const char* key, QKeySequence shortcut = {}) {
        QAction* action = menu->addAction(kit::localized(key));
        action->setShortcut(shortcut);
        return action;
    };

    QMenu* file = menuBar()->addMenu(kit::localized("MENU_FILE"));
    m_actions.newCanvas = add(file, "MENU_NEW_CANVAS", QKeySequence::New);
    m_actions.addPhotos = add(file, "MENU_ADD_PHOTOS", QKeySequence(Qt::CTRL | Qt::Key_O));
    file->addSeparator();
    m_actions.save = add(file, "MENU_SAVE");
    m_actions.save->setShortcuts(
        { QKeySequence(Qt::CTRL | Qt::Key_S), QKeySequence(Qt::CTRL | Qt::Key_E) });
    file->addSeparator();
    // Titled by the controller with the application's display name.
    m_actions.hide = file->addAction(QString());
    m_actions.hide->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_H));
    m_actions.quit = file->addAction(QString());
    m_actions.quit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    m_actions.quit->setMenuRole(QAction::QuitRole);

    QMenu* view = menuBar()->addMenu(kit::localized("MENU_VIEW"));
    struct Entry
    {
        const char* key;
        int tag;
        QKeyCombination keys;
    };
    const Entry entries[] = {
        { "MENU_TEMPLATE_LAYOUT", 100, Qt::CTRL | Qt::Key_1 },
        { "MENU_FREE_LAYOUT", 101, Qt::CTRL | Qt::Key_2 },
        { "MENU_SERIAL_LAYOUT", 102, Qt::CTRL | Qt::Key_3 },
        { "MENU_TEMPLATES_PAGE", 200, Qt::CTRL | Qt::SHIFT | Qt::Key_1 },
        { "MENU_BACKGROUNDS_PAGE", 201, Qt::CTRL | Qt::SHIFT | Qt::Key_2 },
        { "MENU_BORDERS_PAGE", 202, Qt::CTRL | Qt::SHIFT | Qt::Key_3 },
    };
    for (int i = 0; i < 6; ++i) {
        if (i == 3)
            view->addSeparator();
        QAction* action = add(view, entries[i].key, QKeySequence(entries[i].keys));
        action->setData(entries[i].tag);
        m_actions.views[i] = action;
    }

    QMenu* help = menuBar()->addMenu(kit::localized("MENU_HELP"));
    m_actions.whatsNew = add(help, "MENU_WHATS_NEW");
    help->addSeparator();
    m_actions.helpEN = help->addAction(QString());
    m_actions.helpEN->setShortcut(QKeySequence::HelpContents);
    m_actions.helpCN = help->addAction(QString());
    m_actions.feedback = add(help, "MENU_FEEDBACK");
    help->addSeparator();
    m_actions.about = help->addAction(QString());
    m_actions.about->setMenuRole(QAction::AboutRole);
}

void KLMainWindow::closeEvent(QCloseEvent* event)
{
    if (shouldClose && !shouldClose()) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}

void KLMainWindow::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    if (didResize)
        didResize();
}
