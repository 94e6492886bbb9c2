#pragma once

#include <QString>
#include <QStringList>

#include <functional>

namespace lexaran::store {

// An ordered list of text lines that tells its owner about every change.
class TStrings
{
public:
    void Clear() { lines_.clear(); Changed(); }
    void Add(const QString &line) { lines_.append(line); Changed(); }

    // Every line followed by CR LF, the last one included.
    QString Text() const { return Joined(lines_); }
    static QString Joined(const QStringList &lines)
    {
        QString text;
        for (const QString &line : lines)
            text += line + QLatin1String("\r\n");
        return text;
    }

    std::function<void()> OnChange;

private:
    void Changed() { if (OnChange) OnChange(); }

    QStringList lines_;
};

} // namespace lexaran::store
