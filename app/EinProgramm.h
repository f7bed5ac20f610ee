#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

class QLocalServer;

namespace mirbelon {

// One running program per user and data folder. A second start hands its
// command line to the running program through a local socket and ends; a
// socket left behind by a crash is replaced.
class EinProgramm : public QObject
{
    Q_OBJECT

public:
    // The socket for a start with these arguments: per user, and per program
    // folder and "/ordnerdat=", since another data folder is another program.
    static QString socketName(const QStringList &argumente);

    explicit EinProgramm(QString name, QObject *parent = nullptr);
    ~EinProgramm() override;

    // False when a running program took the arguments (the caller then ends);
    // true when this one is the running program from now on.
    bool anmelden(const QStringList &argumente, const QString &arbeitsordner);

signals:
    void erhalten(const QString &arbeitsordner, const QStringList &argumente);

private:
    bool weiterreichen(const QStringList &argumente, const QString &arbeitsordner);
    void annehmen();

    QString m_name;
    std::unique_ptr<QLocalServer> m_server;
};

} // namespace mirbelon
