#pragma once

#include <QByteArray>
#include <QString>

namespace z7 {

// The bytes of the resource ":/<TYPE>/<NAME>" carried inside the program. Type
// and name are matched without regard to the case of A-Z. A missing resource
// throws z7::Error("Ressource <name> nicht gefunden").
QByteArray ReadResource(const QString &type, const QString &name);

} // namespace z7
