#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <cstdint>
#include <memory>

namespace lexaran::importer {

// A zip archive (XLSX, ODS) read through minizip, the file opened by Qt so
// that any file name works on every system. Every failure is a
// TImportError that names the file and says it is damaged.
class TZipArchive
{
public:
    explicit TZipArchive(const QString &path);
    TZipArchive(const TZipArchive &) = delete;
    TZipArchive &operator=(const TZipArchive &) = delete;
    ~TZipArchive();

    bool Has(const QString &name);
    // A small member whole (at most `limit` bytes).
    QByteArray ReadAll(const QString &name, std::int64_t limit = 64 << 20);

    // Reading one member in pieces: Open, Read until it gives 0, Close.
    void Open(const QString &name);
    // Up to `size` bytes of the open member into `buffer`; 0 at its end.
    int Read(char *buffer, int size);
    void Close() noexcept;
    std::int64_t OpenSize() const noexcept { return openSize_; }
    std::int64_t OpenRead() const noexcept { return openRead_; }
    std::int64_t FileSize() const noexcept { return fileSize_; }

    [[noreturn]] void Damaged(const QString &what) const;

private:
    QString path_;
    void *zip_ = nullptr;
    bool open_ = false;
    QString openName_;
    std::int64_t openSize_ = 0;
    std::int64_t openRead_ = 0;
    std::int64_t fileSize_ = 0;
};

} // namespace lexaran::importer
