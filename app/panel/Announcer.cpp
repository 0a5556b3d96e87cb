#include "app/panel/Announcer.h"

#include "app/panel/AccessibleRoles.h"

Announcer::Announcer(QWidget* parent) : QWidget(parent)
{
    AccessibleRoles::install();
    setFixedSize(0, 0);
    setFocusPolicy(Qt::NoFocus);
    hide();
}

void Announcer::announce(const QString& message)
{
    if (message.isEmpty())
        return;
    // Hidden first, so the same message twice is announced twice.
    hide();
    setAccessibleName(message);
    show();
}
