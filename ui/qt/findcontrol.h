#pragma once

#include <QString>

class QWidget;

namespace z7 {

// The first descendant of root (depth first, in creation order) whose object
// name equals name apart from the case of the letters A-Z; every other
// character, umlauts included, must match exactly. nullptr when none does.
QWidget *FindControl(const QWidget *root, const QString &name);

// The name comparison FindControl uses.
bool SameControlName(const QString &a, const QString &b);

} // namespace z7
