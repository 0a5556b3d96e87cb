#include "app/panel/AccessibleRoles.h"

#include "app/panel/Announcer.h"
#include "app/panel/SwatchView.h"

#include <QAccessibleWidget>

namespace {

QAccessibleInterface* panelWidgets(const QString& className, QObject* object)
{
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget)
        return nullptr;
    if (className == QLatin1String(SwatchView::staticMetaObject.className()))
        return new QAccessibleWidget(widget, QAccessible::Graphic);
    if (className == QLatin1String(Announcer::staticMetaObject.className()))
        return new QAccessibleWidget(widget, QAccessible::Notification);
    return nullptr;
}

} // namespace

void AccessibleRoles::install()
{
    static const bool installed = [] {
        QAccessible::installFactory(panelWidgets);
        return true;
    }();
    Q_UNUSED(installed);
}
