// The window program as a whole process: what it leaves on disk and behind
// it when it ends, and how it starts as root.

#include <unistd.h>

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QUuid>
#include <memory>

#include "loopback_server.h"

class Form1ProcessTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void writesNothingUnderAnEmptyHome();
    void closingWhileThePageIsLoadingEndsEveryProcess();
    void asRootWithoutTheSandboxVariableTheWindowStaysUp();

private:
    void Start(QProcessEnvironment environment);
    void CloseAndWait();
    QStringList ProcessesWithMarker() const;

    std::unique_ptr<LoopbackServer> server_;
    std::unique_ptr<QTemporaryDir> home_;
    std::unique_ptr<QProcess> host_;
    QString marker_;
};

void Form1ProcessTest::init() {
    server_ = std::make_unique<LoopbackServer>();
    home_ = std::make_unique<QTemporaryDir>();
    QVERIFY(home_->isValid());
    marker_ = QUuid::createUuid().toString(QUuid::WithoutBraces);
}

void Form1ProcessTest::cleanup() {
    if (host_ && host_->state() != QProcess::NotRunning) {
        host_->kill();
        host_->waitForFinished();
    }
    host_.reset();
    server_.reset();
}

// Each test's processes carry a marker in their environment, which web-engine
// helper processes inherit, so any left behind can be found.
void Form1ProcessTest::Start(QProcessEnvironment environment) {
    environment.insert("HOME", home_->path());
    for (const char* name : {"XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_DATA_HOME", "XDG_STATE_HOME"}) {
        environment.remove(name);
    }
    environment.insert("YOTSUBANE_TEST_MARKER", marker_);
    host_ = std::make_unique<QProcess>();
    host_->setProcessEnvironment(environment);
    host_->setProgram(QStringLiteral(FORM1_HOST_PATH));
    host_->setArguments({server_->Root().toString()});
    host_->start();
    QVERIFY(host_->waitForStarted());
}

void Form1ProcessTest::CloseAndWait() {
    QElapsedTimer elapsed;
    elapsed.start();
    host_->write("close\n");
    QVERIFY(host_->waitForFinished(5000));
    QVERIFY2(elapsed.elapsed() < 3000, qPrintable(QString::number(elapsed.elapsed())));
    QCOMPARE(host_->exitStatus(), QProcess::NormalExit);
    QCOMPARE(host_->exitCode(), 0);
}

QStringList Form1ProcessTest::ProcessesWithMarker() const {
    const QByteArray wanted = "YOTSUBANE_TEST_MARKER=" + marker_.toLatin1();
    QStringList found;
    for (const QString& pid : QDir("/proc").entryList({"[0-9]*"}, QDir::Dirs)) {
        QFile environment("/proc/" + pid + "/environ");
        if (environment.open(QIODevice::ReadOnly) && environment.readAll().split('\0').contains(wanted)) {
            found.append(pid);
        }
    }
    return found;
}

void Form1ProcessTest::writesNothingUnderAnEmptyHome() {
    // The image is asked for only once the page has been parsed and laid out.
    server_->Serve("/koukoku.html",
                   "<html><body><p>広告</p><img src='/loaded.png'>"
                   "<script>localStorage.setItem('k', 'v'); document.cookie = 'c=1';</script>"
                   "</body></html>");
    Start(QProcessEnvironment::systemEnvironment());
    QTRY_COMPARE_WITH_TIMEOUT(server_->Requests("/loaded.png"), 1, 30000);
    QTest::qWait(1000);
    CloseAndWait();

    QStringList written;
    QDirIterator it(home_->path(), QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) written.append(it.next());
    QCOMPARE(written, QStringList());
}

void Form1ProcessTest::closingWhileThePageIsLoadingEndsEveryProcess() {
    server_->Hold("/koukoku.html");
    Start(QProcessEnvironment::systemEnvironment());
    QTRY_COMPARE_WITH_TIMEOUT(server_->Requests("/koukoku.html"), 1, 30000);
    QVERIFY(ProcessesWithMarker().size() > 1);  // the engine's helpers are running
    CloseAndWait();
    QTRY_COMPARE_WITH_TIMEOUT(ProcessesWithMarker(), QStringList(), 2000);
}

void Form1ProcessTest::asRootWithoutTheSandboxVariableTheWindowStaysUp() {
    if (geteuid() != 0) QSKIP("only root runs without the engine's sandbox");
    server_->Serve("/koukoku.html", "<p>広告</p>");
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("QTWEBENGINE_DISABLE_SANDBOX");
    Start(environment);
    QByteArray errors;
    QTRY_VERIFY_WITH_TIMEOUT((errors += host_->readAllStandardError()).contains("QTWEBENGINE_DISABLE_SANDBOX"),
                             10000);
    QTest::qWait(2000);
    errors += host_->readAllStandardError();
    QCOMPARE(errors.count("yotsubane:"), 1);
    QCOMPARE(host_->state(), QProcess::Running);
    QCOMPARE(server_->Requests("/koukoku.html"), 0);
    CloseAndWait();
}

QTEST_GUILESS_MAIN(Form1ProcessTest)
#include "form1_process_test.moc"
