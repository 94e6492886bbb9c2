#include "TZipArchive.h"

#include "TImportText.h"
#include "TermImport.h"

#include <unzip.h>

namespace lexaran::importer {

namespace {

// minizip's file functions over QFile: the archive is named by a QString
// that arrives as the "file name" pointer.
voidpf OpenFile(voidpf, const void *name, int)
{
    auto file = std::make_unique<QFile>(*static_cast<const QString *>(name));
    if (!file->open(QIODevice::ReadOnly))
        return nullptr;
    return file.release();
}

uLong ReadFile(voidpf, voidpf stream, void *buffer, uLong size)
{
    const qint64 got = static_cast<QFile *>(stream)->read(static_cast<char *>(buffer), qint64(size));
    return got < 0 ? 0 : uLong(got);
}

uLong WriteFile(voidpf, voidpf, const void *, uLong)
{
    return 0;
}

ZPOS64_T TellFile(voidpf, voidpf stream)
{
    return ZPOS64_T(static_cast<QFile *>(stream)->pos());
}

long SeekFile(voidpf, voidpf stream, ZPOS64_T offset, int origin)
{
    auto *file = static_cast<QFile *>(stream);
    qint64 target = qint64(offset);
    if (origin == ZLIB_FILEFUNC_SEEK_CUR)
        target += file->pos();
    else if (origin == ZLIB_FILEFUNC_SEEK_END)
        target += file->size();
    return file->seek(target) ? 0 : -1;
}

int CloseFile(voidpf, voidpf stream)
{
    delete static_cast<QFile *>(stream);
    return 0;
}

int ErrorFile(voidpf, voidpf stream)
{
    return static_cast<QFile *>(stream)->error() == QFileDevice::NoError ? 0 : 1;
}

} // namespace

TZipArchive::TZipArchive(const QString &path) : path_(path)
{
    fileSize_ = QFile(path).size();
    zlib_filefunc64_def functions{};
    functions.zopen64_file = OpenFile;
    functions.zread_file = ReadFile;
    functions.zwrite_file = WriteFile;
    functions.ztell64_file = TellFile;
    functions.zseek64_file = SeekFile;
    functions.zclose_file = CloseFile;
    functions.zerror_file = ErrorFile;
    zip_ = unzOpen2_64(&path_, &functions);
    if (!zip_)
        Damaged(QStringLiteral("архивтің мазмұны оқылмайды"));
}

TZipArchive::~TZipArchive()
{
    Close();
    unzClose(static_cast<unzFile>(zip_));
}

void TZipArchive::Damaged(const QString &what) const
{
    throw TImportError(QStringLiteral("%1: файл бүлінген (%2). Оны кесте бағдарламасында ашып, қайта сақтаңыз да, "
                                      "тағы көріңіз.")
                           .arg(ShownName(path_), what)
                           .toStdString());
}

bool TZipArchive::Has(const QString &name)
{
    Close();
    return unzLocateFile(static_cast<unzFile>(zip_), name.toUtf8().constData(), 1) == UNZ_OK;
}

void TZipArchive::Open(const QString &name)
{
    Close();
    auto *zip = static_cast<unzFile>(zip_);
    if (unzLocateFile(zip, name.toUtf8().constData(), 1) != UNZ_OK)
        Damaged(QStringLiteral("ішінде «%1» жоқ").arg(name));
    unz_file_info64 info{};
    if (unzGetCurrentFileInfo64(zip, &info, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK
        || unzOpenCurrentFile(zip) != UNZ_OK)
        Damaged(QStringLiteral("«%1» ашылмайды").arg(name));
    open_ = true;
    openName_ = name;
    openSize_ = std::int64_t(info.uncompressed_size);
    openRead_ = 0;
}

int TZipArchive::Read(char *buffer, int size)
{
    const int got = unzReadCurrentFile(static_cast<unzFile>(zip_), buffer, unsigned(size));
    if (got < 0)
        Damaged(QStringLiteral("«%1» бүлінген").arg(openName_));
    openRead_ += got;
    // The end of a member is where its check sum is compared.
    if (got == 0) {
        const QString name = openName_;
        open_ = false;
        if (unzCloseCurrentFile(static_cast<unzFile>(zip_)) != UNZ_OK)
            Damaged(QStringLiteral("«%1» бүлінген").arg(name));
    }
    return got;
}

void TZipArchive::Close() noexcept
{
    if (open_)
        unzCloseCurrentFile(static_cast<unzFile>(zip_));
    open_ = false;
}

QByteArray TZipArchive::ReadAll(const QString &name, std::int64_t limit)
{
    Open(name);
    QByteArray bytes;
    char buffer[1 << 16];
    for (;;) {
        const int got = Read(buffer, int(sizeof buffer));
        if (got == 0)
            break;
        bytes.append(buffer, got);
        if (bytes.size() > limit)
            Damaged(QStringLiteral("«%1» тым үлкен").arg(name));
    }
    return bytes;
}

} // namespace lexaran::importer
