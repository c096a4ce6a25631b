#include <QApplication>
#include <QMainWindow>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("ТД \"Ferrow\" Электронный каталог"));
    window.resize(1024, 760);
    window.show();
    return QApplication::exec();
}
