// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/frame/about_form.h"

#include <string>

#include "platform/version.h"

namespace quibbly {

namespace {
Look Text(Place place) {
    return Look{.place = place, .font = Font{.family = "Arial", .points = 9.75}, .centred = false};
}
}  // namespace

AboutForm::AboutForm()
    : Form(FormDesign{.caption = "About Quibbly",
                      .clientWidth = 4740,
                      .clientHeight = 2550,
                      .border = BorderStyle::FixedDialog,
                      .showInTaskbar = false,
                      .icon = "quibbly",
                      .controlBox = false,
                      .standardBack = true}),
      Picture1(*this, "Picture1", nullptr, Look{.place = {240, 720, 540, 540}, .picture = "quibbly"}),
      Frame1(*this, "Frame1", nullptr, Look{.place = {840, 360, 3615, 1095}}),
      Label3(*this, "Label3", &Frame1, Text({120, 240, 975, 255}), "Quibbly"),
      Label1(*this, "Label1", &Frame1, Text({120, 480, 3375, 300}), "Free software by the Quibbly team"),
      Label2(*this, "Label2", &Frame1, Text({120, 720, 2415, 255})),
      OKButton(*this, "OKButton", nullptr,
               Look{.place = {1800, 1800, 1095, 375}, .font = Font{.family = "Arial", .points = 9.75}},
               "OK") {
    SetTabOrder({&OKButton});
    SetEscapeButton(OKButton);
    OKButton.Click = [this] { OKButton_Click(); };
}

void AboutForm::Form_Activate() {
    Label2.SetCaption("Version " + std::to_string(ProgramVersion.major) + "." +
                      std::to_string(ProgramVersion.minor));
    SetFocus(&OKButton);
}

void AboutForm::OKButton_Click() {
    Hide();
}

}  // namespace quibbly
