// The editing panel of the turret-type table ("TCockpits"): a turret type's
// ID string and two values, and the lasers it accepts, kept as a 32-bit mask
// in value 8 in which bit i stands for the laser on line i of "TLaser".
#pragma once

#include "tfiles/clsWare.h"
#include "tfiles/widgets/EditingPanel.h"

#include <memory>

class LaserPage;
class QTabWidget;
class QTreeWidget;
class clsTxtParser;

class ucTurret : public EditingPanel {
    Q_OBJECT

public:
    explicit ucTurret(QWidget* parent = nullptr);

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

    // Edits the selected row of the "Info" page (double click, Enter).
    void EditSelectedRow();
    void AddLaser();
    void RemoveLaser();

    QTabWidget* MainTab() const { return m_mainTab; }
    QTreeWidget* PropView() const { return m_propView; }
    LaserPage* Lasers() const { return m_laserPage; }

signals:
    void OnTurretChanged(const EditingPanel::Record& record);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool HasRecord() const;
    void ShowInfo();
    void ShowProp(int32_t index);
    void ShowLasers();
    void MoveLaser(bool compatible);
    void RecordChanged();

    QTabWidget* m_mainTab = nullptr;
    QTreeWidget* m_propView = nullptr;
    LaserPage* m_laserPage = nullptr;

    clsWare m_ware;
    TFileDocument* m_document = nullptr;
    std::shared_ptr<clsTxtParser> m_lasers;
    bool m_lasersLoaded = false;
};
