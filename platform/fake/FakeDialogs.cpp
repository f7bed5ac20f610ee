#include "platform/fake/FakeDialogs.h"

#include <cstdio>
#include <cstdlib>

namespace mirbelon {

namespace {
// A dialog loop that never gets an answer would hang the test run.
constexpr int kMaxUnbeantwortet = 1000;

void pruefeGrenze(int unbeantwortet)
{
    if (unbeantwortet > kMaxUnbeantwortet) {
        std::fprintf(stderr, "FakeDialogs: too many unanswered dialogs\n");
        std::abort();
    }
}
} // namespace

Answer FakeDialogs::message(const QString &text, const QString &title, Icon icon, Buttons buttons,
                            Answer defaultButton)
{
    gezeigt.append({QStringLiteral("message"), text, title, icon, buttons, defaultButton, {}});
    if (beimZeigen)
        beimZeigen();
    if (m_antworten.isEmpty()) {
        pruefeGrenze(++unbeantwortet);
        return defaultButton;
    }
    return m_antworten.dequeue();
}

std::optional<QString> FakeDialogs::input(const QString &prompt, const QString &title,
                                          const QString &preset)
{
    gezeigt.append({QStringLiteral("input"), prompt, title, Icon::None, Buttons::OkCancel,
                    Answer::Ok, preset});
    if (beimZeigen)
        beimZeigen();
    if (m_eingaben.isEmpty()) {
        pruefeGrenze(++unbeantwortet);
        return std::nullopt;
    }
    return m_eingaben.dequeue();
}

std::optional<QString> FakeDialogs::openFile(const QString &title, const QString &filterName,
                                             const QString &filter, const QString &startFolder)
{
    gezeigt.append({QStringLiteral("file"), filterName + QLatin1Char('|') + filter, title,
                    Icon::None, Buttons::OkCancel, Answer::Ok, startFolder});
    if (beimZeigen)
        beimZeigen();
    if (m_dateien.isEmpty()) {
        pruefeGrenze(++unbeantwortet);
        return std::nullopt;
    }
    return m_dateien.dequeue();
}

} // namespace mirbelon
