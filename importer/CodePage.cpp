#include "CodePage.h"

#include "TermImport.h"

#include <QStringDecoder>

#ifdef _WIN32
#include <windows.h>
#else
#include <iconv.h>
#endif

#include <cerrno>

namespace lexaran::importer {

namespace {

[[noreturn]] void NoConverter()
{
    throw TImportError(QStringLiteral("Windows-1251 кодтауын оқитын түрлендіргіш бұл жүйеде жоқ. "
                                      "Кестені «CSV UTF-8» түрінде сақтап, қайта көріңіз.")
                           .toStdString());
}

} // namespace

#ifdef _WIN32

QString DecodeWindows1251(QByteArrayView bytes)
{
    if (bytes.isEmpty())
        return QString();
    const int size = int(bytes.size());
    QString text(size, Qt::Uninitialized);
    const int written = MultiByteToWideChar(1251, 0, bytes.data(), size, reinterpret_cast<wchar_t *>(text.data()), size);
    if (written <= 0)
        NoConverter();
    text.resize(written);
    return text;
}

#else

namespace {

// One converter for the process's life, opened on first use.
class TIconv
{
public:
    TIconv() : handle_(iconv_open("UTF-16LE", "WINDOWS-1251")) {}
    TIconv(const TIconv &) = delete;
    TIconv &operator=(const TIconv &) = delete;
    ~TIconv()
    {
        if (Valid())
            iconv_close(handle_);
    }
    bool Valid() const noexcept { return handle_ != iconv_t(-1); }
    iconv_t Get() const noexcept { return handle_; }

private:
    iconv_t handle_;
};

} // namespace

QString DecodeWindows1251(QByteArrayView bytes)
{
    if (bytes.isEmpty())
        return QString();
    // Qt's own decoder when its build has the code page (through ICU).
    thread_local QStringDecoder qtDecoder("windows-1251", QStringDecoder::Flag::Stateless);
    if (qtDecoder.isValid())
        return qtDecoder.decode(bytes);

    thread_local TIconv converter;
    if (!converter.Valid())
        NoConverter();
    QString text(bytes.size(), Qt::Uninitialized);
    char *in = const_cast<char *>(bytes.data());
    std::size_t inLeft = std::size_t(bytes.size());
    char *out = reinterpret_cast<char *>(text.data());
    std::size_t outLeft = std::size_t(text.size()) * 2;
    while (inLeft > 0) {
        if (iconv(converter.Get(), &in, &inLeft, &out, &outLeft) == std::size_t(-1)) {
            if (errno != EILSEQ || outLeft < 2)
                NoConverter();
            // 0x98 has no letter in the code page: the replacement character.
            ++in;
            --inLeft;
            *reinterpret_cast<char16_t *>(out) = u'\uFFFD';
            out += 2;
            outLeft -= 2;
        }
    }
    text.resize(text.size() - qsizetype(outLeft / 2));
    return text;
}

#endif

} // namespace lexaran::importer
