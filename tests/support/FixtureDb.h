#pragma once

#include <QString>

// Test fixtures: database files made from SQL inside each test.

// Creates (or extends) the database at `path` by running `sql`, which may
// hold several statements. Fails the calling test through QFAIL-like abort
// (std::runtime_error) when the engine refuses it.
void MakeDatabase(const QString &path, const QString &sql);

// The standard table with `count` rows: rus "рус<i>", kaz "қаз<i>",
// cat "Медицина" for even i and "Химия" for odd i, and their capitals.
QString TermTableSql(int count);

// The file's bytes, for checking that nothing was written; empty when it
// cannot be read.
QByteArray FileBytes(const QString &path);

// Replaces the file's content by `bytes`; false when that fails.
bool WriteFileBytes(const QString &path, const QByteArray &bytes);

// Whether this process still holds the file open: on Windows, whether the
// file can be opened without sharing it; elsewhere, whether any of the
// process's descriptors refers to it.
bool HeldOpenHere(const QString &path);
