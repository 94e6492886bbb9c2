#pragma once

#include "TSearchRequest.h"

#include <QString>
#include <QStringList>

// The three statement texts that the window sends to the term database.

// "select id, rus, kaz, cat from termin_items limit 1000"
QString StartupSQL();

// "select * from termin_items"
QString ShowAllSQL();

// The three lines of the search statement for a request. The search text is
// upper-cased by the simple Unicode mapping (the category text is not), and
// every single quote inside either quoted value is doubled so that it is
// compared as a quote; % and _ keep their meaning as pattern characters.
// Pure; never throws except std::bad_alloc.
//
// The store derives each statement's count from this text by reading it
// back (ComposeCountSQL in store/CountSQL.h: the table after FROM, the
// condition from " where " up to " order by "), so a change to the shape of
// these lines must keep what that reading finds.
QStringList ComposeSearchSQL(const TSearchRequest &request);
