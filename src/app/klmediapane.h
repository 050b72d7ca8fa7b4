#pragma once

// The media browser in the window's right-hand pane, shown or hidden with
// the View menu's item and remembered across starts ("MediaBrowserShown";
// shown when never stored). Photos dragged out of it land on the canvases as
// any dragged file does.

#include "media/klmediabrowserhost.h"

#include <memory>

#include <QObject>

class KLMainWindow;

class KLMediaPane : public QObject
{
    Q_OBJECT

public:
    // Sets the browser up inside the window's pane.
    KLMediaPane(KLMainWindow& window, KLMediaBrowserHost::Setup setup, QObject* parent = nullptr);
    ~KLMediaPane() override;

    KLMediaBrowserHost& browser() const { return *m_browser; }
    // Lists the sources; see KLMediaBrowserHost::loadLibraryView.
    void loadLibraryView() { m_browser->loadLibraryView(); }

    static constexpr const char* kShownKey = "MediaBrowserShown";

private:
    KLMainWindow& m_window;
    std::unique_ptr<KLMediaBrowserHost> m_browser;
};
