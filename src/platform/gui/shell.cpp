#include "platform/gui/shell.h"

namespace formidor::gui {

bool openMailLink(const QString&) {
    return false;
}
bool openWebLink(const QString&) {
    return false;
}
bool openFile(const QString&) {
    return false;
}
UrlOpener setUrlOpener(UrlOpener opener) {
    return opener;
}

} // namespace formidor::gui
