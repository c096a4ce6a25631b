#pragma once

// The state of a running quantity entry, owned by the main window.
struct OrderEntryState {
    bool IsPriceEditing = false; // a quantity is being typed into the price grid
    bool IsZakazEditing = false; // a line is being edited in the order grid
    bool IsKolUpdate = false;    // the product already has a line: the entry changes it
    int CurrentPriceId = 0;      // the product whose quantity is being entered
};
