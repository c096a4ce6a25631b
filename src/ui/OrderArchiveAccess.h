#pragma once

#include "ui/TableRowSource.h"

// What the archive window needs of the order archive: the saved orders newest first, the lines
// of the selected one, and the three commands on it.
class OrderArchiveAccess {
public:
    virtual ~OrderArchiveAccess() = default;
    // Reads the saved orders again and selects the newest.
    virtual void reopen() = 0;
    virtual const TableRowSource &headers() const = 0;
    virtual const TableRowSource &lines() const = 0;
    // Shows the lines of the order in row `row` of the headers.
    virtual void selectHeader(int row) = 0;
    // Load: true when the current order was replaced (false when the user declined).
    virtual bool loadSelected() = 0;
    // Delete: asks first; true when the order was deleted.
    virtual bool deleteSelected() = 0;
    virtual void printSelected() = 0;
};
