#pragma once

#include <QString>

// The application title: main window caption, plain message boxes.
inline QString AppTitle()
{
    return QStringLiteral("ТД \"Ferrow\" Электронный каталог");
}
