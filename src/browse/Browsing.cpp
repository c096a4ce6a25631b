#include "browse/Browsing.h"

#include "data/GroupNodeData.h"

Browsing::Browsing(Database &db, QObject *parent) : QObject(parent), m_view(db) {}

void Browsing::sync()
{
    if (m_view.apply(m_state.filter(), m_state.filtered(), m_state.sortFields()))
        emit rowsChanged();
}

void Browsing::treeFocusChanging(std::optional<TreeNodeIds> oldNode,
                                 std::optional<TreeNodeIds> newNode)
{
    m_state.treeFocusChanging(oldNode, newNode);
    sync();
}

void Browsing::treeFocusChanging(const GroupNodeData *oldNode, const GroupNodeData *newNode)
{
    const auto ids = [](const GroupNodeData *node) -> std::optional<TreeNodeIds> {
        if (!node)
            return std::nullopt;
        return TreeNodeIds{node->IdGroup, node->IdSubGroup};
    };
    treeFocusChanging(ids(oldNode), ids(newNode));
}

void Browsing::searchTextChanged(const QString &text)
{
    m_state.searchTextChanged(text);
    sync();
}

void Browsing::keepTreeFilterToggled(bool checked)
{
    m_state.keepTreeFilterToggled(checked);
    sync();
}

void Browsing::onlyNewToggled(bool checked)
{
    m_state.onlyNewToggled(checked);
    sync();
}

bool Browsing::titleClicked(const QString &fieldName)
{
    const bool reacted = m_state.titleClicked(fieldName);
    sync();
    return reacted;
}

bool Browsing::gridKeyPress(QChar ch, bool isPriceEditing)
{
    const bool started = m_state.gridKeyPress(ch, isPriceEditing);
    sync();
    return started;
}

void Browsing::activate()
{
    m_state.activate();
    sync();
}

void Browsing::resetAfterReload()
{
    m_state.resetAfterReload();
    // The tables were replaced: recompute even when the filter text stays the same.
    if (!m_view.apply(m_state.filter(), m_state.filtered(), m_state.sortFields()))
        m_view.reload();
    emit rowsChanged();
}
