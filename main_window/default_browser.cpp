#include "default_browser.h"

#include <QDesktopServices>

void OpenInDefaultBrowser(const QUrl& address) {
    QDesktopServices::openUrl(address);
}
