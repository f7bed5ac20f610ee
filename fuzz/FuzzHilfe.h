#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstddef>
#include <cstdint>

// The entry point that libFuzzer and the corpus replay both call.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

namespace mirbelon::fuzz {

// The input cut at NUL bytes into at most `anzahl` raw fields (the last one
// keeps the rest); missing fields are empty.
QList<QByteArray> Felder(const uint8_t *data, size_t size, int anzahl);

// The same fields decoded as UTF-8.
QStringList Texte(const uint8_t *data, size_t size, int anzahl);

// A broken invariant: says which and aborts, so the fuzzer and the replay
// both stop with the input at hand.
[[noreturn]] void Verletzt(const char *bedingung, const char *datei, int zeile);

} // namespace mirbelon::fuzz

#define FUZZ_PRUEFEN(bedingung)                                                                    \
    ((bedingung) ? void(0) : ::mirbelon::fuzz::Verletzt(#bedingung, __FILE__, __LINE__))
