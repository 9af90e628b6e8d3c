// The tab "Režim": the time program in a week grid, and the radio buttons
// that say which of the Controller's programs A, B and C the common buttons
// act on.  The grid holds one program, not tied to A, B or C: choosing
// another button changes only the target of the next transfer.
#pragma once

#include <memory>

#include "controller/ModeProgram.h"
#include "ui/TabPage.h"

namespace Ui {
class ModeTab;
}

class ModeTab : public TabPage {
    Q_OBJECT
public:
    ModeTab(const TabContext& context, QWidget* parent = nullptr);
    ~ModeTab() override;

    TabPolicy Policy() const override;
    void Read() override;
    void Write() override;
    // The section "ModeA", "ModeB" or "ModeC" of a parameter file, after the
    // selected program.  A section without a whole program leaves the grid.
    void Load(const QString& path) override;
    void Save(const QString& path) override;

    // rbModeA gives A, else rbModeB gives B, else C: the program of the next
    // transfer, and the section of the parameter file.
    ModeProgramId SelectedProgram() const;

    // The program as the grid shows it, for the parameter file; replacing it
    // redraws the grid.
    const ModeProgram& Program() const { return program_; }
    void ReplaceProgram(const ModeProgram& program);

private:
    std::unique_ptr<Ui::ModeTab> ui_;
    TabContext context_;
    ModeProgram program_;
};
