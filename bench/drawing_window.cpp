// A second start-up anchor, for telling the installer's own cost from what
// any Qt window pays to draw what it draws: a window of the installer's size
// that draws a picture file, read as the framework reads one (its format
// decided from its contents), and a word in the default font.
//
//   drawing_window PICTURE WORD

#include <QApplication>
#include <QImageReader>
#include <QPainter>
#include <QWidget>

namespace {

class DrawingWindow : public QWidget {
public:
    DrawingWindow(QImage picture, QString word) : picture_(std::move(picture)), word_(std::move(word)) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.drawImage(QPoint(0, 0), picture_);
        painter.drawText(rect(), Qt::AlignCenter, word_);
    }

private:
    QImage picture_;
    QString word_;
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 3)
        return 2;
    QImageReader reader(QString::fromLocal8Bit(argv[1]));
    reader.setDecideFormatFromContent(true);
    DrawingWindow window(reader.read(), QString::fromUtf8(argv[2]));
    window.resize(333, 455);
    window.show();
    return QApplication::exec();
}
