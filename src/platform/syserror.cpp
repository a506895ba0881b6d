#include "platform/syserror.h"

#include "platform/fileio.h"

#include <cerrno>

namespace formidor {

std::string systemErrorText(int err) {
    switch (err) {
    case ENOSPC:
    case EDQUOT:
        return "Auf dem Datenträger ist nicht genug freier Speicherplatz.";
    case EACCES:
    case EPERM:
        return "Der Zugriff wurde verweigert.";
    case EROFS:
        return "Der Datenträger ist schreibgeschützt.";
    case ENOENT:
    case ENOTDIR:
        return "Die Datei oder ihr Ordner existiert nicht.";
    case EISDIR:
        return "An seiner Stelle liegt ein Ordner.";
    case EEXIST:
        return "An seiner Stelle liegt bereits eine Datei.";
    case ENAMETOOLONG:
        return "Der Name ist zu lang.";
    case EIO:
        return "Ein-/Ausgabefehler beim Zugriff auf den Datenträger.";
    default: {
        // Never a bare number: the cause in words, as a sentence of its own.
        std::string text = fileio::reason(err);
        if (!text.empty() && text[0] >= 'a' && text[0] <= 'z') text[0] = char(text[0] - 'a' + 'A');
        return text + ".";
    }
    }
}

} // namespace formidor
