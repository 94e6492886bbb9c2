// lexaran-import: makes a term file for the dictionary from a term list
// (XLSX, ODS, CSV/TSV, TBX).
//
//   lexaran-import INPUT --out FILE [--sheet NAME] [--columns R,K[,C]]
//
// Exit codes: 0 written, 1 refused (nothing written), 2 usage.

#include "ImportCommand.h"

#include <QCoreApplication>

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    return lexaran::tools::RunImportCommand(QCoreApplication::arguments().mid(1));
}
