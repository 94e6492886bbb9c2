#pragma once

#include <QString>

#include <cstddef>
#include <cstdint>

// The fuzzer's bytes read as UTF-16 code units, so that every text a user
// could type (lone surrogates included) can turn up.
inline QString Utf16Text(const std::uint8_t *data, std::size_t size)
{
    return QString(reinterpret_cast<const QChar *>(data), qsizetype(size / 2));
}

// Stops the run with a finding when an invariant does not hold.
#define FUZZ_ASSERT(condition) \
    do { if (!(condition)) __builtin_trap(); } while (false)
