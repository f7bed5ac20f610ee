#include "text/Ersetzen.h"

namespace mirbelon {

QString KleinBuchstaben(const QString &text)
{
    QString klein(text.size(), Qt::Uninitialized);
    const QChar *quelle = text.constData();
    QChar *ziel = klein.data();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = quelle[i].unicode();
        if (u < 128)
            ziel[i] = QChar(u >= u'A' && u <= u'Z' ? char16_t(u + 32) : u);
        else
            ziel[i] = quelle[i].toLower();
    }
    return klein;
}

QString Ersetzen(const QString &text, const QString &suche, const QString &ersatz)
{
    if (text.isEmpty())
        return text;
    const QString klein = KleinBuchstaben(text);
    const QString gesucht = KleinBuchstaben(suche);

    // The search goes on behind the inserted text, which is the untouched rest
    // of the input; so the input is searched once and the result built as we go.
    QString ergebnis;
    qsizetype weiter = 0;
    qsizetype durchlauf = 1;
    bool ersetzt = false;
    while (durchlauf <= text.size()) {
        const qsizetype treffer = klein.indexOf(gesucht, weiter);
        if (treffer < 0)
            break;
        ergebnis += QStringView(text).mid(weiter, treffer - weiter);
        ergebnis += ersatz;
        weiter = treffer + gesucht.size();
        ersetzt = true;
        ++durchlauf;
    }
    if (!ersetzt)
        return text;
    ergebnis += QStringView(text).mid(weiter);
    return ergebnis;
}

} // namespace mirbelon
