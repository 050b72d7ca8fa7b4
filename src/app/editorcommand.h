#pragma once

// The arguments of `tessera` itself (the editor): photo files to start
// with, --help and --version. `tessera render ...` is rendercommand.h.

#include <variant>

#include <QString>
#include <QStringList>

struct EditorStart
{
    // Absolute paths of the photos to open, in order.
    QStringList photos;
};

// What to do with the arguments (argv[0] first): start the editor, or exit
// at once with a status after writing `output` (help or version, status 0)
// or `error` (bad arguments, status 2, with the usage).
struct EditorExit
{
    int status = 0;
    QString output;
    QString error;
};

std::variant<EditorStart, EditorExit> parseEditorArguments(const QStringList& args);
