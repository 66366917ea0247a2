// SPDX-License-Identifier: GPL-3.0-or-later
// The winners window: the current level's best rows over a picture of a page
// between two pencils, cleared with Clear and written back with OK.
#pragma once

#include <array>
#include <memory>

#include "platform/controls.h"
#include "platform/form.h"

namespace quibbly {

class WinnersForm : public Form {
public:
    WinnersForm();
    static WinnersForm& Instance() { return Forms::Instance<WinnersForm>(); }

    static constexpr int RowLabels = 15;

    // Holds the shown rows; never visible. Its being empty at OK tells the
    // write-back to leave out the level's rows.
    ListBox WinnersList;
    Button OKButton;
    Button ClearButton;
    // WinnersLabel(0) to WinnersLabel(14): row k + 1 of the list in label k.
    Label& WinnersLabel(int index) { return *labels_.at(static_cast<std::size_t>(index)); }

    void Form_Activate() override;
    // Escape and the desktop's close leave as OK does, but a Clear that OK
    // did not confirm is not written.
    void PressEscape() override;
    void OKButton_Click();
    void ClearButton_Click();

private:
    void Leave(bool confirmed);
    std::array<std::unique_ptr<Label>, RowLabels> labels_;
};

}  // namespace quibbly
