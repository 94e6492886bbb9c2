#pragma once

#include <QChar>
#include <QString>
#include <QStringView>

// The count statement derived from a statement's text, and the readings of
// statement text it rests on: quoted text, parameter markers, the table a
// statement reads. The dictionary's own statements are composed in
// search/SearchSQL.h (ComposeSearchSQL); this side only reads them back.
// Quoted text is '…', "…", `…` or […]; a doubled quote inside '…' simply
// closes and reopens it. All functions are pure and never throw except
// std::bad_alloc.

namespace lexaran::store {

// The first position at or after `from` where `phrase` (lower case) begins
// in `lowered` outside quoted text, or -1. `lowered` is the statement text
// after LowerCaseSimple, which keeps every position of the original.
qsizetype IndexOutsideQuotes(QStringView lowered, QStringView phrase, qsizetype from = 0);

// The text with every parameter marker (a ":" outside quoted text followed
// by a letter, digit or "_", and the name that follows) replaced by "?".
QString ReplaceParameterMarkers(QStringView text);

// The number of parameter markers in the text.
int CountParameterMarkers(QStringView text);

} // namespace lexaran::store

// The name of the table that the statement reads (the word after the first
// unquoted FROM, without its quotes or brackets, a schema joined by "."), or
// empty when there is none. Letter case is kept.
QString TableNameFromSQL(QStringView text);

// "select count(*) from " + quoted table, followed by the statement's text
// from its first " where " outside quotes, cut before the first " order by "
// outside quotes. The "limit 1000" of a search statement comes along but
// limits only the count's one row, so the count is that of every term the
// search matches.
QString ComposeCountSQL(QStringView text, const QString &table, QChar quote);
