#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Vybitor5 - 1.00"));
    window.resize(970, 544);
    window.show();
    return app.exec();
}
