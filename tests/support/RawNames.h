#pragma once

#include <QByteArray>
#include <QList>

// Directories whose names are bytes that need not be UTF-8, which QDir and
// QTemporaryDir cannot list or remove. Unix only: Windows names are UTF-16
// and never such bytes, so tests of those names do not apply there.

#ifndef _WIN32

// The names in `directory` (without "." and ".."), sorted.
QList<QByteArray> RawEntries(const QByteArray &directory);

// Removes `directory` and everything below it; quietly does what it can.
void RemoveRawTree(const QByteArray &directory);

// A fresh directory named `name` (any bytes) inside `parent`, removed with
// everything in it when the guard goes.
class TRawDirectory
{
public:
    TRawDirectory(const QByteArray &parent, const QByteArray &name);
    ~TRawDirectory();
    TRawDirectory(const TRawDirectory &) = delete;
    TRawDirectory &operator=(const TRawDirectory &) = delete;

    bool IsValid() const { return valid_; }
    const QByteArray &Path() const { return path_; }

private:
    QByteArray path_;
    bool valid_;
};

#endif
