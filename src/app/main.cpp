#include "kit/graphicscontext.h"
#include "kit/view.h"
#include "kit/viewhost.h"

#include <algorithm>
#include <memory>

#include <QApplication>
#include <QMainWindow>

namespace {

// Stand-ins until the editor's own window arrives: a grey backdrop that keeps
// a white rounded canvas centred in it.
class PlaceholderCanvas : public kit::View
{
public:
    using View::View;
    void drawRect(kit::GraphicsContext& gc, const kit::Rect&) override
    {
        const kit::Rect plate = bounds().insetBy(6, 6);
        gc.setShadow({ 4, { 0, -2 }, QColor(64, 64, 64) });
        gc.setColor(Qt::white);
        gc.fillRoundedRect(plate, plate.width() * 0.025, plate.width() * 0.025);
    }
};

class PlaceholderBackdrop : public kit::View
{
public:
    PlaceholderBackdrop() { m_canvas = addSubview(std::make_unique<PlaceholderCanvas>()); }
    void setFrameSize(kit::Size size) override
    {
        View::setFrameSize(size);
        // A 3:2 canvas filling at most 80 % of either side.
        const double w = std::min(size.width * 0.8, size.height * 0.8 * 1.5);
        const double h = w / 1.5;
        m_canvas->setFrame({ (size.width - w) / 2, (size.height - h) / 2, w, h });
    }
    void drawRect(kit::GraphicsContext& gc, const kit::Rect&) override
    {
        gc.setColor(QColor(236, 236, 236));
        gc.fillRect(bounds());
    }

private:
    View* m_canvas = nullptr;
};

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("Tessera");
    QApplication::setOrganizationName("Tessera");
    QMainWindow window;
    window.setWindowTitle("Tessera");
    auto* host = new kit::ViewHost(&window); // owned by the main window
    host->viewWindow()->setRootView(std::make_unique<PlaceholderBackdrop>());
    window.setCentralWidget(host);
    window.resize(1100, 760);
    window.show();
    return app.exec();
}
