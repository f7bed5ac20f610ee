#pragma once

#include <QByteArray>
#include <QList>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <memory>

namespace mirbelon::test {

// A D-Bus daemon of the test's own and, once offered, a service on it that
// answers as UDisks2 does for its drives, each with one file system; it
// records the calls it gets.
class UDisksAttrappe
{
public:
    struct Laufwerk
    {
        QString einhaengung = {}; // host folder the file system is mounted at
        bool removable = true;
        bool canPowerOff = true;
        QString aushaengenFehler = {}; // D-Bus error name Unmount answers with; empty: it works
    };

    UDisksAttrappe();
    ~UDisksAttrappe();
    UDisksAttrappe(const UDisksAttrappe &) = delete;
    UDisksAttrappe &operator=(const UDisksAttrappe &) = delete;

    bool busLaeuft() const { return !m_adresse.isEmpty(); }
    QString adresse() const { return m_adresse; }
    // Puts the service on the bus; without, the bus has no UDisks2.
    bool anbieten();

    QList<Laufwerk> laufwerke;
    // "Unmount <object> <signature>", "PowerOff <object> <signature>", in order.
    QStringList rufe;

    class Objekt;

private:
    QProcess m_daemon;
    QString m_adresse;
    std::unique_ptr<Objekt> m_objekt;
};

} // namespace mirbelon::test
