// Saves a picture of the window after a forecast on a worked example, with a
// local advertisement page in the panel: the screenshot the README and the
// AppStream metadata show.

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <cstdio>

#include "browser_panel.h"
#include "form1.h"
#include "loopback_server.h"

namespace {

const char* const kAdvertisement = R"(<!doctype html>
<html><head><meta charset="utf-8"><style>
body { margin: 0; font-family: "IPAPGothic", sans-serif; background: #fff8e1; color: #1a237e; }
h1 { margin: 0; padding: 12px 10px; font-size: 17px; background: #1a237e; color: #fff; }
p { margin: 12px 10px; font-size: 13px; line-height: 1.6; }
.badge { display: inline-block; margin: 4px 10px; padding: 6px 10px; border-radius: 4px;
         background: #2faa4a; color: #fff; font-size: 13px; }
</style></head><body>
<h1>ヨツバネ ニュース</h1>
<p>毎日の終値と出来高を入力するだけで、明日の見通しがわかります。</p>
<span class="badge">新バージョン公開中</span>
<p>ご意見・ご感想をお待ちしております。</p>
</body></html>)";

}  // namespace

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fputs("usage: screenshot OUTPUT.png\n", stderr);
        return 2;
    }
    BrowserPanel::PrepareProcess();
    QApplication app(argc, argv);
    LoopbackServer server;
    server.Serve("/koukoku.html", kAdvertisement);
    Form1 window(server.Root());
    window.show();

    const char* entries[][2] = {{"owarine(0)", "90円"}, {"dekidaka(0)", "800"},
                                {"owarine(1)", "100"},  {"dekidaka(1)", "1,000"},
                                {"owarine(2)", "95"},   {"dekidaka(2)", "1200"}};
    for (const auto& [name, text] : entries) {
        window.findChild<QLineEdit*>(QString::fromUtf8(name))->setText(QString::fromUtf8(text));
    }
    window.findChild<QPushButton*>("yosoku")->click();
    // The link shows the address the program is built with, not the local server's.
    window.findChild<QLabel*>("Label3")->setText(QStringLiteral(YOTSUBANE_SITE_URL));

    int status = 1;
    const auto save = [&] {
        status = window.grab().save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
        app.quit();
    };
    // Served means about to be shown; give the page a moment to paint.
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &window, [&] {
        if (server.Requests("/koukoku.html") == 0) return;
        poll.stop();
        QTimer::singleShot(1500, &window, save);
    });
    poll.start(100);
    QTimer::singleShot(30000, &app, [&] { app.exit(1); });
    app.exec();
    return status;
}
