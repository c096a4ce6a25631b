#pragma once

#include <QString>

class StartupMessages;
class TableStore;
class UserPrompts;

// Reads the supplier's exports "ExportPrice.csv" and "ExportClass.csv" (names given by the
// caller) from the working folder into Price and Class, adding to the rows they hold, saves
// "Price.lst" and "Class.lst" and deletes "Tree.lst". Progress goes to the splash line.
//
// All or nothing: a line that fails conversion or repeats an ID raises ImportError naming
// file, line, field and text, and the tables and the working files stay exactly as before.
// When an export file is missing the user is told so and false is returned; nothing changes.
// workFolder ends with a path separator.
bool ImportPriceAndClasses(TableStore &store, const QString &workFolder,
                           const QString &priceExportFileName, const QString &classExportFileName,
                           StartupMessages &messages, UserPrompts &prompts);
