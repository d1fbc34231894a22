// The object property panel of the Ruvaze Rezivo: the raw attributes of one
// map object, its named and translated attributes, and the T-file record
// behind it shown read-only in the record panel of its kind. Attributes are
// changed only through the map document object.
#pragma once

#include "galaxy/clsGalaxyObject.h"
#include "galaxy/widgets/GalPropertyRows.h"
#include "platform/Prompts.h"

#include <QWidget>

#include <array>
#include <memory>
#include <vector>

class EditingPanel;
class GalaxyDocument;
class QAction;
class QMenu;
class QRadioButton;
class QTabWidget;
class QTreeWidget;
class clsProperty;
class clsTxtParser;

class ucGalObject : public QWidget {
    Q_OBJECT

public:
    explicit ucGalObject(QWidget* parent = nullptr);
    ~ucGalObject() override;

    // Shows the object (nothing clears the panel).
    void ShowObject(GalaxyDocument* document, const clsGalaxyObject::Ptr& object);
    // Makes the record panels and loads the display options.
    void Init();
    // Saves the display options.
    void Term();

    clsGalaxyObject::Ptr Object() const { return m_object; }
    // The attribute of the selected row; nothing for a row without one.
    std::shared_ptr<clsProperty> CurrentProperty() const;
    // The record panel shown on tab 2, or nothing.
    EditingPanel* RecordPanel() const { return m_recordPanel; }
    // Enables the menu entries for the shown object and row.
    void UpdateMenu();

    QTabWidget* MainTab = nullptr;
    QTreeWidget* RawView = nullptr;
    QTreeWidget* PropView = nullptr;
    std::array<QRadioButton*, 2> rbName{};
    std::array<QRadioButton*, 3> rbDistUnits{};
    std::array<QRadioButton*, 2> rbHexa{};
    QMenu* mnuProp = nullptr;
    QAction* mnuPropEdit = nullptr;
    QAction* mnuPropAdd = nullptr;
    QAction* mnuPropDelete = nullptr;
    QAction* mnuPropAddCoords = nullptr;
    QAction* mnuPropRemoveCoords = nullptr;

public slots:
    void EditProperty();
    void AddProperty();
    void DeleteProperty();
    void AddCoordinates();
    void RemoveCoordinates();
    // Puts the selected row's value text on the clipboard.
    void CopyValue();

signals:
    // After every change the panel made to the shown object.
    void OnObjectChanged(const clsGalaxyObject::Ptr& object);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    const platform::WindowPrompts m_prompts{platform::kProgramTitle, this};
    void ReadOptions();
    void ApplyOptions(bool names, int32_t unit, bool hexa);
    void FillRawList();
    void FillPropertyList();
    void ChooseRecordPanel();
    void ShowRecord();
    // False when the ship panel cannot read the ships of the table.
    bool HandShipTable(const std::shared_ptr<clsTxtParser>& table);
    void Changed(bool refillRaw);
    bool Refused(bool done);

    GalaxyDocument* m_document = nullptr;
    clsGalaxyObject::Ptr m_object;
    GalPropertyRows::Options m_options;
    QWidget* m_recordHost = nullptr;
    std::vector<EditingPanel*> m_panels;
    EditingPanel* m_recordPanel = nullptr;
    // The table the ship panel holds the ships of.
    std::shared_ptr<clsTxtParser> m_shipTable;
    bool m_shipTableLoaded = false;
};
