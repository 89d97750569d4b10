#include "ui/qt/findcontrol.h"

#include "model/text.h"
#include "ui/qt/qtext.h"

#include <QWidget>

namespace z7 {

bool SameControlName(const QString &a, const QString &b)
{
    return EqualsIgnoringAsciiCase(toU16View(a), toU16View(b));
}

QWidget *FindControl(const QWidget *root, const QString &name)
{
    if (!root)
        return nullptr;
    const QList<QWidget *> all = root->findChildren<QWidget *>();
    for (QWidget *w : all) {
        if (SameControlName(w->objectName(), name))
            return w;
    }
    return nullptr;
}

} // namespace z7
