#pragma once

#include <QString>

// How the search text must match the compared column. The ordinals are the
// positions of the entries in the match-kind radio group.
enum TMatchKind : int { mkContains = 0, mkStartsWith = 1, mkEquals = 2 };

// Which language column is compared. The ordinals are the positions of the
// entries in the search-field radio group.
enum TSearchField : int { sfBoth = 0, sfRussian = 1, sfKazakh = 2 };

// What one press of the Search button asks for, read from the window's
// controls at that moment.
struct TSearchRequest
{
    QString Text;                       // exactly as typed: not trimmed, may be empty
    TMatchKind MatchKind = mkContains;
    TSearchField Field = sfBoth;
    int CategoryIndex = 0;              // 0: all categories; 1..59: one subject
    QString CategoryText;               // used only when CategoryIndex > 0
};
