#pragma once
// What screen readers are told about the program's combo boxes and group boxes, where Qt's
// own account misleads on Linux: a combo box there is named by the value it shows, and a
// group box lists the hidden controls it keeps as well as the shown ones.
#include <QString>

class QGroupBox;

namespace AccessibleControls {

/// From now on every combo box is named by its accessible name (its caption; the value it
/// shows only when it has none) and keeps its value as its value; every group box lists only
/// the controls it does not hide. Installing it twice does nothing more.
void install();

} // namespace AccessibleControls
