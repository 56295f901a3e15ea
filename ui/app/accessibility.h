// What screen readers learn of the windows beyond what Qt tells by itself.
#pragma once

#include <QList>
#include <QString>

class QLabel;
class QWidget;

// What screen readers (AT-SPI on Linux, UI Automation on Windows) learn of the
// windows beyond what Qt tells by itself: the channel grid as a table, the
// status panels' texts, the progress panel as a progress bar, and a hint that
// changes while a field is shown (a red or yellow field says why in its tool
// tip, which readers take as its description). Once, before the first window
// is built; later calls do nothing.
void InstallAccessibility();

// A label that names `field` for screen readers (its buddy). A read-only box
// that shows the field's value beside it, `alsoNamed`, takes the same name.
QLabel *LabelFor(const QString &text, QWidget *field, QWidget *alsoNamed = nullptr);

// Tab moves through `widgets` in this order (the order they are seen in).
void SetTabOrder(const QList<QWidget *> &widgets);
