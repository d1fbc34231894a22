// The rows of the DIV Avuruz object list: one record per row, in the order
// it was filled (name or file order), with the text the name option asks for
// and the panel's class text. Texts are read when shown, so an edit shows at
// once without refilling the list.
#pragma once

#include "tfiles/TFileDocument.h"

#include <QAbstractTableModel>
#include <QHash>

#include <cstdint>
#include <vector>

class EditingPanel;
class QFontMetrics;

class TFileObjectModel : public QAbstractTableModel {
    Q_OBJECT

public:
    using Record = TFileDocument::Record;

    enum NameIndex : int32_t { kDisplayName = 0, kRace = 1, kID = 2 };

    explicit TFileObjectModel(QObject* parent = nullptr);

    // The panel asked for display names, races and classes; nullptr for none.
    void SetPanel(EditingPanel* panel);
    void SetNameIdx(int32_t nameIdx);
    int32_t NameIdx() const { return m_nameIdx; }
    void SetClassColumn(bool shown);
    bool ClassColumn() const { return m_classColumn; }
    void Fill(const platform::KeyedCollection<clsTXTObject>& objects);

    Record RecordAt(int row) const;
    // -1 when the record is not listed.
    int RowOf(const clsTXTObject* record) const;
    // Before the row, or at the end for -1.
    void InsertRecord(const Record& record, int beforeRow);
    void RemoveRecord(const clsTXTObject* record);
    void RefreshRecord(const clsTXTObject* record);

    // The list text of the record by the name option.
    QString ItemText(const clsTXTObject& record) const;
    // The display name, else the ID string.
    QString DisplayName(const clsTXTObject& record) const;
    QString ClassText(const clsTXTObject& record) const;
    // Up to `count` rows whose texts in the column are widest in the metrics,
    // widest first. Every row is weighed from its characters' advances, so a
    // long list costs no text layout; the caller measures the few it gets.
    std::vector<int> WidestRows(int column, const QFontMetrics& metrics, int count) const;

    // A view lays out every row after a fill and asks for each row's index
    // and flags: answered here without the base class's calls back.
    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    // Rows shifted from this one on; the index is rebuilt when next asked.
    void Reindex(int fromRow);

    EditingPanel* m_panel = nullptr;
    int32_t m_nameIdx = kID;
    bool m_classColumn = false;
    std::vector<Record> m_rows;
    mutable QHash<const clsTXTObject*, int> m_rowOf;
    mutable int m_indexedRows = 0;
};
