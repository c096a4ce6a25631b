#pragma once

// The catalog data steps that start-up runs, implemented by the data layer.
class CatalogLoader {
public:
    virtual ~CatalogLoader() = default;
    // Imports the two export files of the working folder into the working tables.
    virtual void importPriceAndClasses() = 0;
    // Loads the working files into memory. False when they are missing: the user has been told
    // and the program must end.
    virtual bool loadWorkingTables() = 0;
    // Fills the group tree table.
    virtual void buildGroupTree() = 0;
};

// Until the data layer is wired in, the program starts with an empty catalog.
class EmptyCatalogLoader : public CatalogLoader {
public:
    void importPriceAndClasses() override {}
    bool loadWorkingTables() override { return true; }
    void buildGroupTree() override {}
};
