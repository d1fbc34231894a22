// The editing panel of ship tables ("TShips"): a ship's values on two
// pages, its turret sections with their turret types, its gun groups and
// guns, and the lasers its front guns accept. Values are edited through
// "Value Edit", sections through "Turret Edit" and "Gun Edit"; the ship
// model keeps the line's counts and offsets consistent, and every command
// that changed the line raises OnShipChanged once.
#pragma once

#include "platform/Prompts.h"
#include "ships/ShipValues.h"
#include "ships/clsCockpitParser.h"
#include "ships/clsShipParser.h"
#include "tfiles/widgets/EditingPanel.h"

#include <functional>
#include <memory>

class LaserPage;
class QLabel;
class QPlainTextEdit;
class QTabWidget;
class QToolBar;
class QTreeWidget;
class QTreeWidgetItem;
class clsGun;
class clsGunGroup;
class clsTurret;

class ucShip : public EditingPanel {
    Q_OBJECT

public:
    enum Tab { kInfo = 0, kMoreInfo = 1, kTurrets = 2, kGuns = 3, kFrontLasers = 4 };

    explicit ucShip(QWidget* parent = nullptr);
    ~ucShip() override;

    bool ReadOnly() const { return m_readOnly; }
    void SetReadOnly(bool value);

    bool ZorvQueryInterfaceEx(const QString& title, int32_t& kind) override;
    QString PageName(int32_t kind) override;
    bool Init(TFileDocument& document) override;
    // The ships of a table that no document holds, to be looked at (the map
    // editor's record tab); the caller makes the panel read-only, since the
    // turret and gun dialogs write into the lines themselves.
    bool InitTable(const clsTxtParser& table);
    QString GetLastError() const override { return m_lastError; }
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

    // The ship of a record; nothing when the record has none.
    std::shared_ptr<clsShip> GetObject(const clsTXTObject* record) const;
    const std::shared_ptr<clsShip>& CurrentShip() const { return m_ship; }

    // The commands, as the lists, the toolbar and the buttons start them.
    void EditProperty(QTreeWidget* list);
    void EditTurret();
    void EditGun();
    void AddTurret();
    void AddGun();
    void RemoveSelectedTurret();
    void RemoveSelectedGun();
    void AddCompatibleLaser();
    void RemoveCompatibleLaser();
    void ShowBody();
    void ShowModel();
    void ShowCockpit();

    // The controls, for the host and for tests.
    QTabWidget* MainTab() const { return m_mainTab; }
    QToolBar* MainToolbar() const { return m_toolbar; }
    QTreeWidget* GlobalView() const { return m_globalView; }
    QTreeWidget* MoreView() const { return m_moreView; }
    QPlainTextEdit* DescEdit() const { return m_descEdit; }
    QTreeWidget* TurView() const { return m_turView; }
    QLabel* lblTData() const { return m_lblTData; }
    QTreeWidget* CockpView() const { return m_cockpView; }
    QTreeWidget* GunGroupView() const { return m_gunGroupView; }
    QTreeWidget* GunView() const { return m_gunView; }
    LaserPage* Lasers() const { return m_laserPage; }

signals:
    void OnShipChanged(const EditingPanel::Record& record);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildTabs();
    void ShowToolbarAndTabs();
    void RefreshAll();
    void ShowProperties();
    void ShowTurrets();
    void ShowGunGroups();
    void ShowGuns(const std::shared_ptr<clsGunGroup>& group);
    void ShowLasers();
    void SelectTurret();
    void SelectGunGroup();
    void SelectGun();
    QString NameText(int32_t offset) const;
    ShipValues::Lookups Lookups() const;
    // False, after telling why, when the ship's line does not match its
    // sections: a structural edit would make it worse.
    bool ShipIsSound();
    void MoveLaser(bool compatible);
    void ShowViewerModel(const QString& folder, int32_t field);
    void Changed();
    // A change of the ship's turrets and guns, made through the document so
    // that it signals the change; false, after telling any error, when it
    // was not made.
    bool EditShip(const std::function<bool(QString& error)>& edit);

    // Its message boxes carry the program's title.
    const platform::WindowPrompts m_prompts;
    QToolBar* m_toolbar = nullptr;
    QTabWidget* m_mainTab = nullptr;
    QTreeWidget* m_globalView = nullptr;
    QTreeWidget* m_moreView = nullptr;
    QPlainTextEdit* m_descEdit = nullptr;
    QTreeWidget* m_turView = nullptr;
    QLabel* m_lblTData = nullptr;
    QTreeWidget* m_cockpView = nullptr;
    QTreeWidget* m_gunGroupView = nullptr;
    QTreeWidget* m_gunView = nullptr;
    LaserPage* m_laserPage = nullptr;

    std::shared_ptr<clsShip> m_ship;
    bool m_noShip = true;
    std::unique_ptr<clsShipParser> m_ships;
    TFileDocument* m_document = nullptr;
    clsCockpitParser m_cockpits;
    std::shared_ptr<clsTxtParser> m_lasers;
    std::shared_ptr<clsTxtParser> m_shields;
    std::shared_ptr<clsTxtParser> m_missiles;
    std::shared_ptr<clsTurret> m_turret;
    std::shared_ptr<clsGunGroup> m_gunGroup;
    std::shared_ptr<clsGun> m_gun;
    bool m_tablesLoaded = false;
    QString m_lastError;
    bool m_readOnly = false;
};
