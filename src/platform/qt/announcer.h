// SPDX-License-Identifier: GPL-3.0-or-later
// Words that a screen reader says at once, for a change that moves no
// focus, such as a letter marker's new state.
#pragma once

class QString;
class QWidget;

namespace quibbly {

// Shows the words for a moment as a notification of the widget's window,
// which assistive tools read out as it shows. (Qt 6.4 tells them of a new
// name without the name, so that a screen reader cannot say it.)
void Announce(QWidget* near, const QString& words);

}  // namespace quibbly
