#include "resources/widgets/ResTextListModel.h"

#include "resources/ResEditorDocument.h"
#include "resources/clsPage.h"

ResTextListModel::ResTextListModel(ResEditorDocument& document, QObject* parent)
    : QAbstractTableModel(parent), m_document(document) {
    const auto onPage = [this](const QString& pageKey) {
        return m_page && m_page->Key().compare(pageKey, Qt::CaseInsensitive) == 0;
    };
    connect(&document, &ResEditorDocument::documentReplaced, this, [this] { SetPage(nullptr); });
    connect(&document, &ResEditorDocument::textAdded, this, [this, onPage](const QString& pageKey) {
        if (!onPage(pageKey))
            return;
        beginInsertRows(QModelIndex(), m_rows, m_rows);
        ++m_rows;
        endInsertRows();
    });
    connect(&document, &ResEditorDocument::textChanged, this,
            [this, onPage](const QString& pageKey, const QString& key) {
                if (!onPage(pageKey))
                    return;
                const int row = m_page->Strings.indexOf(key) - 1;
                if (row >= 0)
                    emit dataChanged(index(row, 0), index(row, 1));
            });
    connect(&document, &ResEditorDocument::textRemoved, this,
            [this, onPage](const QString& pageKey) {
                if (onPage(pageKey))
                    Reset();
            });
    connect(&document, &ResEditorDocument::pageRemoved, this, [this, onPage](const QString& key) {
        if (onPage(key))
            SetPage(nullptr);
    });
}

int ResTextListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_rows;
}

int ResTextListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 2;
}

QVariant ResTextListModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole)
        return {};
    const auto text = TextAt(index.row());
    if (!text)
        return {};
    return index.column() == 0 ? QString::number(text->ID) : ShownText(*text);
}

QVariant ResTextListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    return section == 0 ? QStringLiteral("ID") : QStringLiteral("Text");
}

void ResTextListModel::SetPage(std::shared_ptr<clsPage> page) {
    m_page = std::move(page);
    Reset();
}

void ResTextListModel::SetFormatted(bool formatted) {
    if (m_formatted == formatted)
        return;
    m_formatted = formatted;
    if (m_rows)
        emit dataChanged(index(0, 1), index(m_rows - 1, 1));
}

std::shared_ptr<clsString> ResTextListModel::TextAt(int row) const {
    return m_page && row >= 0 && row < m_rows ? m_page->Strings.at(row + 1) : nullptr;
}

QString ResTextListModel::ShownText(const clsString& text) const {
    return m_formatted ? text.Text() : text.RawText();
}

QString ResTextListModel::FindText(int row, bool useId) const {
    const auto text = TextAt(row);
    if (!text)
        return {};
    return useId ? QString::number(text->ID) : ShownText(*text);
}

void ResTextListModel::Reset() {
    beginResetModel();
    m_rows = m_page ? m_page->Strings.count() : 0;
    endResetModel();
}
