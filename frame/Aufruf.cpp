#include "frame/Aufruf.h"

#include "platform/FileSystem.h"
#include "text/Parameter.h"

#include <QDir>
#include <QRegularExpression>
#include <QUrl>

namespace mirbelon {

namespace {

const QString kQuelle = QStringLiteral("Quelle=");

// The host path an argument names, or "" when it names none. "/ordnerdat=x"
// and "/#debug" are switches of the Windows command line, not paths.
QString HostPfad(const QString &argument, const QString &arbeitsordner)
{
    if (argument.startsWith(QLatin1String("file:"), Qt::CaseInsensitive)) {
        const QUrl url(argument);
        return url.isLocalFile() ? url.toLocalFile() : QString();
    }
    static const QRegularExpression schalter(QStringLiteral("^/([^/=]*=|#)"));
    if (argument.startsWith(QLatin1Char('/')))
        return schalter.match(argument).hasMatch() ? QString() : argument;
    if (argument.startsWith(QLatin1String("./")) || argument.startsWith(QLatin1String("../"))
        || argument == QLatin1String(".") || argument == QLatin1String(".."))
        return QDir(arbeitsordner).absoluteFilePath(argument);
    return QString();
}

} // namespace

QString Kommandozeile(const FileSystem &files, const QStringList &argumente,
                      const QString &arbeitsordner)
{
    QStringList teile;
    for (const QString &a : argumente) {
        const bool quelle = a.startsWith(kQuelle, Qt::CaseInsensitive);
        const QString host = HostPfad(quelle ? a.mid(kQuelle.size()) : a, arbeitsordner);
        const QString programm = host.isEmpty() ? QString() : files.programPath(QDir::cleanPath(host));
        teile << (programm.isEmpty() ? a : kQuelle + programm);
    }
    return Kommandozeile(teile);
}

} // namespace mirbelon
