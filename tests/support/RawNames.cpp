#include "RawNames.h"

#ifndef _WIN32

#include <algorithm>

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

QList<QByteArray> RawEntries(const QByteArray &directory)
{
    QList<QByteArray> names;
    DIR *stream = opendir(directory.constData());
    if (!stream)
        return names;
    while (const dirent *entry = readdir(stream)) {
        const QByteArray name(entry->d_name);
        if (name != "." && name != "..")
            names.append(name);
    }
    closedir(stream);
    std::sort(names.begin(), names.end());
    return names;
}

void RemoveRawTree(const QByteArray &directory)
{
    for (const QByteArray &name : RawEntries(directory)) {
        const QByteArray path = directory + '/' + name;
        struct stat info;
        if (lstat(path.constData(), &info) == 0 && S_ISDIR(info.st_mode))
            RemoveRawTree(path);
        else
            unlink(path.constData());
    }
    rmdir(directory.constData());
}

TRawDirectory::TRawDirectory(const QByteArray &parent, const QByteArray &name)
    : path_(parent + '/' + name), valid_(mkdir(path_.constData(), 0755) == 0)
{
}

TRawDirectory::~TRawDirectory()
{
    if (valid_)
        RemoveRawTree(path_);
}

#endif
