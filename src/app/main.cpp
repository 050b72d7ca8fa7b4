#include "app/editorcommand.h"
#include "app/klcontroller.h"
#include "app/klmainwindow.h"
#include "app/rendercommand.h"
#include "app/version.h"
#include "chrome/namedimage.h"
#include "document/collagedocument.h"
#include "kit/localisation.h"
#include "kit/pixelbuffer.h"

#include <cstdio>

#include <QApplication>
#include <QTimer>

int main(int argc, char** argv)
{
    kit::tuneAllocatorForPictures();
    // `tessera render ...` draws a collage without a window or display.
    if (argc > 1 && qstrcmp(argv[1], "render") == 0)
        return renderCommandMain(argc, argv);

    // Help, version and bad arguments need no window, nor a display.
    QStringList args;
    for (int i = 0; i < argc; ++i)
        args.append(QString::fromLocal8Bit(argv[i]));
    const auto parsed = parseEditorArguments(args);
    if (const EditorExit* exit = std::get_if<EditorExit>(&parsed)) {
        fputs(qPrintable(exit->output), stdout);
        fputs(qPrintable(exit->error), stderr);
        return exit->status;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tessera"));
    QApplication::setOrganizationName(QStringLiteral("Tessera"));
    QApplication::setApplicationVersion(QString::fromLatin1(kTesseraVersion));
    kit::Localisation::install(app);
    QApplication::setApplicationDisplayName(kit::localized("CFBundleDisplayName"));
    QApplication::setWindowIcon(chrome::namedImage(QStringLiteral("tessera")));

    // The first collage document named is opened; the other files are photos.
    QStringList photos;
    QString document;
    const QString documentSuffix = QLatin1Char('.') + QLatin1String(kDocumentExtension);
    for (const QString& path : std::get<EditorStart>(parsed).photos) {
        if (!path.endsWith(documentSuffix, Qt::CaseInsensitive))
            photos.append(path);
        else if (document.isEmpty())
            document = path;
    }

    KLController controller;
    controller.window()->show();
    // Launching finishes once the window has its size.
    QTimer::singleShot(0, &controller, [&controller, photos, document] {
        controller.applicationDidFinishLaunching();
        if (!document.isEmpty())
            controller.documents().openFile(document);
        if (!photos.isEmpty())
            controller.openPhotos(photos);
    });
    return app.exec();
}
