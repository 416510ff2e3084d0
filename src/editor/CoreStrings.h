#pragma once
// Conversions at the boundary between the windows and the core: game-file text is
// Windows-1252, paths reach the core in the system's native form.
#include "common/Ansi.h"

#include <QDir>
#include <QString>
#include <string>

namespace CoreStrings {

inline std::string toAnsi(const QString &text)
{
    return Ansi::fromUtf8(text.toStdString());
}

inline QString fromAnsi(const std::string &text)
{
    return QString::fromStdString(Ansi::toUtf8(text));
}

inline std::string toNative(const QString &path)
{
    return QDir::toNativeSeparators(path).toStdString();
}

} // namespace CoreStrings
