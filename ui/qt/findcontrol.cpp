#include "ui/qt/findcontrol.h"

#include <QWidget>

namespace z7 {

bool SameControlName(const QString &a, const QString &b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        const char16_t x = a.at(i).unicode();
        const char16_t y = b.at(i).unicode();
        if (x == y)
            continue;
        const auto lower = [](char16_t c) -> char16_t {
            return c >= u'A' && c <= u'Z' ? char16_t(c + (u'a' - u'A')) : c;
        };
        const bool letters = lower(x) >= u'a' && lower(x) <= u'z';
        if (!letters || lower(x) != lower(y))
            return false;
    }
    return true;
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
