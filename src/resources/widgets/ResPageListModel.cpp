#include "resources/widgets/ResPageListModel.h"

#include "resources/ResEditorDocument.h"

ResPageListModel::ResPageListModel(ResEditorDocument& document, QObject* parent)
    : QAbstractTableModel(parent), m_document(document), m_rows(document.Pages().count()) {
    connect(&document, &ResEditorDocument::documentReplaced, this, &ResPageListModel::Reset);
    connect(&document, &ResEditorDocument::pageRemoved, this, &ResPageListModel::Reset);
    // New pages join the end of the list.
    connect(&document, &ResEditorDocument::pageAdded, this, [this] {
        beginInsertRows(QModelIndex(), m_rows, m_rows);
        ++m_rows;
        endInsertRows();
    });
    connect(&document, &ResEditorDocument::pageChanged, this, [this](const QString& key) {
        const int row = RowOf(key);
        if (row >= 0)
            emit dataChanged(index(row, 0), index(row, 1));
    });
}

int ResPageListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_rows;
}

int ResPageListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 2;
}

QVariant ResPageListModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole)
        return {};
    const auto page = PageAt(index.row());
    if (!page)
        return {};
    return index.column() == 0 ? QString::number(page->PageID) : m_document.RowTitle(*page);
}

QVariant ResPageListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    return section == 0 ? QStringLiteral("ID") : QStringLiteral("Page Title");
}

std::shared_ptr<clsPage> ResPageListModel::PageAt(int row) const {
    return row >= 0 && row < m_rows ? m_document.Pages().at(row + 1) : nullptr;
}

int ResPageListModel::RowOf(const QString& key) const {
    return m_document.Pages().indexOf(key) - 1;
}

QString ResPageListModel::FindText(int row, bool useId) const {
    const auto page = PageAt(row);
    if (!page)
        return {};
    return useId ? QString::number(page->PageID) : m_document.RowTitle(*page);
}

void ResPageListModel::Reset() {
    beginResetModel();
    m_rows = m_document.Pages().count();
    endResetModel();
}
