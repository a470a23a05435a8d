#include <QApplication>

#include "browser_panel.h"
#include "form1.h"

int main(int argc, char* argv[]) {
    BrowserPanel::PrepareProcess();
    QApplication app(argc, argv);
    QApplication::setApplicationName("yotsubane");
    QApplication::setApplicationVersion(YOTSUBANE_VERSION);
    QApplication::setDesktopFileName(YOTSUBANE_APP_ID);
    Form1 window(QUrl(QStringLiteral(YOTSUBANE_SITE_URL)));
    window.show();
    return app.exec();
}
