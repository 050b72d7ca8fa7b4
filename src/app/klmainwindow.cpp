#include "klmainwindow.h"

#include "chrome/klattachedwindow.h"
#include "chrome/kltabbarview.h"
#include "chrome/kltitlebargroup.h"
#include "kit/localisation.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSplitter>
#include <QStackedWidget>
#include <QTimer>
#include <QToolButton>
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
    // The window is never narrower than the group: every control stays whole.
    m_topBar->setMinimumWidth(m_titlebarView->width());
    m_titlebarView->installEventFilter(this);
    column->addWidget(m_topBar);
    column->addWidget(makeMessageBar());

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
    m_scrollView->installEventFilter(this);
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
    connect(m_splitView, &QSplitter::splitterMoved, this, &KLMainWindow::dividerMoved);
    column->addWidget(m_splitView, 1);

    setCentralWidget(central);
    connectTitleBar();
    makeMenus();
    setWindowTitle(kit::localized("CFBundleDisplayName"));
    resize(1280, 800);
}

KLMainWindow::~KLMainWindow() = default;

QWidget* KLMainWindow::makeMessageBar()
{
    m_messageBar = new QWidget(this);
    m_messageBar->setObjectName(QStringLiteral("messageBar"));
    m_messageBar->setAutoFillBackground(true);
    QPalette palette = m_messageBar->palette();
    palette.setColor(QPalette::Window, QColor(0xff, 0xf4, 0xce));
    palette.setColor(QPalette::WindowText, QColor(0x3a, 0x30, 0x10));
    m_messageBar->setPalette(palette);
    auto* row = new QHBoxLayout(m_messageBar);
    row->setContentsMargins(12, 6, 6, 6);
    m_messageLabel = new QLabel(m_messageBar);
    m_messageLabel->setWordWrap(true);
    m_messageLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    row->addWidget(m_messageLabel, 1);
    auto* close = new QToolButton(m_messageBar);
    close->setObjectName(QStringLiteral("messageClose"));
    close->setText(QStringLiteral("\u2715"));
    close->setToolTip(kit::localized("MESSAGE_CLOSE"));
    close->setAutoRaise(true);
    row->addWidget(close, 0, Qt::AlignTop);
    m_messageTimer = new QTimer(this);
    m_messageTimer->setSingleShot(true);
    connect(m_messageTimer, &QTimer::timeout, m_messageBar, &QWidget::hide);
    connect(close, &QToolButton::clicked, m_messageBar, &QWidget::hide);
    m_messageBar->hide();
    return m_messageBar;
}

void KLMainWindow::showMessage(const QString& text)
{
    m_messageLabel->setText(text);
    m_messageBar->show();
    m_messageTimer->start(kMessageSeconds * 1000);
}

QString KLMainWindow::message() const
{
    return m_messageBar->isVisible() ? m_messageLabel->text() : QString();
}

QWidget* KLMainWindow::makeSidePanel()
{
    auto* panel = new QWidget(m_splitView);
    panel->setObjectName(QStringLiteral("sidePanel"));
    auto* column = new QVBoxLayout(panel);
    column->setContentsMargins(0, 0, 0, 4);
    column->setSpacing(0);

    // An item's tag is its page's index.
    m_frameBar = new KLTabBarView(panel);
    m_frameBar->setObjectName(QStringLiteral("frameBar"));
    m_frameBar->addItemWithImage(QStringLiteral("Frame"), QStringLiteral("TIP_FRAME"),
                                 int(Page::Templates));
    m_frameBar->addItemWithImage(QStringLiteral("photo"), QStringLiteral("TIP_BACKGROUND"),
                                 int(Page::Backgrounds));
    m_frameBar->addItemWithImage(QStringLiteral("border"), QStringLiteral("TIP_BORDER"),
                                 int(Page::Borders));
    m_frameBar->layoutSubview();
    m_frameBar->selectItemWithIndex(0);
    connect(m_frameBar, &KLTabBarView::tabBarViewDidSelectTag, this,
            [this](KLTabBarView*, int tag) {
                if (tag >= 0 && tag < int(kPages.size()))
                    emit pageChosen(Page(tag));
            });
    column->addWidget(m_frameBar);

    m_frameTabView = new QStackedWidget(panel);
    m_frameTabView->setObjectName(QStringLiteral("frameTabView"));
    for (int page = 0; page < 3; ++page) {
        m_pages[page] = pageScrollArea(m_frameTabView);
        m_pages[page]->setObjectName(QStringLiteral("page%1").arg(page));
        m_pages[page]->viewport()->installEventFilter(this);
        m_frameTabView->addWidget(m_pages[page]);
    }
    column->addWidget(m_frameTabView, 1);

    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(6, 4, 6, 0);
    buttons->setSpacing(4);
    m_addItemButton = smallButton(QStringLiteral("+"), "TOOLTIP_ADD_ITEM", panel);
    m_removeItemButton = smallButton(QStringLiteral("\u2212"), "TOOLTIP_REMOVE_ITEM", panel);
    m_filterButton = new QPushButton(panel);
    m_filterButton->setObjectName(QStringLiteral("filterButton"));
    m_filterButton->setFocusPolicy(Qt::NoFocus);
    m_filterButton->setToolTip(kit::localized("TOOLTIP_FILTER"));
    // Its longest title ("9 or More Photos") shows whole; the panel widens.
    m_filterButton->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Fixed);
    m_addItemButton->setObjectName(QStringLiteral("addItemButton"));
    m_removeItemButton->setObjectName(QStringLiteral("removeItemButton"));
    buttons->addWidget(m_addItemButton);
    buttons->addWidget(m_removeItemButton);
    buttons->addStretch(1);
    buttons->addWidget(m_filterButton);
    column->addLayout(buttons);
    connect(m_addItemButton, &QPushButton::clicked, this, &KLMainWindow::addItemRequested);
    connect(m_removeItemButton, &QPushButton::clicked, this, &KLMainWindow::removeItemRequested);
    connect(m_filterButton, &QPushButton::clicked, this, &KLMainWindow::filterRequested);
    return panel;
}

void KLMainWindow::connectTitleBar()
{
    KLTitleBarGroup* group = m_titlebarView;
    connect(group, &KLTitleBarGroup::layoutButtonClicked, this, [this](QAbstractButton* sender) {
        if (sender == m_titlebarView->layoutButton())
            emit layoutModeChosen(Mode::Template);
        else if (sender == m_titlebarView->freeLayoutButton())
            emit layoutModeChosen(Mode::FreeLayout);
        else if (sender == m_titlebarView->serialLayoutButton())
            emit layoutModeChosen(Mode::Serial);
    });
    connect(group, &KLTitleBarGroup::zoomValueChanged, this, &KLMainWindow::zoomChosen);
    connect(group, &KLTitleBarGroup::scaleButtonClicked, this, &KLMainWindow::ratioListRequested);
    connect(group, &KLTitleBarGroup::styleViewButtonClicked, this,
            &KLMainWindow::styleListRequested);
    connect(group, &KLTitleBarGroup::roundCornerToggled, this, &KLMainWindow::cornerToggled);
    connect(group, &KLTitleBarGroup::shadowToggled, this, &KLMainWindow::shadowToggled);
    connect(group, &KLTitleBarGroup::addTextClicked, this, &KLMainWindow::addTextRequested);
    connect(group, &KLTitleBarGroup::saveClicked, this, &KLMainWindow::saveRequested);
}

// -- The top bar

void KLMainWindow::showLayoutMode(Mode mode)
{
    m_titlebarView->setSelectedMode(int(mode));
}

void KLMainWindow::setZoom(double value, double maximum, const QString& label)
{
    m_titlebarView->setZoomRange(kMinimumZoom, maximum);
    m_titlebarView->setZoomValue(value);
    m_titlebarView->imageScaleLabel()->setText(label);
}

double KLMainWindow::zoom() const
{
    return m_titlebarView->zoomValue();
}

void KLMainWindow::setRatioTitle(const QString& title)
{
    m_titlebarView->scaleButton()->setText(title);
}

void KLMainWindow::setRatioLocked(bool locked)
{
    QPushButton* button = m_titlebarView->scaleButton();
    button->setEnabled(!locked);
    button->setToolTip(kit::localized(locked ? "TOOLTIP_RATIO_LOCKED" : "TOOLTIP_RATIO"));
}

void KLMainWindow::setRatioButtonShown(bool shown)
{
    m_titlebarView->scaleButton()->setVisible(shown);
    // The group takes the width of what it shows, and stays centred.
    m_titlebarView->adjustSize();
    m_titlebarView->centreInParent();
}

void KLMainWindow::setCornerChecked(bool on)
{
    const QSignalBlocker block(m_titlebarView->roundCornerButton());
    m_titlebarView->roundCornerButton()->setChecked(on);
}

void KLMainWindow::setShadowChecked(bool on)
{
    const QSignalBlocker block(m_titlebarView->hasShadowButton());
    m_titlebarView->hasShadowButton()->setChecked(on);
}

void KLMainWindow::setCornerButtonShown(bool shown)
{
    m_titlebarView->roundCornerButton()->setVisible(shown);
}

void KLMainWindow::centreTitleBar()
{
    m_titlebarView->centreInParent();
}

KLAttachedWindow* KLMainWindow::openRatioList(QWidget* content, int tag)
{
    return openPopUpBelow(m_titlebarView->scaleButton(), content, tag);
}

KLAttachedWindow* KLMainWindow::openStyleList(QWidget* content, int tag)
{
    return openPopUpBelow(m_titlebarView->styleViewButton(), content, tag);
}

KLAttachedWindow* KLMainWindow::openPopUpBelow(QPushButton* button, QWidget* content, int tag)
{
    // The list hangs below the button, its arrow pointing up at it.
    auto* popUp = new KLAttachedWindow(content, QPoint(button->width() / 2, button->height()),
                                       button, KLAttachedWindow::Side::Lower, 3);
    popUp->setBorderColor(Qt::white);
    popUp->setBorderWidth(2);
    popUp->setBackgroundColor(QColor(0x3a, 0x3a, 0x3c));
    popUp->setCornerRadius(4);
    popUp->setHasArrow(true);
    popUp->setViewMargin(5);
    popUp->setTag(tag);
    // A press on the button leaves the toggling to the button.
    popUp->addPassThroughWidget(button);
    popUp->show();
    popUp->raise();
    popUp->activateWindow();
    return popUp;
}

// -- The canvas area

void KLMainWindow::showDocument(QWidget* document)
{
    if (m_scrollView->widget() == document)
        return;
    // The scroll area deletes a widget it lets go of with setWidget; take the
    // shown one back first and keep it, hidden, in the window.
    if (QWidget* shown = m_scrollView->takeWidget()) {
        shown->setParent(this);
        shown->hide();
    }
    m_scrollView->setWidget(document);
    document->show();
}

QSize KLMainWindow::canvasAreaSize() const
{
    return m_scrollView->size();
}

void KLMainWindow::setScrollersShown(bool shown)
{
    const auto policy = shown ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff;
    m_scrollView->setHorizontalScrollBarPolicy(policy);
    m_scrollView->setVerticalScrollBarPolicy(policy);
}

// -- The side panel

void KLMainWindow::showPage(Page page)
{
    m_frameBar->selectItemWithIndex(int(page));
    m_frameBar->update();
    m_frameTabView->setCurrentIndex(int(page));
    // Filtering is for templates; the border library can be neither added to
    // nor removed from.
    m_filterButton->setVisible(page == Page::Templates);
    m_addItemButton->setVisible(page != Page::Borders);
    m_removeItemButton->setVisible(page != Page::Borders);
}

Page KLMainWindow::currentPage() const
{
    const int index = m_frameTabView->currentIndex();
    return index >= 0 && index < int(kPages.size()) ? Page(index) : Page::Templates;
}

void KLMainWindow::setTemplatesTabShown(bool shown)
{
    m_frameBar->setItemHidden(int(Page::Templates), !shown);
    m_frameBar->layoutSubview();
}

void KLMainWindow::setLibrary(Page page, QWidget* library)
{
    m_pages[int(page)]->setWidget(library);
}

QSize KLMainWindow::libraryViewportSize(Page page) const
{
    return m_pages[int(page)]->viewport()->size();
}

bool KLMainWindow::isLibraryShown(Page page) const
{
    return m_pages[int(page)]->isVisible();
}

void KLMainWindow::scrollLibraryToTop(Page page)
{
    m_pages[int(page)]->verticalScrollBar()->setValue(0);
}

void KLMainWindow::setFilterTitle(const QString& title)
{
    m_filterButton->setText(title);
    // A longer title widens the panel rather than being cut.
    const QList<int> sizes = m_splitView->sizes();
    if (!sizes.isEmpty())
        setSidePanelWidth(sizes.front());
}

QPoint KLMainWindow::filterMenuPosition(QSize menuSize) const
{
    // The button lies at the bottom of the window: the menu opens upwards
    // from its corner, so that it covers neither the button nor the list.
    return m_filterButton->mapToGlobal(QPoint(0, 0)) - QPoint(0, menuSize.height());
}

void KLMainWindow::setSidePanelWidth(int width)
{
    QList<int> sizes = m_splitView->sizes();
    if (sizes.size() != 3)
        return;
    const int total = sizes[0] + sizes[1];
    // The splitter does not follow a panel whose controls grew; never give
    // the panel less than they need.
    QWidget* panel = m_splitView->widget(0);
    // Text set just now has not reached the nested layouts' cached sizes.
    for (QLayout* row : panel->layout()->findChildren<QLayout*>())
        row->invalidate();
    panel->layout()->invalidate();
    sizes[0] = std::max(width, panel->minimumSizeHint().width());
    sizes[1] = std::max(0, total - sizes[0]);
    m_splitView->setSizes(sizes);
}

void KLMainWindow::setMediaBrowser(QWidget* browser)
{
    m_splitView->replaceWidget(2, browser);
    m_photoView->deleteLater();
    m_photoView = browser;
    m_photoView->setVisible(m_mediaBrowserAction->isChecked());
}

void KLMainWindow::setMediaBrowserShown(bool shown)
{
    const QSignalBlocker blocker(m_mediaBrowserAction);
    m_mediaBrowserAction->setChecked(shown);
    m_photoView->setVisible(shown);
}

bool KLMainWindow::isMediaBrowserShown() const
{
    return m_mediaBrowserAction->isChecked();
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
    emit resized();
}

bool KLMainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Resize) {
        if (watched == m_titlebarView) {
            m_topBar->setMinimumWidth(m_titlebarView->width());
        } else if (watched == m_scrollView) {
            emit canvasAreaResized();
        } else {
            for (Page page : kPages) {
                if (watched == m_pages[int(page)]->viewport())
                    emit libraryResized(page);
            }
        }
    }
    return QMainWindow::eventFilter(watched, event);
}
