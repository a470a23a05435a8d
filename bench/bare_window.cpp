// The least a window like ヨツバネ's can cost: the same kinds and number of
// widgets on a fixed-size window, without the browser panel or the engine.

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "first_paint.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    window.setFixedSize(489, 298);
    window.setWindowTitle("bare window");
    for (int i = 0; i < 7; ++i) (new QLabel("ラベル", &window))->setGeometry(18, 20 + 30 * i, 60, 20);
    for (int i = 0; i < 6; ++i) {
        auto* entry = new QLineEdit(&window);
        entry->setGeometry(80 + 100 * (i % 2), 100 + 28 * (i / 2), 96, 22);
        entry->setAlignment(Qt::AlignCenter);
    }
    (new QPushButton("予測", &window))->setGeometry(176, 204, 106, 22);
    new FirstPaintReporter(&window);
    window.show();
    return app.exec();
}
