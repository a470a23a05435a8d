// The window as the program starts it, but with the site root given as the
// first argument, so tests can point it at a server of their own. A line
// "close" on standard input closes the window as its close box would.

#include <QApplication>
#include <QSocketNotifier>
#include <QTextStream>
#include <cstdio>

#include "browser_panel.h"
#include "form1.h"

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fputs("usage: form1_host SITE_ROOT\n", stderr);
        return 2;
    }
    BrowserPanel::PrepareProcess();
    QApplication app(argc, argv);
    Form1 window{QUrl(QString::fromLocal8Bit(argv[1]))};
    window.show();

    QSocketNotifier commands(0, QSocketNotifier::Read);
    QTextStream input(stdin);
    QObject::connect(&commands, &QSocketNotifier::activated, &window, [&] {
        const QString line = input.readLine();
        if (line == u"close" || input.atEnd()) window.close();
    });
    return app.exec();
}
