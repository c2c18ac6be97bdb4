#pragma once

#include <string>
#include <string_view>

#include <QString>

// Text between the program (UTF-8 std::string) and Qt (QString). Header only.

inline QString paraQString(std::string_view texto)
{
    return QString::fromUtf8(texto.data(), static_cast<qsizetype>(texto.size()));
}

// A text for a label or a box: the suite's CR LF line breaks become Qt's LF.
inline QString paraTela(std::string_view texto)
{
    return paraQString(texto).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

inline std::string deQString(const QString &texto)
{
    return texto.toStdString();
}
