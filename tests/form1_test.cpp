#include <QDesktopServices>
#include <QElapsedTimer>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QWebEngineView>
#include <memory>

#include "form1.h"
#include "loopback_server.h"

// Stands in for the desktop's default browser.
class UrlRecorder : public QObject {
    Q_OBJECT

public:
    QList<QUrl> opened;

public slots:
    void open(const QUrl& url) { opened.append(url); }
};

class Form1Test : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void layoutAsDrawn_data();
    void layoutAsDrawn();
    void frameIsFixedWithCloseBoxOnly();
    void tabVisitsTheBoxesInKeyboardOrderThenTheButton();
    void enterAndEscapeChangeNothing();
    void boxesKeepLongTextsWhole();
    void forecastRewritesTheBoxesAndShowsTheVerdict_data();
    void forecastRewritesTheBoxesAndShowsTheVerdict();
    void eachClickOnTheLinkOpensTheHomePage();
    void advertisementIsRequestedOnceWhenTheWindowOpens();
    void userClickedNewWindowLinkOpensInTheDefaultBrowser();
    void panelStaysOnWebPages();
    void failedPageLeavesTheWindowWorking();
    void closingWhileThePageIsLoadingIsPrompt();

private:
    template <typename T>
    T* Control(const char* name) const {
        T* control = window_->findChild<T*>(QString::fromUtf8(name));
        if (control == nullptr) qFatal("no control named %s", name);
        return control;
    }
    void OpenWindow();
    void WaitForFirstPage(QWebEngineView*& view, bool loads);

    std::unique_ptr<LoopbackServer> server_;
    std::unique_ptr<Form1> window_;
    UrlRecorder recorder_;
};

// Types like a user: plain keys for ASCII, an input method's commit for the
// Japanese and full-width characters it would compose.
void Type(QWidget* widget, const QString& text) {
    for (const QChar c : text) {
        if (c.unicode() < 0x80) {
            QTest::keyClick(widget, c.toLatin1());
        } else {
            QInputMethodEvent commit;
            commit.setCommitString(c);
            QApplication::sendEvent(widget, &commit);
        }
    }
}

void Form1Test::init() {
    server_ = std::make_unique<LoopbackServer>();
    server_->Serve("/koukoku.html", "<p>広告</p>");
    recorder_.opened.clear();
    QDesktopServices::setUrlHandler("http", &recorder_, "open");
    QDesktopServices::setUrlHandler("https", &recorder_, "open");
}

void Form1Test::cleanup() {
    window_.reset();
    server_.reset();
    QDesktopServices::unsetUrlHandler("http");
    QDesktopServices::unsetUrlHandler("https");
}

void Form1Test::OpenWindow() {
    window_ = std::make_unique<Form1>(server_->Root());
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
}

// The panel's view, once its first page has finished loading or failed to.
void Form1Test::WaitForFirstPage(QWebEngineView*& view, bool loads) {
    QTRY_VERIFY_WITH_TIMEOUT((view = window_->findChild<QWebEngineView*>()) != nullptr, 10000);
    QSignalSpy finished(view, &QWebEngineView::loadFinished);
    QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 30000);
    QCOMPARE(finished.first().first().toBool(), loads);
}

void Form1Test::layoutAsDrawn_data() {
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QRect>("twips");  // left, top, width, height as drawn

    QTest::newRow("Label2") << "終値" << QRect(1170, 1260, 1065, 225);
    QTest::newRow("Label5") << "出来高" << QRect(2955, 1260, 750, 225);
    QTest::newRow("Label1(0)") << "今日" << QRect(270, 1665, 750, 330);
    QTest::newRow("Label1(1)") << "昨日" << QRect(270, 2085, 750, 330);
    QTest::newRow("Label1(2)") << "一昨日" << QRect(270, 2505, 750, 330);
    QTest::newRow("owarine(0)") << "" << QRect(1065, 1575, 1485, 330);
    QTest::newRow("owarine(1)") << "" << QRect(1065, 1995, 1485, 330);
    QTest::newRow("owarine(2)") << "" << QRect(1065, 2415, 1485, 330);
    QTest::newRow("dekidaka(0)") << "" << QRect(2640, 1575, 1590, 330);
    QTest::newRow("dekidaka(1)") << "" << QRect(2640, 1995, 1590, 330);
    QTest::newRow("dekidaka(2)") << "" << QRect(2640, 2415, 1590, 330);
    QTest::newRow("yosoku") << "予測" << QRect(2640, 3060, 1590, 330);
    QTest::newRow("Label3") << "<root>" << QRect(135, 3825, 4650, 375);
    QTest::newRow("Web") << "" << QRect(4545, 180, 2625, 4065);
}

void Form1Test::layoutAsDrawn() {
    QFETCH(QString, caption);
    QFETCH(QRect, twips);
    OpenWindow();
    const QWidget* control = Control<QWidget>(QTest::currentDataTag());
    QCOMPARE(control->geometry(),
             QRect(twips.x() / 15, twips.y() / 15, twips.width() / 15, twips.height() / 15));
    if (caption == "<root>") caption = server_->Root().toString();
    if (const auto* label = qobject_cast<const QLabel*>(control)) QCOMPARE(label->text(), caption);
    if (const auto* entry = qobject_cast<const QLineEdit*>(control)) QCOMPARE(entry->text(), caption);
    if (const auto* button = qobject_cast<const QPushButton*>(control)) QCOMPARE(button->text(), caption);
}

void Form1Test::frameIsFixedWithCloseBoxOnly() {
    OpenWindow();
    QCOMPARE(window_->windowTitle(), "株価予想ソフト　ヨツバネ　Ver0.11");
    QCOMPARE(window_->size(), QSize(489, 298));
    QCOMPARE(window_->minimumSize(), window_->maximumSize());
    const Qt::WindowFlags flags = window_->windowFlags();
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    QVERIFY(!(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    QCOMPARE(window_->palette().color(QPalette::Window), QColor(0, 0, 64));
    const auto* prompt = Control<QLabel>("予想");
    QCOMPARE(prompt->text(), "終値と出来高を入力し、予測ボタンを押してください");
    QCOMPARE(prompt->pos(), QPoint(495 / 15, 540 / 15));
    // The prompt must stay clear of the advertisement panel.
    QVERIFY(prompt->geometry().right() < Control<QWidget>("Web")->geometry().left());
}

void Form1Test::tabVisitsTheBoxesInKeyboardOrderThenTheButton() {
    OpenWindow();
    QCOMPARE(QApplication::focusWidget(), Control<QWidget>("owarine(0)"));
    for (const char* next : {"dekidaka(0)", "owarine(1)", "dekidaka(1)", "owarine(2)",
                             "dekidaka(2)", "yosoku"}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), QString::fromUtf8(next));
    }
}

void Form1Test::enterAndEscapeChangeNothing() {
    OpenWindow();
    auto* today = Control<QLineEdit>("owarine(0)");
    Type(today, "120円");
    QTest::keyClick(today, Qt::Key_Return);
    QTest::keyClick(today, Qt::Key_Enter);
    QTest::keyClick(today, Qt::Key_Escape);
    QCOMPARE(today->text(), "120円");
    QCOMPARE(Control<QLabel>("予想")->text(), "終値と出来高を入力し、予測ボタンを押してください");
    QVERIFY(window_->isVisible());
}

// A pasted text longer than QLineEdit's default limit was cut short, and a
// number in it read as another.
void Form1Test::boxesKeepLongTextsWhole() {
    OpenWindow();
    auto* today = Control<QLineEdit>("owarine(0)");
    const QString digits(40000, '9');
    today->setText(digits);
    QCOMPARE(today->text().size(), digits.size());
    QTest::mouseClick(Control<QPushButton>("yosoku"), Qt::LeftButton);
    QCOMPARE(today->text(), digits);  // too large for a double: left as typed
    QCOMPARE(Control<QLabel>("予想")->text(), "数値が大きすぎるため予想できません");
}

void Form1Test::forecastRewritesTheBoxesAndShowsTheVerdict_data() {
    // Entries in keyboard order: today's close and volume, yesterday's, the day before's.
    QTest::addColumn<QStringList>("typed");
    QTest::addColumn<QStringList>("rewritten");
    QTest::addColumn<QString>("verdict");

    QTest::newRow("all empty") << QStringList{"", "", "", "", "", ""}
                               << QStringList{"0", "0", "0", "0", "0", "0"}
                               << "明日は大きな変化はないでしょう";
    QTest::newRow("120 3000 110 2000 100 1000")
        << QStringList{"120", "3000", "110", "2000", "100", "1000"}
        << QStringList{"120", "3000", "110", "2000", "100", "1000"} << "明日は下げる確率が高いでしょう";
    QTest::newRow("100 3000 100 2000 100 1000")
        << QStringList{"100", "3000", "100", "2000", "100", "1000"}
        << QStringList{"100", "3000", "100", "2000", "100", "1000"} << "明日は下げる可能性があります";
    QTest::newRow("105 900 100 1000 110 1100")
        << QStringList{"105", "900", "100", "1000", "110", "1100"}
        << QStringList{"105", "900", "100", "1000", "110", "1100"} << "明日は上げる可能性があります";
    QTest::newRow("90円 800 ' 100' 1,000 ９５ 1200株")
        << QStringList{"90円", "800", " 100", "1,000", "９５", "1200株"}
        << QStringList{"90", "800", "100", "1000", "95", "1200"} << "明日は上がる確率が高いでしょう";
    QTest::newRow("1e400 in yesterday's volume")
        << QStringList{"120円", "3000", "110", "1e400", "100", "1000"}
        << QStringList{"120", "3000", "110", "1e400", "100", "1000"}
        << "数値が大きすぎるため予想できません";
}

void Form1Test::forecastRewritesTheBoxesAndShowsTheVerdict() {
    QFETCH(QStringList, typed);
    QFETCH(QStringList, rewritten);
    QFETCH(QString, verdict);
    OpenWindow();
    const char* boxes[] = {"owarine(0)", "dekidaka(0)", "owarine(1)",
                           "dekidaka(1)", "owarine(2)", "dekidaka(2)"};
    for (int i = 0; i < 6; ++i) Type(Control<QLineEdit>(boxes[i]), typed[i]);
    auto* button = Control<QPushButton>("yosoku");
    auto* result = Control<QLabel>("予想");

    // Pressing twice shows that a second run keeps what the first wrote.
    for (int press = 0; press < 2; ++press) {
        QTest::mouseClick(button, Qt::LeftButton);
        for (int i = 0; i < 6; ++i) QCOMPARE(Control<QLineEdit>(boxes[i])->text(), rewritten[i]);
        QCOMPARE(result->text(), verdict);
        QCOMPARE(result->size(), result->sizeHint());
        QCOMPARE(result->pos(), QPoint(495 / 15, 540 / 15));
    }
}

void Form1Test::eachClickOnTheLinkOpensTheHomePage() {
    OpenWindow();
    auto* link = Control<QLabel>("Label3");
    QCOMPARE(link->toolTip(), "ホームページを開きます");
    QCOMPARE(link->cursor().hotSpot(), QPoint(6, 0));
    for (int click = 0; click < 3; ++click) QTest::mouseClick(link, Qt::LeftButton);
    QCOMPARE(recorder_.opened, QList<QUrl>(3, server_->Root()));
}

void Form1Test::advertisementIsRequestedOnceWhenTheWindowOpens() {
    OpenWindow();
    QTRY_COMPARE_WITH_TIMEOUT(server_->Requests("/koukoku.html"), 1, 30000);
    QTest::qWait(1000);
    QCOMPARE(server_->Requests("/koukoku.html"), 1);
    QVERIFY(recorder_.opened.isEmpty());
}

void Form1Test::userClickedNewWindowLinkOpensInTheDefaultBrowser() {
    server_->Serve("/koukoku.html",
                   "<html><body style='margin:0'>"
                   "<a href='/elsewhere.html' target='_blank' "
                   "style='display:block;width:100vw;height:100vh'>広告</a>"
                   "<script>window.open('/popup.html')</script></body></html>");
    OpenWindow();
    QWebEngineView* view = nullptr;
    WaitForFirstPage(view, true);
    if (QTest::currentTestFailed()) return;
    QTest::qWait(300);
    QVERIFY(recorder_.opened.isEmpty());  // the script's own pop-up is dropped

    QWidget* surface = view->focusProxy();
    QVERIFY(surface != nullptr);
    QTest::mouseClick(surface, Qt::LeftButton, {}, surface->rect().center());
    QTRY_COMPARE_WITH_TIMEOUT(recorder_.opened.size(), 1, 10000);
    QCOMPARE(recorder_.opened.first(), server_->Root().resolved(QUrl("elsewhere.html")));
    QCOMPARE(view->url(), server_->Root().resolved(QUrl("koukoku.html")));
    QCOMPARE(server_->Requests("/elsewhere.html"), 0);
    QCOMPARE(server_->Requests("/popup.html"), 0);
}

// A link could otherwise have the desktop open any address it names, such as
// a file: or smb: address, through whatever program claims it.
void Form1Test::panelStaysOnWebPages() {
    QDesktopServices::setUrlHandler("mailto", &recorder_, "open");
    server_->Serve("/koukoku.html",
                   "<html><body style='margin:0'><a href='mailto:a@b.example' "
                   "style='display:block;width:100vw;height:100vh'>広告</a></body></html>");
    OpenWindow();
    QWebEngineView* view = nullptr;
    WaitForFirstPage(view, true);
    if (QTest::currentTestFailed()) return;
    QWidget* surface = view->focusProxy();
    QTest::mouseClick(surface, Qt::LeftButton, {}, surface->rect().center());
    QTest::qWait(1000);
    QDesktopServices::unsetUrlHandler("mailto");
    QCOMPARE(recorder_.opened, QList<QUrl>());
    QCOMPARE(view->url(), server_->Root().resolved(QUrl("koukoku.html")));
}

void Form1Test::failedPageLeavesTheWindowWorking() {
    // No server behind the address: the port is closed again before the window opens.
    const QUrl root = server_->Root();
    server_.reset();
    window_ = std::make_unique<Form1>(root);
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    QWebEngineView* view = nullptr;
    WaitForFirstPage(view, false);
    if (QTest::currentTestFailed()) return;

    QTest::mouseClick(Control<QPushButton>("yosoku"), Qt::LeftButton);
    QCOMPARE(Control<QLineEdit>("owarine(0)")->text(), "0");
    QCOMPARE(Control<QLabel>("予想")->text(), "明日は大きな変化はないでしょう");
    QTest::mouseClick(Control<QLabel>("Label3"), Qt::LeftButton);
    QCOMPARE(recorder_.opened, QList<QUrl>{root});
}

void Form1Test::closingWhileThePageIsLoadingIsPrompt() {
    server_->Hold("/koukoku.html");
    OpenWindow();
    QTRY_COMPARE_WITH_TIMEOUT(server_->Requests("/koukoku.html"), 1, 30000);
    QElapsedTimer elapsed;
    elapsed.start();
    QVERIFY(window_->close());
    window_.reset();
    QVERIFY2(elapsed.elapsed() < 2000, qPrintable(QString::number(elapsed.elapsed())));
}

QTEST_MAIN(Form1Test)
#include "form1_test.moc"
