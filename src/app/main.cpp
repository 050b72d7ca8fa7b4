#include "app/klcontroller.h"
#include "app/klmainwindow.h"
#include "app/rendercommand.h"
#include "app/version.h"
#include "chrome/namedimage.h"
#include "kit/localisation.h"

#include <QApplication>
#include <QDir>
#include <QTimer>

int main(int argc, char** argv)
{
    // `tessera render ...` draws a collage without a window or display.
    if (argc > 1 && qstrcmp(argv[1], "render") == 0)
        return renderCommandMain(argc, argv);

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tessera"));
    QApplication::setOrganizationName(QStringLiteral("Tessera"));
    QApplication::setApplicationVersion(QString::fromLatin1(kTesseraVersion));
    kit::Localisation::install(app);
    QApplication::setApplicationDisplayName(kit::localized("CFBundleDisplayName"));
    QApplication::setWindowIcon(chrome::namedImage(QStringLiteral("tessera")));

    // Photos named on the command line, made absolute before anything runs.
    QStringList photos;
    const QStringList args = QApplication::arguments();
    for (int i = 1; i < args.size(); ++i) {
        if (!args[i].startsWith(QLatin1Char('-')))
            photos.append(QDir::current().absoluteFilePath(args[i]));
    }

    KLController controller;
    controller.window()->show();
    // Launching finishes once the window has its size.
    QTimer::singleShot(0, &controller, [&controller, photos] {
        controller.applicationDidFinishLaunching();
        if (!photos.isEmpty())
            controller.openPhotos(photos);
    });
    return app.exec();
}
