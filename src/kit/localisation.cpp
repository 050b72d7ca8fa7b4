#include "localisation.h"

#include "folders.h"
#include "logging.h"

#include <memory>
#include <mutex>

#include <QCoreApplication>
#include <QThread>
#include <QTranslator>

namespace kit {

namespace {

const QString kBaseName = QStringLiteral("tessera");

struct Installed
{
    std::mutex mutex;
    bool done = false;
    std::unique_ptr<QTranslator> english;
    std::unique_ptr<QTranslator> language;
};

Installed& installed()
{
    static Installed state;
    return state;
}

QStringList searchFolders()
{
    return { Folders::resourcePath(QStringLiteral("translations")),
             QStringLiteral(":/tessera/translations") };
}

std::unique_ptr<QTranslator> loadFor(const QLocale& locale)
{
    auto translator = std::make_unique<QTranslator>();
    for (const QString& folder : searchFolders()) {
        if (translator->load(locale, kBaseName, QStringLiteral("_"), folder))
            return translator;
    }
    return nullptr;
}

std::unique_ptr<QTranslator> loadEnglish()
{
    auto translator = std::make_unique<QTranslator>();
    for (const QString& folder : searchFolders()) {
        if (translator->load(kBaseName + QStringLiteral("_en"), folder))
            return translator;
    }
    qCWarning(lcApp).noquote() << "No English translation table found; texts show their keys.";
    return nullptr;
}

void removeAll(QCoreApplication& app, Installed& state)
{
    if (state.language)
        app.removeTranslator(state.language.get());
    if (state.english)
        app.removeTranslator(state.english.get());
    state.language.reset();
    state.english.reset();
    state.done = false;
}

QString installLocked(QCoreApplication& app, Installed& state, const QLocale& locale)
{
    removeAll(app, state);
    state.done = true;
    state.english = loadEnglish();
    if (state.english)
        app.installTranslator(state.english.get());
    auto language = loadFor(locale);
    // The locale search ends at tessera_en for English desktops; that table is
    // installed already.
    if (language && language->language() != QStringLiteral("en")) {
        // Installed last, so it is asked first.
        app.installTranslator(language.get());
        state.language = std::move(language);
        return state.language->language();
    }
    return QStringLiteral("en");
}

} // namespace

QString localized(const char* key)
{
    // Installing sends events to the application object, so only its thread
    // may do it; other threads read whatever is installed.
    QCoreApplication* app = QCoreApplication::instance();
    if (app && QThread::currentThread() == app->thread()) {
        Installed& state = installed();
        std::lock_guard lock(state.mutex);
        if (!state.done)
            installLocked(*app, state, QLocale(QLocale::English));
    }
    return qtTrId(key);
}

QString localized(const QString& key)
{
    const QByteArray utf8 = key.toUtf8();
    return localized(utf8.constData());
}

QString Localisation::install(QCoreApplication& app, const QLocale& locale)
{
    Installed& state = installed();
    std::lock_guard lock(state.mutex);
    return installLocked(app, state, locale);
}

QString Localisation::language()
{
    Installed& state = installed();
    std::lock_guard lock(state.mutex);
    return state.language ? state.language->language() : QStringLiteral("en");
}

void Localisation::uninstall(QCoreApplication& app)
{
    Installed& state = installed();
    std::lock_guard lock(state.mutex);
    removeAll(app, state);
}

} // namespace kit
