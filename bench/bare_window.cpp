// The start-up and memory anchor: the least a Qt Widgets program of the
// installer's window size does to put a window on the screen.

#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.resize(333, 455);
    window.show();
    return QApplication::exec();
}
