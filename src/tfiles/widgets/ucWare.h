// The editing panel of every ware-like file (shields, lasers, bullets,
// missiles, wares, factories, specials, docks): one record as named,
// translated rows, each edited through "Value Edit".
#pragma once

#include "platform/Prompts.h"
#include "tfiles/clsWare.h"
#include "tfiles/widgets/EditingPanel.h"

#include <QChar>

#include <functional>
#include <optional>

class QToolBar;
class QTreeWidget;
class QTreeWidgetItem;
class QPlainTextEdit;

class ucWare : public EditingPanel {
    Q_OBJECT

public:
    // Edits a bullet's colour (0xRRGGBB); nothing when cancelled. The default
    // asks the colour chooser of the prompt layer.
    using ColorEditor = std::function<std::optional<int32_t>(QWidget* owner, int32_t color)>;

    explicit ucWare(QWidget* parent = nullptr);

    bool ReadOnly() const { return m_readOnly; }
    void SetReadOnly(bool value) { m_readOnly = value; }
    void SetColorEditor(ColorEditor editor) { m_colorEditor = std::move(editor); }

    bool ZorvQueryInterfaceEx(const QString& title, int32_t& kind) override;
    QString PageName(int32_t kind) override;
    bool Init(TFileDocument& document) override;
    int32_t ZorvQueryInfo(int32_t kind) override;
    bool Validate(QString& errorText) override;
    QString ObjectTypeName(int32_t kind) override;
    QString GetResourceName(const clsTXTObject& record) override;
    QString GetRace(const clsTXTObject& record) override;
    QString GetClass(const clsTXTObject& record) override;
    void ShowObject(const Record& record, int32_t kind) override;
    Record CreateObject(int32_t kind, TFileDocument& document, const Record& before) override;
    bool InitObject(const Record& record) override;
    bool RemoveObject(const Record& record) override;
    QString ZorvGetPropertyName(const clsTXTObject& record, int32_t index) override;
    int32_t ZorvSupportValueTranslate(const clsTXTObject& record, int32_t index) override;
    QStringList ZorvGetPropertyValues(const clsTXTObject& record, int32_t index) override;
    QString ZorvGetValueUnit(const clsTXTObject& record, int32_t index) override;
    bool ZorvTranslateValue(const clsTXTObject& record, int32_t index, QString& text,
                            bool unitsLeftOut) override;
    bool ZorvTranslateValueBack(const clsTXTObject& record, const QString& text, int32_t index,
                                double& value) override;

    // The row list, for the host and for tests.
    QTreeWidget* PropView() const { return m_propView; }
    QPlainTextEdit* DescEdit() const { return m_descEdit; }
    // Edits the selected row (double click, Enter).
    void EditSelectedRow();

signals:
    void OnWareChanged(const EditingPanel::Record& record);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildRows(int32_t kind);
    void ShowDescription();
    void EditColor();
    void CopySelectedValue();
    void ShowBody(int32_t index);
    void RecordChanged();

    const platform::WindowPrompts m_prompts;
    QToolBar* m_bar = nullptr;
    QTreeWidget* m_propView = nullptr;
    QPlainTextEdit* m_descEdit = nullptr;

    clsWare m_ware;
    TFileDocument* m_document = nullptr;
    QChar m_wareLetter;
    std::shared_ptr<clsTxtParser> m_lasers;
    bool m_readOnly = false;
    ColorEditor m_colorEditor;
};
