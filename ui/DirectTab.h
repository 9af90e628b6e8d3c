// The tab "Přímý přístup": any EEPROM page in a hex grid, read, edited,
// written to any page and kept in image files; and in debug mode the
// microcontroller's snapshot, in the processed view or as memory in the
// grid with its registers beside it.  The mode (radio buttons and debug
// type) decides the common buttons, the dialogs and the views; see
// shell/DirectModes.h.  The group "Celá paměť" backs up, restores and
// compares the whole Controller (shell/WholeMemory.h).
#pragma once

#include <memory>

#include "controller/DebugDump.h"
#include "link/PageMap.h"
#include "shell/DirectModes.h"
#include "shell/WholeMemory.h"
#include "ui/TabPage.h"

class QPainter;

namespace Ui {
class DirectTab;
}

class DirectTab : public TabPage {
    Q_OBJECT
public:
    DirectTab(const TabContext& context, QWidget* parent = nullptr);
    ~DirectTab() override;

    TabPolicy Policy() const override;
    void Entered() override;
    void Read() override;
    void Write() override;
    void Load(const QString& path) override;
    void Save(const QString& path) override;

    const PageBuffer& Buffer() const { return buffer_; }
    DirectMode Mode() const;

public slots:
    // The mode change: run by both radio buttons, the debug type list and
    // every entry into the tab.
    void rbDirectClick();

private:
    void dgHexEditorDrawCell(QPainter& painter, const QRect& cell, int column, int row);
    QString dgHexEditorGetEditText(int column, int row) const;
    void dgHexEditorSetEditText(int column, int row, const QString& text);
    QString dgHexEditorReadCell(int column, int row) const;

    void ReadPage();
    void ReadDebugDump();
    void ShowBuffer(const PageBuffer& bytes);
    void SaveFile(const QString& path, const QByteArray& bytes);
    // Runs one of the whole-memory commands; a close of the window meanwhile
    // stops its transfer and closes the window after it.
    void RunWholeMemory(void (*command)(WholeMemoryContext&));

    std::unique_ptr<Ui::DirectTab> ui_;
    TabContext context_;
    PageBuffer buffer_{};
};
