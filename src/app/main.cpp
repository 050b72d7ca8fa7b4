#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("Tessera");
    QApplication::setOrganizationName("Tessera");
    QMainWindow window;
    window.setWindowTitle("Tessera");
    window.resize(1100, 760);
    window.show();
    return app.exec();
}
