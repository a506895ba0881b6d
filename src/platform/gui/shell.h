#pragma once
// Opening things with the desktop's default action: a mail link, a web link, a file.
#include <QString>
#include <QUrl>
#include <functional>

namespace formidor::gui {

// Each returns false when the desktop could not open the target.
bool openMailLink(const QString& address); // "mailto:" + address unless already a link
bool openWebLink(const QString& url);      // "http://" is put in front of a bare host name
bool openFile(const QString& path);

// Tests replace the desktop by a recorder; returns the handler in place before (empty: the
// desktop's).
using UrlOpener = std::function<bool(const QUrl&)>;
UrlOpener setUrlOpener(UrlOpener opener);

} // namespace formidor::gui
