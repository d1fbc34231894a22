// The text list of the Text Resource Editor: the texts of one page, each
// as stored or, with "Format texts", with its references resolved.
#pragma once

#include <QAbstractTableModel>

#include <memory>

class ResEditorDocument;
class clsPage;
class clsString;

class ResTextListModel : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit ResTextListModel(ResEditorDocument& document, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    // Lists the page's texts anew; nothing for no page.
    void SetPage(std::shared_ptr<clsPage> page);
    const std::shared_ptr<clsPage>& Page() const { return m_page; }
    void SetFormatted(bool formatted);
    bool Formatted() const { return m_formatted; }

    std::shared_ptr<clsString> TextAt(int row) const;
    // The text column as shown.
    QString ShownText(const clsString& text) const;
    QString FindText(int row, bool useId) const;

private:
    void Reset();

    ResEditorDocument& m_document;
    std::shared_ptr<clsPage> m_page;
    int m_rows = 0;
    bool m_formatted = false;
};
