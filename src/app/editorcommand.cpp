#include "editorcommand.h"

#include "version.h"

#include <QCommandLineParser>
#include <QDir>

std::variant<EditorStart, EditorExit> parseEditorArguments(const QStringList& args)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Tessera, a photo-collage editor.\n"
                       "`tessera render --help` tells how to draw a collage without a window."));
    parser.addPositionalArgument(QStringLiteral("photos"),
                                 QStringLiteral("photos to put in the collage"),
                                 QStringLiteral("[PHOTO...]"));
    const QCommandLineOption help({ QStringLiteral("h"), QStringLiteral("help") },
                                  QStringLiteral("show this help"));
    const QCommandLineOption version({ QStringLiteral("v"), QStringLiteral("version") },
                                     QStringLiteral("show the version"));
    parser.addOption(help);
    parser.addOption(version);
    const QString usage = [&] {
        QString text = parser.helpText();
        // The usage line names the program as it was started; say "tessera".
        const qsizetype end = text.indexOf(QLatin1Char('\n'));
        return QStringLiteral("Usage: tessera [options] [PHOTO...]") + text.mid(end);
    }();

    if (!parser.parse(args))
        return EditorExit { 2,
                            {},
                            QStringLiteral("tessera: %1\n\n%2").arg(parser.errorText(), usage) };
    if (parser.isSet(help))
        return EditorExit { 0, usage, {} };
    if (parser.isSet(version))
        return EditorExit { 0,
                            QStringLiteral("tessera %1\n").arg(QLatin1String(kTesseraVersion)),
                            {} };
    EditorStart start;
    for (const QString& photo : parser.positionalArguments())
        start.photos.append(QDir::current().absoluteFilePath(photo));
    return start;
}
