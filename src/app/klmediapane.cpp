#include "klmediapane.h"

#include "klmainwindow.h"

#include "kit/defaults.h"
#include "media/medianodeviewcontroller.h"

KLMediaPane::KLMediaPane(KLMainWindow& window, KLMediaBrowserHost::Setup setup, QObject* parent)
    : QObject(parent), m_window(window),
      m_browser(std::make_unique<KLMediaBrowserHost>(nullptr, std::move(setup)))
{
    m_window.setMediaBrowser(m_browser->nodeViewController());
    kit::Defaults& defaults = kit::Defaults::standard();
    m_window.setMediaBrowserShown(defaults.boolForKey(QLatin1String(kShownKey)).value_or(true));
    connect(&m_window, &KLMainWindow::mediaBrowserToggled, this, [](bool shown) {
        kit::Defaults::standard().set(QLatin1String(kShownKey), shown);
        kit::Defaults::standard().synchronize();
    });
}

KLMediaPane::~KLMediaPane() = default;
