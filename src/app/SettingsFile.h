#pragma once

#include "common/CatalogSettings.h"

#include <QString>

// The supplier's web server: the URL a missing key gives, and the bare host (with its port)
// that a first run writes. Built from the FERROW_DEFAULT_HOST build setting.
QString DefaultHostUrl();
QString DefaultHostName();

// "ProxyType" of the settings file: the position in the settings dialog's proxy list,
// 0 (none) to 7 ("Socket5").
int ProxyTypeOf(const CatalogSettings &settings);
// Sets ProxyKind and UseSocks from a list position; false (nothing changed) outside 0-7.
bool ApplyProxyType(CatalogSettings &settings, int proxyType);

// Reads folder + fileName into the record. Never fails on reading: a missing key, or an integer
// key that is not a number, gives the key's default. A missing file sets FirstRun, gives every
// default and is written at once; that write throws IniFileError when it fails, the record
// keeping the defaults. programFolder (with trailing separator) roots PathBase and PathPicture.
void ReadSettings(CatalogSettings &settings, const QString &folder, const QString &fileName,
                  const QString &programFolder);

// Writes every key into folder + fileName, creating the file (owner-only) if needed.
// Throws IniFileError when the file cannot be written; the record is left as it is.
void WriteSettings(const CatalogSettings &settings, const QString &folder, const QString &fileName);
