#pragma once

#include "app/CatalogLoader.h"
#include "common/CatalogSettings.h"

#include <QString>

// " от " and the file's last-write local date and time ("dd.MM.yyyy hh:mm:ss", the time left
// out at exactly midnight); empty when the file does not exist.
QString PriceDateSuffix(const QString &filePath);

// Brings "ExportPrice.csv" and "ExportClass.csv" from PathBase into the working folder.
// Nothing is reported: a file that is not there or cannot be copied leaves the working folder's
// copy as it was, and the import then reports what it misses.
void CopyExportFiles(const CatalogSettings &settings);

// Imports or only loads the catalog, by the working files present and IsImportOnStart.
// False when the working tables could not be loaded and the program must end.
bool InitData(const CatalogSettings &settings, CatalogLoader &loader);

// The main window caption: the title with the date of the price data in use.
QString CatalogCaption(const QString &baseCaption, const CatalogSettings &settings);
