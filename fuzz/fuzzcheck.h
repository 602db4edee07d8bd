// What every harness shares: a failed property stops the run with a message, under libFuzzer
// (which then saves the input as a reproducer) and under the replay test alike.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

#define FUZZ_CHECK(condition, message)                                                                  \
    do {                                                                                                \
        if (!(condition)) {                                                                             \
            std::fprintf(stderr, "%s:%d: property failed: %s (%s)\n", __FILE__, __LINE__, #condition,   \
                         QString(message).toLocal8Bit().constData());                                   \
            std::abort();                                                                               \
        }                                                                                               \
    } while (false)

namespace FuzzInput {

// The input as text: UTF-8 where it is valid, else each byte one Latin-1 character, so that
// every input reaches the code under test as some string (lone surrogates come from the
// UTF-16 reading below).
inline QString AsText(const uint8_t *data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    if (size > 0 && data[0] == 0xFF) // a marker byte: the rest read as UTF-16 code units, unchecked
    {
        QString units(qsizetype((size - 1) / 2), Qt::Uninitialized);
        std::memcpy(units.data(), data + 1, size_t(units.size()) * 2);
        return units;
    }
    return QString::fromUtf8(bytes);
}

// Lines as the editor holds them: no line break characters in any of them.
inline QStringList Lines(const QString &text)
{
    QString joined = text;
    joined.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    joined.replace(u'\r', u'\n');
    return joined.split(u'\n');
}

} // namespace FuzzInput
