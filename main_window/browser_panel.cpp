#include "browser_panel.h"

#include <QApplication>
#include <QLoggingCategory>
#include <QPainter>
#include <QTimer>
#include <QVBoxLayout>
#include <QWebEngineNewWindowRequest>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>
#include <cstdio>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

#include "default_browser.h"

namespace {

bool IsWebAddress(const QUrl& address) {
    return address.scheme() == u"http" || address.scheme() == u"https";
}

// The engine refuses to start its sandbox as root and ends the whole process
// instead; without the sandbox no remote page should be rendered at all.
bool SandboxUnavailable() {
#ifdef Q_OS_UNIX
    return geteuid() == 0 && qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX");
#else
    return false;
#endif
}

class PanelPage : public QWebEnginePage {
public:
    PanelPage(QWebEngineProfile* profile, QObject* parent) : QWebEnginePage(profile, parent) {
        connect(this, &QWebEnginePage::newWindowRequested, this, &PanelPage::OpenElsewhere);
    }

protected:
    // The panel is a window onto the publisher's web site, never onto files
    // or other local schemes.
    bool acceptNavigationRequest(const QUrl& url, NavigationType, bool isMainFrame) override {
        return !isMainFrame || IsWebAddress(url);
    }

private:
    // Pop-ups a page opens by itself are dropped; a link the user clicked
    // opens in the default browser, as any other link to the outside would.
    static void OpenElsewhere(QWebEngineNewWindowRequest& request) {
        if (request.isUserInitiated() && IsWebAddress(request.requestedUrl())) {
            OpenInDefaultBrowser(request.requestedUrl());
        }
    }
};

}  // namespace

BrowserPanel::BrowserPanel(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setLayout(new QVBoxLayout);
    layout()->setContentsMargins(0, 0, 0, 0);
}

BrowserPanel::~BrowserPanel() {
    // A page must go before its profile.
    delete view_;
    delete profile_;
}

void BrowserPanel::PrepareProcess() {
    qputenv("MESA_SHADER_CACHE_DISABLE", "true");
    QApplication::setAttribute(Qt::AA_DisableShaderDiskCache);
    // The engine reports its graphics set-up at every start; QT_LOGGING_RULES
    // can still bring it back.
    QLoggingCategory::setFilterRules(QStringLiteral("qt.webenginecontext.info=false"));
}

void BrowserPanel::Navigate(const QUrl& address) {
    address_ = address;
    if (view_ != nullptr) view_->load(address_);
}

void BrowserPanel::paintEvent(QPaintEvent*) {
    QPainter(this).fillRect(rect(), Qt::white);
    // Creating the engine blocks for a noticeable moment; doing it from the
    // event loop after this paint lets the window appear first.
    if (!engine_scheduled_) {
        engine_scheduled_ = true;
        QTimer::singleShot(0, this, &BrowserPanel::StartEngine);
    }
}

void BrowserPanel::StartEngine() {
    if (SandboxUnavailable()) {
        std::fputs("yotsubane: running as root, the web engine cannot use its sandbox, so the "
                   "advertisement panel stays empty; set QTWEBENGINE_DISABLE_SANDBOX=1 to show it "
                   "without the sandbox\n",
                   stderr);
        return;
    }
    // A profile without a storage name is off the record: nothing reaches the disk.
    profile_ = new QWebEngineProfile;
    view_ = new QWebEngineView;
    view_->setPage(new PanelPage(profile_, view_));
    view_->setContextMenuPolicy(Qt::NoContextMenu);
    layout()->addWidget(view_);
    setFocusProxy(view_);
    if (!address_.isEmpty()) view_->load(address_);
}
