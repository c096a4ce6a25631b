// The main window's browsing: group tree, search line, sorting, typing into the price grid,
// the product card and its picture.
#include "ui/MainForm.h"

#include "browse/PriceView.h"
#include "browse/Pricing.h"
#include "data/Database.h"
#include "data/Statement.h"
#include "exchange/TcsExchange.h"
#include "order/OrderBook.h"
#include "order/QuantityEntry.h"
#include "ui/BigImageForm.h"
#include "ui/CatalogGrid.h"
#include "ui/GroupTreeModel.h"
#include "ui/PictureView.h"
#include "ui/PriceTableModel.h"
#include "ui/SearchEdit.h"
#include "ui/SqlRowSource.h"
#include "ui/TitleHeaderView.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStackedLayout>
#include <QTreeView>

using namespace Qt::StringLiterals;

namespace {
std::optional<TreeNodeIds> idsOf(const QModelIndex &index)
{
    const GroupTreeModel::Node *node = GroupTreeModel::nodeOf(index);
    if (!node)
        return std::nullopt;
    return TreeNodeIds{node->idGroup, node->idSubGroup};
}
} // namespace

void TAppMainForm::fillGroupTree(const GroupTreeNode &root)
{
    GroupTreeModel *tree = m_ui.treeModel;
    tree->clear();
    auto add = [tree](auto &self, GroupTreeModel::Node *parent, const GroupTreeNode &node) -> void {
        GroupTreeModel::Node *added =
            tree->addNode(parent, node.data.Name, node.data.IdGroup, node.data.IdSubGroup);
        for (const GroupTreeNode &child : node.children)
            self(self, added, child);
    };
    add(add, nullptr, root);
    tree->finish();
    m_ui.vdtGroupsTree->expand(tree->index(0, 0));
}

void TAppMainForm::applyPriceFilter()
{
    const int keepId = currentPriceId();
    m_priceView->apply(m_browsing.filter(), m_browsing.filtered(), m_browsing.sortFields());
    m_priceRows->setIds(m_priceView->ids());
    // One repaint for the new rows, after the engine has evaluated them.
    m_ui.DBGridEh1->setUpdatesEnabled(false);
    m_ui.priceModel->reload();
    int row = keepId > 0 ? m_priceRows->rowOf(keepId) : -1;
    if (row < 0 && m_priceRows->rowCount() > 0)
        row = 0;
    if (row >= 0) {
        const QModelIndex index = m_ui.priceModel->index(row, 0);
        m_ui.DBGridEh1->selectionModel()->setCurrentIndex(
            index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        m_ui.DBGridEh1->scrollTo(index);
    }
    m_ui.DBGridEh1->setUpdatesEnabled(true);
    PriceAfterScroll();
}

int TAppMainForm::currentPriceId() const
{
    if (!m_priceRows)
        return -1;
    return m_priceRows->idAt(m_ui.DBGridEh1->currentIndex().row());
}

void TAppMainForm::vdtGroupsTreeFocusChanging(const QModelIndex &oldNode,
                                              const QModelIndex &newNode)
{
    const std::optional<TreeNodeIds> newIds = idsOf(newNode);
    if (!newIds)
        return; // the focus left every node: the filter stays
    m_browsing.treeFocusChanging(idsOf(oldNode), newIds);
    syncSearchBox();
    applyPriceFilter();
}

void TAppMainForm::syncSearchBox()
{
    // The browsing state may have emptied the search; the box shows it without searching again.
    if (m_ui.SerchText->text() != m_browsing.searchText()) {
        m_syncingSearch = true;
        m_ui.SerchText->setText(m_browsing.searchText());
        m_syncingSearch = false;
    }
}

void TAppMainForm::SerchTextChange(const QString &text)
{
    if (m_syncingSearch)
        return;
    m_browsing.searchTextChanged(text);
    applyPriceFilter();
}

void TAppMainForm::CheckBox1Click(bool checked)
{
    m_browsing.keepTreeFilterToggled(checked);
    applyPriceFilter();
}

void TAppMainForm::chbOnlyNewClick(bool checked)
{
    m_browsing.onlyNewToggled(checked);
    applyPriceFilter();
}

void TAppMainForm::DBGridEh1TitleClick(int section)
{
    const auto &columns = m_ui.priceModel->columns();
    if (section < 0 || size_t(section) >= columns.size())
        return;
    const QString oldSort = m_browsing.sortFields();
    const QString oldFilter = m_browsing.filter();
    if (!m_browsing.titleClicked(columns[size_t(section)].field))
        return;
    showSortMarker();
    if (m_browsing.sortFields() != oldSort || m_browsing.filter() != oldFilter)
        applyPriceFilter();
}

void TAppMainForm::showSortMarker()
{
    const int column = m_ui.priceModel->columnOfField(m_browsing.sortedColumnField());
    m_ui.DBGridEh1->titles()->setSortedSection(column);
    if (auto *frozen =
            qobject_cast<TitleHeaderView *>(m_ui.DBGridEh1->frozenView()->horizontalHeader()))
        frozen->setSortedSection(column);
}

bool TAppMainForm::DBGridEh1KeyDown(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        BeginKolEntry();
        return true;
    }
    const QString text = event->text();
    if (text.isEmpty() || !text.at(0).isPrint() ||
        (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
        return false;
    const QChar ch = text.at(0);
    if (!m_browsing.gridKeyPress(ch, m_entry->state().IsPriceEditing))
        return false;
    // A new search starts with the typed character as its whole text.
    m_ui.SerchText->setFocus();
    m_ui.SerchText->clear();
    m_ui.SerchText->typeText(QString(ch));
    m_ui.SerchText->setCursorPosition(int(m_ui.SerchText->text().trimmed().size()));
    return true;
}

bool TAppMainForm::SerchTextKeyDown(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
        m_ui.DBGridEh1->setFocus();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter: {
        const QString code =
            m_ui.priceModel->fieldValue(m_ui.DBGridEh1->currentIndex().row(), u"CODE"_s).toString();
        if (code.trimmed().isEmpty())
            return true;
        m_ui.DBGridEh1->setFocus();
        BeginKolEntry();
        return true;
    }
    default:
        return false;
    }
}

void TAppMainForm::PriceAfterScroll()
{
    const int row = m_ui.DBGridEh1->currentIndex().row();
    const int id = m_priceRows->idAt(row);
    std::optional<ProductCard::Row> cardRow;
    QString code;
    QString name;
    if (id > 0) {
        const QVariantList v = m_priceRows->rowValues(
            row, {u"CODE"_s, u"FULLNAME"_s, u"CENA"_s, u"MAXDISCOUNT"_s, u"ISPHOTO"_s});
        code = v.value(0).toString();
        name = v.value(1).toString();
        cardRow = ProductCard::Row{code, v.value(2).toDouble(), v.value(3).toDouble(),
                                   v.value(4).toInt() != 0};
    }
    PictureView *picture = m_ui.Image1;
    m_card.refresh(cardRow, m_order->discountBox(), m_services.settings.TempPictureFolder,
                   m_services.settings.PathPicture, [picture](const QString &path) {
                       picture->clear();
                       return picture->load(path);
                   });
    m_ui.DBEditEh1->setText(code);
    m_ui.DBMemo1->setPlainText(name);
    m_ui.edtCena->setText(Pricing::formatFloat(m_card.discountedPrice(), u"# ##0.00 руб."_s));
    auto *stack = static_cast<QStackedLayout *>(m_ui.Panel4->layout());
    stack->setCurrentWidget(m_card.showPicture() ? static_cast<QWidget *>(m_ui.Image1)
                                                 : static_cast<QWidget *>(m_ui.ImageNull));
    m_ui.btnSaveOnePicture->setEnabled(m_card.saveEnabled());
    if (m_card.handCursor())
        m_ui.Image1->setCursor(Qt::PointingHandCursor);
    m_ui.btnGetOnePicture->setEnabled(m_card.getPictureEnabled() && !m_exchange->Running());
}

void TAppMainForm::Image1Click()
{
    if (!m_card.pictureClicked())
        return;
    m_bigImage->showPicture(m_card.currentPictureFile());
    m_bigImage->exec();
}

void TAppMainForm::btnSaveOnePictureClick()
{
    const QImage image = m_ui.Image1->image();
    m_card.savePicture(m_services.prompts,
                       [image](const QString &path) { return image.save(path, "JPG"); });
}
