#include "ui/CatalogGrid.h"

#include "ui/TitleHeaderView.h"

#include <QKeyEvent>
#include <QScrollBar>

CatalogGrid::CatalogGrid(QWidget *parent) : QTableView(parent)
{
    m_titles = new TitleHeaderView(this);
    setHorizontalHeader(m_titles);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    verticalHeader()->setMinimumSectionSize(fontMetrics().height() + 2);
    verticalHeader()->setFixedWidth(12);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setWordWrap(false);
    setTabKeyNavigation(true);
    setSelectionMode(QAbstractItemView::SingleSelection);

    // The frozen columns: a second view over the same model laid on top of the left edge.
    // A click on them selects as a click on the grid does.
    m_frozen = new QTableView(this);
    m_frozen->setSelectionMode(QAbstractItemView::SingleSelection);
    setRowSelectMode(true);
    m_frozenTitles = new TitleHeaderView(m_frozen);
    m_frozen->setHorizontalHeader(m_frozenTitles);
    m_frozen->setFocusPolicy(Qt::NoFocus);
    m_frozen->verticalHeader()->setDefaultSectionSize(verticalHeader()->defaultSectionSize());
    m_frozen->verticalHeader()->setMinimumSectionSize(verticalHeader()->minimumSectionSize());
    m_frozen->verticalHeader()->setFixedWidth(12);
    m_frozen->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_frozen->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_frozen->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_frozen->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    m_frozen->setWordWrap(false);
    m_frozen->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_frozen->setStyleSheet(QStringLiteral("QTableView { border: none; }"));
    // Its viewport fills its own background: the cells of rows that are not selected paint
    // none, and on a real screen the highlight they had would otherwise stay.
    m_frozen->hide();

    connect(m_frozen->verticalScrollBar(), &QAbstractSlider::valueChanged, verticalScrollBar(),
            &QAbstractSlider::setValue);
    connect(verticalScrollBar(), &QAbstractSlider::valueChanged, m_frozen->verticalScrollBar(),
            &QAbstractSlider::setValue);
    connect(horizontalHeader(), &QHeaderView::sectionResized, this,
            [this](int logical, int, int size) {
                if (logical < m_frozenCount) {
                    m_frozen->setColumnWidth(logical, size);
                    updateFrozenGeometry();
                }
            });
    connect(m_frozenTitles, &QHeaderView::sectionClicked, m_titles, &QHeaderView::sectionClicked);
    connect(m_frozen, &QAbstractItemView::doubleClicked, this, &QAbstractItemView::doubleClicked);
}

void CatalogGrid::setModel(QAbstractItemModel *model)
{
    QTableView::setModel(model);
    m_frozen->setModel(model);
    m_frozen->setSelectionModel(selectionModel());
    // A selected row spans columns the frozen view hides, and the region it would repaint for
    // such a row misses its cells: a moved selection would stay painted on the old row there.
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, m_frozen->viewport(),
            qOverload<>(&QWidget::update));
    connect(selectionModel(), &QItemSelectionModel::currentChanged, m_frozen->viewport(),
            qOverload<>(&QWidget::update));
    syncFrozenColumns();
}

void CatalogGrid::setFrozenColumns(int count)
{
    m_frozenCount = count;
    m_frozen->setVisible(count > 0);
    syncFrozenColumns();
}

void CatalogGrid::setTwoLevelTitles(bool on)
{
    m_titles->setTwoLevel(on);
    m_frozenTitles->setTwoLevel(on);
    m_frozenTitles->setCentredTitles(false);
    updateFrozenGeometry();
}

void CatalogGrid::applyColumnWidths(const std::vector<int> &widths)
{
    for (size_t i = 0; i < widths.size(); ++i)
        if (widths[i] > 0)
            setColumnWidth(int(i), widths[i]);
    syncFrozenColumns();
}

void CatalogGrid::fitColumns(int maxWidth)
{
    if (!model())
        return;
    const QFontMetrics titleMetrics(m_titles->font());
    for (int c = 0; c < model()->columnCount(); ++c) {
        QString title = model()->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
        title = title.mid(title.indexOf(u'|') + 1);
        int wanted = titleMetrics.horizontalAdvance(title) + 16;
        wanted = std::max(wanted, std::min(sizeHintForColumn(c), maxWidth));
        if (wanted > columnWidth(c))
            setColumnWidth(c, wanted);
    }
    syncFrozenColumns();
}

void CatalogGrid::setRowSelectMode(bool rows)
{
    setSelectionBehavior(rows ? QAbstractItemView::SelectRows : QAbstractItemView::SelectItems);
    setEditTriggers(rows ? QAbstractItemView::NoEditTriggers
                         : QAbstractItemView::AnyKeyPressed | QAbstractItemView::EditKeyPressed |
                               QAbstractItemView::DoubleClicked);
    if (m_frozen)
        m_frozen->setSelectionBehavior(selectionBehavior());
}

void CatalogGrid::editCurrent()
{
    edit(currentIndex());
}

void CatalogGrid::syncFrozenColumns()
{
    if (!model())
        return;
    m_frozenTitles->setCentredTitles(false);
    for (int c = 0; c < model()->columnCount(); ++c) {
        m_frozen->setColumnHidden(c, c >= m_frozenCount);
        if (c < m_frozenCount)
            m_frozen->setColumnWidth(c, columnWidth(c));
    }
    m_frozenTitles->setFont(m_titles->font());
    m_frozen->setFont(font());
    m_frozen->setPalette(palette());
    updateFrozenGeometry();
}

void CatalogGrid::updateFrozenGeometry()
{
    if (!m_frozen || m_frozenCount <= 0)
        return;
    int width = verticalHeader()->width();
    for (int c = 0; c < m_frozenCount && model() && c < model()->columnCount(); ++c)
        width += columnWidth(c);
    m_frozen->horizontalHeader()->setFixedHeight(horizontalHeader()->height());
    m_frozen->setGeometry(frameWidth(), frameWidth(), width + 1,
                          viewport()->height() + horizontalHeader()->height());
    m_frozen->raise();
}

void CatalogGrid::keyPressEvent(QKeyEvent *event)
{
    if (keyHandler && keyHandler(event))
        return;
    QTableView::keyPressEvent(event);
}

void CatalogGrid::resizeEvent(QResizeEvent *event)
{
    QTableView::resizeEvent(event);
    updateFrozenGeometry();
}

void CatalogGrid::updateGeometries()
{
    QTableView::updateGeometries();
    updateFrozenGeometry();
}

QModelIndex CatalogGrid::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers)
{
    QModelIndex current = QTableView::moveCursor(cursorAction, modifiers);
    // Keep a cell that moves left under the frozen columns in sight.
    if (cursorAction == MoveLeft && current.column() >= m_frozenCount &&
        visualRect(current).topLeft().x() < m_frozen->width() - verticalHeader()->width()) {
        const int newValue = horizontalScrollBar()->value() + visualRect(current).topLeft().x() -
                             (m_frozen->width() - verticalHeader()->width());
        horizontalScrollBar()->setValue(newValue);
    }
    return current;
}

void CatalogGrid::scrollTo(const QModelIndex &index, ScrollHint hint)
{
    // Frozen columns are always in sight: only the rows scroll for them.
    if (index.column() >= m_frozenCount) {
        QTableView::scrollTo(index, hint);
        return;
    }
    const int column = horizontalScrollBar()->value();
    QTableView::scrollTo(index, hint);
    horizontalScrollBar()->setValue(column);
}
