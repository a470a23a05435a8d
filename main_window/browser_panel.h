#pragma once

// The embedded browser panel. It shows one web page, writes nothing to disk
// (no cache, cookies, storage or history), hands the addresses of new-window
// requests to the user's default browser, and never holds back the window:
// the web engine starts only after the panel's first paint.

#include <QUrl>
#include <QWidget>

class QWebEngineProfile;
class QWebEngineView;

class BrowserPanel : public QWidget {
    Q_OBJECT

public:
    explicit BrowserPanel(QWidget* parent = nullptr);
    ~BrowserPanel() override;

    // Shows the page at `address`; nothing waits for it, and a page that fails
    // shows whatever the engine shows for it.
    void Navigate(const QUrl& address);

    // Call before the QApplication exists: turns off the shader caches that
    // the graphics stack would otherwise write under the user's home, and the
    // engine's start-up chatter on standard error.
    static void PrepareProcess();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void StartEngine();

    QUrl address_;
    bool engine_scheduled_ = false;
    QWebEngineProfile* profile_ = nullptr;
    QWebEngineView* view_ = nullptr;
};
