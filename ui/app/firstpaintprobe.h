// The start-up benchmark's probe: the moment of the main window's first paint.
#pragma once

class QWidget;

// For the start-up benchmark: once `window` has been painted for the first
// time, prints "first-paint <steady clock ns> <resident kB> <width> <height>" on standard
// output and ends the process at once. The benchmark compares the time with the
// moment it started the process.
void InstallFirstPaintProbe(QWidget *window);
