#pragma once

#include "TermImport.h"

#include <QString>
#include <QStringList>

namespace lexaran::builder {

// The three sides of a term, in the order the dictionary's grid shows them.
enum class TTermSide { Rus, Kaz, Cat };

// The caption of a side as the grid titles it: "Орысша", "Қазақша", "Саласы".
QString SideCaption(TTermSide side);

// The column that `map` takes `side` from.
int ColumnOf(const importer::TColumnMap &map, TTermSide side);

// `map` with `side` taken from `column`. A column feeds one side only: when
// another side had `column`, it takes the column `side` had before, so the
// three stay distinct.
importer::TColumnMap WithColumn(importer::TColumnMap map, TTermSide side, int column);

// What the column list offers for column `column` (0-based) of a source
// whose header row reads `header` (empty without one): "2-баған: Русский",
// or "2-баған" when the column has no title.
QString ColumnCaption(const QStringList &header, int column);

// The user-facing names of what Inspect found.
QString KindCaption(importer::TSourceKind kind);
QString EncodingCaption(importer::TTextEncoding encoding);
QString SeparatorCaption(QChar separator);

} // namespace lexaran::builder
