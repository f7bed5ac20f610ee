#include "fuzz/FuzzHilfe.h"

#include "archive/NummernSync.h"

#include <cstring>

namespace {

struct Wort
{
    QString wert;
    bool nurZitiert = true; // no character of it stands outside quotes
};

// Splits a line as /bin/sh would for quoting alone: blanks separate words,
// '...' quotes, \' is a quote. Anything else that the shell would treat
// specially outside quotes ($ ` " ; | < > ( ) ~ * ? and other backslashes)
// makes the line fail.
std::optional<QList<Wort>> Zerlegen(const QString &zeile)
{
    QList<Wort> worte;
    std::optional<Wort> aktuell;
    bool zitat = false;
    for (qsizetype i = 0; i < zeile.size(); ++i) {
        const QChar c = zeile.at(i);
        if (zitat) {
            if (c == QLatin1Char('\''))
                zitat = false;
            else
                aktuell->wert += c;
            continue;
        }
        if (c == QLatin1Char(' ')) {
            if (aktuell)
                worte.append(*aktuell);
            aktuell.reset();
            continue;
        }
        if (!aktuell)
            aktuell = Wort{};
        if (c == QLatin1Char('\'')) {
            zitat = true;
        } else if (c == QLatin1Char('\\')) {
            if (i + 1 >= zeile.size() || zeile.at(i + 1) != QLatin1Char('\''))
                return std::nullopt;
            aktuell->wert += zeile.at(++i);
        } else if (QStringLiteral("$`\";|<>()~*?[]{}#!\t\n\r").contains(c)) {
            return std::nullopt;
        } else {
            aktuell->wert += c;
            aktuell->nurZitiert = false;
        }
    }
    if (zitat)
        return std::nullopt;
    if (aktuell)
        worte.append(*aktuell);
    return worte;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace mirbelon;
    const QStringList texte = fuzz::Texte(data, size, 3);
    qint32 nummer = 1;
    const QByteArray roh = texte[2].toUtf8();
    if (roh.size() >= qsizetype(sizeof nummer))
        std::memcpy(&nummer, roh.constData(), sizeof nummer);

    const QByteArray dirFotos = "/e/Fotos";
    const QByteArray relativ = "/" + texte[0].toUtf8();
    const QByteArray dirFotosNr = "/e/FotosNr" + texte[1].toUtf8();
    // Latin-1 keeps every byte of a name as one character for the split.
    const QString zeile = QString::fromLatin1(NummernSyncZeile(relativ, dirFotos, dirFotosNr, nummer));
    if (zeile.isEmpty()) {
        FUZZ_PRUEFEN(NummernSyncAusgelassen(relativ));
        return 0;
    }

    const std::optional<QList<Wort>> worte = Zerlegen(zeile);
    FUZZ_PRUEFEN(worte.has_value());
    FUZZ_PRUEFEN(worte->size() == 8);
    const char *fest[] = {"mkdir", "-p", nullptr, "&&", "cp", "-p", nullptr, nullptr};
    for (int i = 0; i < 8; ++i) {
        const Wort &w = worte->at(i);
        if (fest[i] != nullptr)
            FUZZ_PRUEFEN(w.wert == QLatin1String(fest[i]) && !w.nurZitiert);
        else
            FUZZ_PRUEFEN(w.nurZitiert);
    }
    FUZZ_PRUEFEN(worte->at(6).wert == QString::fromLatin1(dirFotos + relativ));
    return 0;
}
