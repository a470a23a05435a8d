#pragma once

#include <QUrl>

// Hands `address` to the user's default web browser; whether the desktop
// manages to open it is not reported.
void OpenInDefaultBrowser(const QUrl& address);
