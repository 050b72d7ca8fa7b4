// What the fuzz targets that draw share: an application object on the
// offscreen platform, quiet logging, and the one leak that is not theirs.

#include <memory>

#include <QGuiApplication>
#include <QLoggingCategory>

// Fontconfig keeps pattern caches for the families that font matching looks
// up; they live until the process ends and are not the reader's.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QLoggingCategory::setFilterRules(QStringLiteral("tessera.*=false\nqt.*=false"));
    // Never destroyed: Qt's own globals are gone by the time static
    // destructors would run at exit.
    static int appArgc = *argc;
    static QGuiApplication* app = std::make_unique<QGuiApplication>(appArgc, *argv).release();
    (void)app;
    return 0;
}
