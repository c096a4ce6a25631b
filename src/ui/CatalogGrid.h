#pragma once

#include <QTableView>
#include <functional>

class TitleHeaderView;

// A catalog grid: a table view whose first columns stay in place while the others scroll,
// with the titles of TitleHeaderView. Keys reach the window's handler before the view.
class CatalogGrid : public QTableView {
    Q_OBJECT
public:
    explicit CatalogGrid(QWidget *parent = nullptr);

    void setModel(QAbstractItemModel *model) override;
    void setFrozenColumns(int count);
    int frozenColumns() const { return m_frozenCount; }
    TitleHeaderView *titles() const { return m_titles; }
    QTableView *frozenView() const { return m_frozen; }
    void setTwoLevelTitles(bool on);
    void applyColumnWidths(const std::vector<int> &widths);
    // Widens (never narrows) every column to its title and to the rows on screen, up to
    // maxWidth for the contents: the designed widths assume a narrower font than most systems.
    void fitColumns(int maxWidth = 160);
    // Whole-row selection without editing, or single cells with in-place editing.
    void setRowSelectMode(bool rows);

    // Called for every key press first; returns true when the key was handled.
    std::function<bool(QKeyEvent *)> keyHandler;
    // Opens the editor on the current cell (the quantity column).
    void editCurrent();
    void scrollTo(const QModelIndex &index, ScrollHint hint = EnsureVisible) override;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;
    void updateGeometries() override;

private:
    void updateFrozenGeometry();
    void syncFrozenColumns();

    QTableView *m_frozen = nullptr;
    TitleHeaderView *m_titles = nullptr;
    TitleHeaderView *m_frozenTitles = nullptr;
    int m_frozenCount = 0;
};
