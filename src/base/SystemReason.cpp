#include "base/SystemReason.h"

#include <cerrno>
#include <cstring>

namespace tarvek {

std::string systemReason(int errorNumber)
{
    switch (errorNumber) {
    case ENOENT:
        return "Datei oder Ordner nicht gefunden";
    case EACCES:
    case EPERM:
        return "Keine Berechtigung";
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
        return "Kein Speicherplatz mehr auf dem Datenträger";
    case EISDIR:
        return "Ist ein Ordner";
    case EFBIG:
        return "Datei zu groß";
    case EROFS:
        return "Schreibgeschütztes Dateisystem";
    case EIO:
        return "Ein-/Ausgabefehler";
    case ECONNREFUSED:
        return "Verbindung abgelehnt";
    case ETIMEDOUT:
        return "Zeitüberschreitung";
    default:
        return std::strerror(errorNumber);
    }
}

} // namespace tarvek
