#include "platform/gui/shell.h"

#include <QDesktopServices>

namespace formidor::gui {

namespace {
UrlOpener& opener() {
    static UrlOpener o;
    return o;
}
bool open(const QUrl& url) {
    if (!url.isValid()) return false;
    if (opener()) return opener()(url);
    return QDesktopServices::openUrl(url);
}
} // namespace

bool openMailLink(const QString& address) {
    const QString a = address.trimmed();
    if (a.isEmpty()) return false;
    return open(QUrl(a.startsWith(QStringLiteral("mailto:"), Qt::CaseInsensitive)
                         ? a
                         : QStringLiteral("mailto:") + a));
}

bool openWebLink(const QString& url) {
    const QString u = url.trimmed();
    if (u.isEmpty()) return false;
    return open(QUrl::fromUserInput(u));
}

bool openFile(const QString& path) {
    if (path.isEmpty()) return false;
    return open(QUrl::fromLocalFile(path));
}

UrlOpener setUrlOpener(UrlOpener o) {
    std::swap(o, opener());
    return o;
}

} // namespace formidor::gui
