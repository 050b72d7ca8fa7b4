#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>

// Every test process gets a QApplication (views, fonts and pixmaps need one)
// on the offscreen platform, and private preferences, data and documents folders so
// that tests never touch the person's own.
int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", (home.path() + "/config").toUtf8());
    qputenv("XDG_DATA_HOME", (home.path() + "/data").toUtf8());
    qputenv("TESSERA_DOCUMENTS", (home.path() + "/Documents/Tessera").toUtf8());
    QApplication app(argc, argv);
    QApplication::setOrganizationName("TesseraTests");
    QApplication::setApplicationName("tessera-tests");
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
