#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

// Term lists made by the tests themselves, in the forms spreadsheets and
// terminology tools write them.

// A zip archive holding the members, stored deflated as office programs do.
QByteArray ZipBytes(const QList<QPair<QString, QByteArray>> &members);

// An Excel workbook with one sheet per name; `rows` are the first sheet's
// rows, each cell "s:text" (shared string), "i:text" (inline string) or
// "n:number"; the other sheets hold one row "n:1".
QByteArray XlsxBytes(const QList<QStringList> &rows, const QStringList &sheets = {QStringLiteral("Парақ1")});

// A LibreOffice spreadsheet with the same cell notation ("s:" and "i:" are
// both text), a blank tail of repeated rows and cells as LibreOffice writes.
QByteArray OdsBytes(const QList<QStringList> &rows, const QStringList &sheets = {QStringLiteral("Парақ1")});

// Text in UTF-16 with its byte-order mark.
QByteArray Utf16Bytes(const QString &text, bool bigEndian);

// Text in Windows-1251, every letter the code page lacks written as '?'
// (as Excel's plain CSV does).
QByteArray Windows1251Bytes(const QString &text);

// The rows of termin_items in id order, "id|rus|kaz|cat|rus_upper|kaz_upper".
QStringList TermRows(const QString &database);

// The declared type of a column of termin_items.
QString DeclaredType(const QString &database, const QString &column);
