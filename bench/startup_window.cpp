// The window program as it starts, with the site root as its argument and a
// report of its first paint.

#include <QApplication>

#include "browser_panel.h"
#include "first_paint.h"
#include "form1.h"

int main(int argc, char* argv[]) {
    BrowserPanel::PrepareProcess();
    QApplication app(argc, argv);
    Form1 window{QUrl(QString::fromLocal8Bit(argv[argc - 1]))};
    new FirstPaintReporter(&window);
    window.show();
    return app.exec();
}
