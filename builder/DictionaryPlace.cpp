#include "DictionaryPlace.h"

#include "ExecutableDirectory.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QTemporaryFile>

#include <stdexcept>

namespace lexaran::builder {

namespace {

[[noreturn]] void Refuse(const QString &message)
{
    throw std::runtime_error(message.toStdString());
}

QString Shown(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

} // namespace

QString LexaranDictionary()
{
    const QFileInfo beside(platform::ExecutableDirectory() + QStringLiteral("termins.db"));
    if (!beside.isSymLink())
        return beside.absoluteFilePath();
    // A link is followed to the end even when its file is missing, so that
    // a first dictionary is made where the program will look.
    const QString target = beside.canonicalFilePath();
    return target.isEmpty() ? QFileInfo(beside.symLinkTarget()).absoluteFilePath() : target;
}

QString LexaranProgram()
{
#ifdef Q_OS_WIN
    return platform::ExecutableDirectory() + QStringLiteral("lexaran.exe");
#else
    return platform::ExecutableDirectory() + QStringLiteral("lexaran");
#endif
}

QString BackupStamp(const QDateTime &when)
{
    return when.toString(QStringLiteral("yyyyMMdd-HHmmss"));
}

QString BackupPath(const QString &dictionary, const QString &stamp)
{
    return dictionary + u'.' + stamp + QStringLiteral(".bak");
}

bool IsBackupStamp(const QString &stamp)
{
    static const QRegularExpression form(QRegularExpression::anchoredPattern(QStringLiteral("[0-9]{8}-[0-9]{6}")));
    return form.match(stamp).hasMatch();
}

bool CanWriteIn(const QString &folder)
{
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral("lexaran-XXXXXX.tmp")));
    return probe.open();
}

QString PutInPlace(const QString &built, const QString &dictionary, const QString &stamp)
{
    QFile source(built);
    if (!source.open(QIODevice::ReadOnly))
        Refuse(QStringLiteral("Жасалған сөздік «%1» оқылмады: %2. Сөздікті қайта жасаңыз")
                   .arg(Shown(built), source.errorString()));

    QString backup;
    if (QFileInfo::exists(dictionary)) {
        backup = BackupPath(dictionary, stamp);
        QFile::remove(backup);
        QFile present(dictionary);
        if (!present.copy(backup))
            Refuse(QStringLiteral("Қазіргі сөздіктің көшірмесі «%1» жасалмады: %2. Сөздік ауыстырылған жоқ")
                       .arg(Shown(backup), present.errorString()));
    }

    QSaveFile target(dictionary);
    // Written under another name beside the dictionary and moved over it at
    // commit; a failure part way leaves the old file where it was.
    target.setDirectWriteFallback(false);
    if (!target.open(QIODevice::WriteOnly))
        Refuse(QStringLiteral("Сөздік «%1» жазылмады: %2. Сөздік ауыстырылған жоқ")
                   .arg(Shown(dictionary), target.errorString()));
    char buffer[1 << 16];
    for (;;) {
        const qint64 got = source.read(buffer, sizeof buffer);
        if (got < 0)
            Refuse(QStringLiteral("Жасалған сөздік «%1» оқылмады: %2. Сөздікті қайта жасаңыз")
                       .arg(Shown(built), source.errorString()));
        if (got == 0)
            break;
        if (target.write(buffer, got) != got)
            break;
    }
    if (!target.commit())
        Refuse(QStringLiteral("Сөздік «%1» жазылмады: %2. Сөздік ауыстырылған жоқ")
                   .arg(Shown(dictionary), target.errorString()));
    return backup;
}

} // namespace lexaran::builder
