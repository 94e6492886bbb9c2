// mktermdb: writes a termins.db for the dictionary.

//
//   mktermdb --tsv terms.tsv --out termins.db [--utf16]
//   mktermdb --synthetic N [--seed S] --out termins.db [--utf16]

#include "TermFile.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

using namespace lexaran::tools;

namespace {

int Usage()
{
    std::fputs("usage: mktermdb (--tsv FILE | --synthetic N [--seed S]) --out DB [--utf16]\n", stderr);
    return 2;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    const QStringList args = QCoreApplication::arguments().mid(1);

    QString tsv, out;
    long long synthetic = -1;
    unsigned long long seed = 20261209;
    TTextEncoding encoding = TTextEncoding::Utf8;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &arg = args[i];
        const bool hasValue = i + 1 < args.size();
        bool ok = true;
        if (arg == QLatin1String("--tsv") && hasValue)
            tsv = args[++i];
        else if (arg == QLatin1String("--out") && hasValue)
            out = args[++i];
        else if (arg == QLatin1String("--synthetic") && hasValue)
            synthetic = args[++i].toLongLong(&ok);
        else if (arg == QLatin1String("--seed") && hasValue)
            seed = args[++i].toULongLong(&ok);
        else if (arg == QLatin1String("--utf16"))
            encoding = TTextEncoding::Utf16;
        else
            return Usage();
        if (!ok)
            return Usage();
    }
    if (out.isEmpty() || tsv.isEmpty() == (synthetic < 0) || synthetic > 100'000'000)
        return Usage();

    try {
        const std::vector<TTermEntry> entries =
            tsv.isEmpty() ? SyntheticTerms(int(synthetic), seed) : ReadTermsTsv(tsv);
        WriteTermDatabase(out, entries, encoding);
    } catch (const std::exception &error) {
        std::fprintf(stderr, "mktermdb: %s\n", error.what());
        return 1;
    }
    return 0;
}
