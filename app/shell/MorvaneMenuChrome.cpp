#include "app/shell/MorvaneMenuChrome.h"

#include "core/AppSettings.h"
#include "core/MorvaneMenuRules.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>

namespace MorvaneMenuChrome {
namespace {

QList<QPointer<MenuSanitizerDelegate>>& sanitizerList()
{
    static QList<QPointer<MenuSanitizerDelegate>> list;
    return list;
}

// The title as shown: "&&" is a literal ampersand, a single "&" only marks a mnemonic.
QString shownTitle(const QAction& action)
{
    const QString text = action.text();
    QString title;
    title.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) == u'&' && i + 1 < text.size())
            ++i;
        title.append(text.at(i));
    }
    return title;
}

bool isMenuOrMenuBar(const QObject* object)
{
    return qobject_cast<const QMenu*>(object) || qobject_cast<const QMenuBar*>(object);
}

// A menu reached through another menu or a menu bar, or owned by one (a removed "Format"
// menu, say), is not a stand-alone menu.
bool isSubmenu(const QMenu& menu)
{
    if (isMenuOrMenuBar(menu.parent()))
        return true;
    const QObjectList holders = menu.menuAction()->associatedObjects();
    return std::any_of(holders.cbegin(), holders.cend(), [&menu](const QObject* holder) {
        return holder != &menu && isMenuOrMenuBar(holder);
    });
}

} // namespace

void installSanitizer(AppSettings& settings)
{
    settings.disablePlatformMenuItems();
    sanitizeNow();
    // Menus built after launch are caught by the later runs.
    QTimer::singleShot(0, qApp, &sanitizeNow);
    QTimer::singleShot(lateRerunDelay, qApp, &sanitizeNow);
    QObject::connect(qApp, &QGuiApplication::applicationStateChanged, qApp,
                     [](Qt::ApplicationState state) {
                         if (state == Qt::ApplicationActive)
                             sanitizeNow();
                     });
}

void sanitizeNow()
{
    const QWidgetList widgets = QApplication::allWidgets();
    for (QWidget* widget : widgets) {
        if (auto* menuBar = qobject_cast<QMenuBar*>(widget))
            sanitizeMenuBar(*menuBar);
        else if (auto* menu = qobject_cast<QMenu*>(widget); menu && !isSubmenu(*menu))
            sanitizeTopLevelMenu(*menu);
    }
}

void sanitizeMenuBar(QMenuBar& menuBar)
{
    const QList<QAction*> snapshot = menuBar.actions();
    for (QAction* action : snapshot) {
        QMenu* submenu = action->menu();
        if (!submenu)
            continue;
        if (MorvaneMenuRules::isRemovedTopLevel(shownTitle(*action)))
            menuBar.removeAction(action);
        else
            sanitizeTopLevelMenu(*submenu);
    }
}

void sanitizeTopLevelMenu(QMenu& menu)
{
    if (!menu.findChild<MenuSanitizerDelegate*>(QString(), Qt::FindDirectChildrenOnly))
        sanitizerList().append(new MenuSanitizerDelegate(menu));
    stripJunk(menu);
}

void stripJunk(QMenu& menu)
{
    const QList<QAction*> actions = menu.actions();
    QList<MorvaneMenuRules::MenuEntry> entries;
    entries.reserve(actions.size());
    for (const QAction* action : actions)
        entries.append({shownTitle(*action), action->isSeparator()});
    for (qsizetype index : MorvaneMenuRules::strippedIndices(entries))
        menu.removeAction(actions.at(index));
}

QList<QPointer<MenuSanitizerDelegate>> sanitizers()
{
    return sanitizerList();
}

} // namespace MorvaneMenuChrome

MenuSanitizerDelegate::MenuSanitizerDelegate(QMenu& menu) : QObject(&menu)
{
    connect(&menu, &QMenu::aboutToShow, this, [&menu] { MorvaneMenuChrome::stripJunk(menu); });
}
