#pragma once

#include "browse/BrowsingState.h"
#include "browse/PriceView.h"

#include <QObject>

class Database;
struct GroupNodeData;

// The main window's browsing: one call per user action; each updates the browsing state and
// the price view, which emits rowsChanged() when its list of rows was recomputed.
class Browsing : public QObject {
    Q_OBJECT

public:
    explicit Browsing(Database &db, QObject *parent = nullptr);

    void treeFocusChanging(std::optional<TreeNodeIds> oldNode, std::optional<TreeNodeIds> newNode);
    // The same with the tree's node data (either may be null).
    void treeFocusChanging(const GroupNodeData *oldNode, const GroupNodeData *newNode);
    void searchTextChanged(const QString &text);
    void keepTreeFilterToggled(bool checked);
    void onlyNewToggled(bool checked);
    bool titleClicked(const QString &fieldName);
    bool gridKeyPress(QChar ch, bool isPriceEditing);
    void activate();
    void resetAfterReload();

    const BrowsingState &state() const { return m_state; }
    PriceView &view() { return m_view; }
    const PriceView &view() const { return m_view; }

signals:
    void rowsChanged();

private:
    void sync();

    BrowsingState m_state;
    PriceView m_view;
};
