// The page list of the Text Resource Editor over its document: one row per
// listed page, its id and title, following the document's changes.
#pragma once

#include <QAbstractTableModel>

#include <memory>

class ResEditorDocument;
class clsPage;

class ResPageListModel : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit ResPageListModel(ResEditorDocument& document, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    std::shared_ptr<clsPage> PageAt(int row) const;
    // -1 when the page is not listed.
    int RowOf(const QString& key) const;
    // The compared text of a row for the find window.
    QString FindText(int row, bool useId) const;

private:
    void Reset();

    ResEditorDocument& m_document;
    int m_rows = 0;
};
