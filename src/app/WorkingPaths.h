#pragma once

#include "common/CatalogSettings.h"

#include <QProcessEnvironment>
#include <QString>

// The per-user working folder, with trailing separator: under USERPROFILE where it is set
// (as on Windows), otherwise under $XDG_DATA_HOME (default ~/.local/share).
QString WorkingFolderFor(const QProcessEnvironment &env);

// The folder of a program file, with trailing separator.
QString ProgramFolderOf(const QString &programPath);

// Creates the missing folders (failures are not reported: the later steps report what they
// miss), fills the path and file name fields, then reads the settings file.
// Throws IniFileError when a first run cannot write the settings file.
void InitWorkingPaths(CatalogSettings &settings, const QProcessEnvironment &env,
                      const QString &programFolder);
