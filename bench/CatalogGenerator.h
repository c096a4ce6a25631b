#pragma once

#include <QByteArray>
#include <QString>

// Supplier exports of a realistic shape for benchmarks: Cyrillic names, CP1251, CR LF,
// a header line, groups with subgroups, a few products without subgroup. The same seed
// gives the same bytes.
struct CatalogGeneratorOptions {
    int products = 100000;
    int groups = 300;
    int subgroups = 2000;
    unsigned seed = 20261211;
};

struct GeneratedCatalog {
    QByteArray price;   // "ExportPrice.csv"
    QByteArray classes; // "ExportClass.csv"
};

GeneratedCatalog generateCatalog(const CatalogGeneratorOptions &options = {});
// Writes "ExportPrice.csv" and "ExportClass.csv" into the folder (with a trailing separator).
void writeCatalog(const QString &folder, const CatalogGeneratorOptions &options = {});
