#pragma once

// User-facing texts by key ("WARNING_TITLE", "DEFAULT_TEXT", ...), through
// Qt's id-based translations (qtTrId). The tables are
// resources/translations/tessera_<language>.ts, compiled to .qm at build time
// and embedded in the program; a tessera_<language>.qm in the resource
// folder's translations/ takes precedence (translators, packagers).
//
// English is always installed underneath the person's language, so a key that
// the language's table lacks reads in English; only a key that no table
// knows reads as the key itself. Texts that take a value (the menu item
// titles) hold one "%1" for QString::arg.

#include <QLocale>
#include <QString>

class QCoreApplication;

namespace kit {

// The text of `key` in the installed language. Installs English first when
// Localisation::install() has not run, so texts never depend on start-up order.
QString localized(const char* key);
QString localized(const QString& key);
inline QString tr(const char* key)
{
    return localized(key);
}

class Localisation
{
public:
    // Installs English and, above it, the table of `locale`'s first UI
    // language that has one (zh_CN for a Simplified Chinese desktop), replacing
    // tables installed before. Returns the language whose texts are shown:
    // "en" or, e.g., "zh_CN".
    static QString install(QCoreApplication& app, const QLocale& locale = QLocale::system());
    // Removes the tables that install() put in.
    static void uninstall(QCoreApplication& app);
    // The language whose texts are shown, as install() answered it; "en"
    // before any install and after uninstall().
    static QString language();
};

} // namespace kit
