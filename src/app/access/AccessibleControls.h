#pragma once
// What screen readers are told about the program's combo boxes, group boxes and main window,
// where Qt's own account misleads on Linux: a combo box there is named by the value it shows,
// a group box after the box around it, and every container lists the controls it keeps hidden
// as well as the shown ones.

namespace AccessibleControls {

/// From now on every combo box is named by its accessible name (its caption; the value it
/// shows only when it has none) and keeps its value as its value; every group box is named by
/// its own title; group boxes and main windows list only the controls they do not hide.
/// Installing it twice does nothing more.
void install();

} // namespace AccessibleControls
