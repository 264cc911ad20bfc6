#include <QApplication>
#include <QMainWindow>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kasmo"));
    QMainWindow w;
    w.setWindowTitle(QStringLiteral("Kasmo"));
    w.resize(1024, 700);
    w.show();
    return app.exec();
}
