// The page of the lasers a ship's front guns or a turret type accept: the
// compatible and the available lasers of the first 32 lines of the laser
// table, and the two buttons between them. Moving a laser sets or clears its
// bit in the record's 32-bit mask, written through the document.
#pragma once

#include "platform/Prompts.h"
#include "tfiles/TFileDocument.h"

#include <QWidget>

#include <cstdint>

class QPushButton;
class QTreeWidget;
class clsTxtParser;

class LaserPage : public QWidget {
    Q_OBJECT

public:
    explicit LaserPage(QWidget* parent);

    QTreeWidget* LaserView() const { return m_laserView; }
    QTreeWidget* AvailView() const { return m_availView; }
    QPushButton* btnAddLaser() const { return m_btnAddLaser; }
    QPushButton* btnRemoveLaser() const { return m_btnRemoveLaser; }

    void Clear();
    // Every laser up to line 31: compatible when its bit is set in the mask.
    void Fill(const clsTxtParser& lasers, int32_t mask);
    // Moves the selected laser to the other list and writes the mask at
    // maskField of the record; false when nothing moved (no selected row, a
    // laser no longer in the table, a mask that is no 32-bit number or a
    // refused write, the last two told to the person).
    bool Move(bool compatible, const clsTxtParser& lasers, TFileDocument& document,
              const TFileDocument::Record& record, int32_t maskField);

signals:
    // A double click or a button asks to add (true) or remove (false).
    void MoveRequested(bool compatible);

private:
    void AddRow(QTreeWidget* list, const clsTXTObject& laser, int32_t bit);

    // Its message boxes carry the program's title.
    const platform::WindowPrompts m_prompts;
    QTreeWidget* m_laserView = nullptr;
    QTreeWidget* m_availView = nullptr;
    QPushButton* m_btnAddLaser = nullptr;
    QPushButton* m_btnRemoveLaser = nullptr;
};
