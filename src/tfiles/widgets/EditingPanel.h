// What the DIV Avuruz and the value edit dialog ask of whichever editing
// panel claims the open file. The editor knows its panels only through this
// interface and asks them in a fixed order (PanelClaims below); a file that no
// panel claims is edited on the raw value page alone.
#pragma once

#include "tfiles/TFileDocument.h"

#include <QString>
#include <QStringList>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class QTreeWidget;

class EditingPanel : public QWidget {
    Q_OBJECT

public:
    using Record = TFileDocument::Record;

    // Bit of ZorvQueryInfo: the object list shows the "Class" column.
    static constexpr int32_t kClassColumnBit = 4;

    explicit EditingPanel(QWidget* parent = nullptr) : QWidget(parent) {}

    // True, with the kind number, when the panel edits files of that title
    // (file name without extension); kind is left alone otherwise.
    virtual bool ZorvQueryInterfaceEx(const QString& title, int32_t& kind) = 0;
    // Caption of the editor's panel tab.
    virtual QString PageName(int32_t kind) = 0;
    // Called once per loaded file; false with GetLastError when the panel
    // cannot edit it. The panel writes to the file only through the document.
    virtual bool Init(TFileDocument& document) = 0;
    virtual QString GetLastError() const { return {}; }
    virtual int32_t ZorvQueryInfo(int32_t kind) = 0;
    // False, with a report in errorText, when the file's data look corrupted.
    virtual bool Validate(QString& errorText) = 0;
    virtual QString ObjectTypeName(int32_t kind) = 0;

    // List texts; "" lets the editor show the ID string instead.
    virtual QString GetResourceName(const clsTXTObject& record) = 0;
    virtual QString GetRace(const clsTXTObject& record) = 0;
    virtual QString GetClass(const clsTXTObject& record) = 0;
    // Shows the record; nullptr shows nothing.
    virtual void ShowObject(const Record& record, int32_t kind) = 0;

    // A new line sized for the kind, made through the document; nullptr when
    // the panel makes no lines of that kind.
    virtual Record CreateObject(int32_t kind, TFileDocument& document, const Record& before) = 0;
    // After a paste copied values into the record.
    virtual bool InitObject(const Record& record) = 0;
    // Before the line leaves the file; false keeps it.
    virtual bool RemoveObject(const Record& record) = 0;

    // Value members asked by the value edit dialog.
    enum TranslateMode : int32_t { kPlain = 0, kConverted = 1, kPickList = 2 };
    virtual QString ZorvGetPropertyName(const clsTXTObject& record, int32_t index) = 0;
    virtual int32_t ZorvSupportValueTranslate(const clsTXTObject& record, int32_t index) = 0;
    virtual QStringList ZorvGetPropertyValues(const clsTXTObject&, int32_t) { return {}; }
    virtual QString ZorvGetValueUnit(const clsTXTObject&, int32_t) { return {}; }
    // Stored value to display text; false leaves text alone.
    virtual bool ZorvTranslateValue(const clsTXTObject&, int32_t, QString&, bool) { return false; }
    // Display text to the value to store; false refuses the text.
    virtual bool ZorvTranslateValueBack(const clsTXTObject&, const QString&, int32_t, double&) {
        return false;
    }

protected:
    // The value at the index as a row of the list: its field name, and the
    // value's text with the stored value in brackets; nothing past the line.
    void AddFieldRow(QTreeWidget* list, const clsTXTObject& record, int32_t index);
};

// The panels the DIV Avuruz hosts, in the order they are asked to claim a
// file. The ware panel is always there; the ship editor's library registers
// the ship and turret-type panels (its widgets sit above this folder), and a
// slot nobody registered is simply not asked.
namespace PanelClaims {

enum class Slot { Ship = 0, Turret = 1, Ware = 2 };
using Factory = std::function<EditingPanel*(QWidget* parent)>;

// Replaces the factory of a slot; an empty factory empties it.
void Register(Slot slot, Factory factory);
// One panel per filled slot, in claim order, parented to the host.
std::vector<EditingPanel*> CreatePanels(QWidget* parent);
// The first panel, in the given order, that claims the title; nullptr, and
// kind unchanged, when none does.
EditingPanel* Claim(const std::vector<EditingPanel*>& panels, const QString& title, int32_t& kind);

} // namespace PanelClaims
