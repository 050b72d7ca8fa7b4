#pragma once

// Logging categories of the application. The diagnostic lines that the
// behaviour quotes ("Load border file '%1' failed!", ...) must come out
// verbatim: write them with kit::log() or with
//     qCInfo(kit::lcBorder).noquote() << text;
// (noquote keeps QDebug from quoting strings). Categories can be switched
// off with QT_LOGGING_RULES, e.g. "tessera.media=false".

#include <QLoggingCategory>
#include <QString>

namespace kit {

Q_DECLARE_LOGGING_CATEGORY(lcTemplate) // tessera.template
Q_DECLARE_LOGGING_CATEGORY(lcBorder) // tessera.border
Q_DECLARE_LOGGING_CATEGORY(lcLibrary) // tessera.library
Q_DECLARE_LOGGING_CATEGORY(lcText) // tessera.text
Q_DECLARE_LOGGING_CATEGORY(lcApp) // tessera.app
Q_DECLARE_LOGGING_CATEGORY(lcImage) // tessera.image
Q_DECLARE_LOGGING_CATEGORY(lcFree) // tessera.free
Q_DECLARE_LOGGING_CATEGORY(lcSerial) // tessera.serial
Q_DECLARE_LOGGING_CATEGORY(lcMedia) // tessera.media

// Writes `message` unchanged as one info line of `category`.
void log(const QLoggingCategory& category, const QString& message);

// Sends every enabled log line to stderr as the bare message followed by a
// newline: no category, level or quoting. Used by the command-line renderer,
// whose output scripts read. Fatal messages still abort.
void installPlainMessageHandler();

} // namespace kit
