#include "tfiles/widgets/TFileObjectModel.h"

#include "tfiles/widgets/EditingPanel.h"

#include <QFontMetrics>

#include <algorithm>
#include <array>
#include <exception>
#include <utility>

namespace {

// A panel member that fails shows its bracketed error text in the list.
template <class Call> QString PanelText(Call call, const char* failure) {
    try {
        return call();
    } catch (const std::exception&) {
        return QString::fromLatin1(failure);
    }
}

// The width of a text as the sum of its characters' advances, Latin-1
// advances asked once. A text outside the basic plane is measured whole.
class TextWeigher {
public:
    explicit TextWeigher(const QFontMetrics& metrics) : m_metrics(metrics) { m_latin1.fill(-1); }

    int Width(const QString& text) {
        int width = 0;
        for (const QChar character : text) {
            if (character.isSurrogate())
                return m_metrics.horizontalAdvance(text);
            width += Advance(character);
        }
        return width;
    }

private:
    int Advance(QChar character) {
        if (character.unicode() >= m_latin1.size())
            return m_metrics.horizontalAdvance(character);
        int& advance = m_latin1[character.unicode()];
        if (advance < 0)
            advance = m_metrics.horizontalAdvance(character);
        return advance;
    }

    const QFontMetrics& m_metrics;
    std::array<int, 256> m_latin1;
};

} // namespace

TFileObjectModel::TFileObjectModel(QObject* parent) : QAbstractTableModel(parent) {}

void TFileObjectModel::SetPanel(EditingPanel* panel) {
    beginResetModel();
    m_panel = panel;
    endResetModel();
}

void TFileObjectModel::SetNameIdx(int32_t nameIdx) {
    m_nameIdx = nameIdx;
    emit headerDataChanged(Qt::Horizontal, 0, 0);
    if (!m_rows.empty())
        emit dataChanged(index(0, 0), index(rowCount() - 1, 0));
}

void TFileObjectModel::SetClassColumn(bool shown) {
    if (shown == m_classColumn)
        return;
    if (shown) {
        beginInsertColumns({}, 1, 1);
        m_classColumn = true;
        endInsertColumns();
    } else {
        beginRemoveColumns({}, 1, 1);
        m_classColumn = false;
        endRemoveColumns();
    }
}

void TFileObjectModel::Fill(const platform::KeyedCollection<clsTXTObject>& objects) {
    beginResetModel();
    m_rows.clear();
    m_rows.reserve(static_cast<std::size_t>(objects.count()));
    for (const Record& record : objects)
        m_rows.push_back(record);
    Reindex(0);
    endResetModel();
}

void TFileObjectModel::Reindex(int fromRow) {
    m_indexedRows = std::min(m_indexedRows, fromRow);
}

TFileObjectModel::Record TFileObjectModel::RecordAt(int row) const {
    if (row < 0 || row >= rowCount())
        return nullptr;
    return m_rows[static_cast<std::size_t>(row)];
}

int TFileObjectModel::RowOf(const clsTXTObject* record) const {
    // A large list is filled often and searched seldom: index it on demand.
    if (m_indexedRows < rowCount()) {
        if (m_indexedRows == 0)
            m_rowOf.clear();
        m_rowOf.reserve(static_cast<qsizetype>(m_rows.size()));
        for (int row = m_indexedRows; row < rowCount(); ++row)
            m_rowOf.insert(m_rows[static_cast<std::size_t>(row)].get(), row);
        m_indexedRows = rowCount();
    }
    const int row = m_rowOf.value(record, -1);
    return row < rowCount() ? row : -1;
}

void TFileObjectModel::InsertRecord(const Record& record, int beforeRow) {
    const int row = beforeRow < 0 || beforeRow > rowCount() ? rowCount() : beforeRow;
    beginInsertRows({}, row, row);
    m_rows.insert(m_rows.begin() + row, record);
    Reindex(row);
    endInsertRows();
}

void TFileObjectModel::RemoveRecord(const clsTXTObject* record) {
    const int row = RowOf(record);
    if (row < 0)
        return;
    beginRemoveRows({}, row, row);
    m_rows.erase(m_rows.begin() + row);
    m_rowOf.remove(record);
    Reindex(row);
    endRemoveRows();
}

void TFileObjectModel::RefreshRecord(const clsTXTObject* record) {
    const int row = RowOf(record);
    if (row >= 0)
        emit dataChanged(index(row, 0), index(row, columnCount() - 1));
}

QString TFileObjectModel::DisplayName(const clsTXTObject& record) const {
    const QString name = m_panel ? PanelText([&] { return m_panel->GetResourceName(record); },
                                             "[error getting description]")
                                 : QString();
    return name.isEmpty() ? record.ObjectName() : name;
}

QString TFileObjectModel::ItemText(const clsTXTObject& record) const {
    switch (m_nameIdx) {
    case kDisplayName:
        return DisplayName(record);
    case kRace: {
        const QString race =
            m_panel ? PanelText([&] { return m_panel->GetRace(record); }, "[error getting race]")
                    : QString();
        return race.isEmpty() ? record.ObjectName() : race;
    }
    default:
        return record.ObjectName();
    }
}

QString TFileObjectModel::ClassText(const clsTXTObject& record) const {
    return m_panel ? PanelText([&] { return m_panel->GetClass(record); }, "[error getting class]")
                   : QString();
}

std::vector<int> TFileObjectModel::WidestRows(int column, const QFontMetrics& metrics,
                                              int count) const {
    TextWeigher weigher(metrics);
    std::vector<std::pair<int, int>> widths; // width, row
    widths.reserve(m_rows.size());
    for (int row = 0; row < rowCount(); ++row) {
        const clsTXTObject& record = *m_rows[static_cast<std::size_t>(row)];
        widths.emplace_back(weigher.Width(column == 0 ? ItemText(record) : ClassText(record)), row);
    }
    const auto widest = widths.begin() + std::min<std::ptrdiff_t>(count, std::ssize(widths));
    std::partial_sort(widths.begin(), widest, widths.end(),
                      [](const auto& a, const auto& b) { return a.first > b.first; });
    std::vector<int> rows;
    for (auto entry = widths.begin(); entry != widest; ++entry)
        rows.push_back(entry->second);
    return rows;
}

QModelIndex TFileObjectModel::index(int row, int column, const QModelIndex& parent) const {
    const bool inside = row >= 0 && static_cast<std::size_t>(row) < m_rows.size() && column >= 0 &&
                        column < (m_classColumn ? 2 : 1);
    if (!inside || parent.isValid())
        return {};
    return createIndex(row, column);
}

Qt::ItemFlags TFileObjectModel::flags(const QModelIndex& index) const {
    if (!index.isValid() || index.model() != this)
        return QAbstractTableModel::flags(index);
    return Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemNeverHasChildren;
}

int TFileObjectModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int TFileObjectModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : (m_classColumn ? 2 : 1);
}

QVariant TFileObjectModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rowCount())
        return {};
    const clsTXTObject& record = *m_rows[static_cast<std::size_t>(index.row())];
    return index.column() == 0 ? ItemText(record) : ClassText(record);
}

QVariant TFileObjectModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    if (section == 1)
        return QStringLiteral("Class");
    switch (m_nameIdx) {
    case kDisplayName:
        return QStringLiteral("Name");
    case kRace:
        return QStringLiteral("Race");
    default:
        return QStringLiteral("ID");
    }
}
