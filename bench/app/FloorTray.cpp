// The floor of the start-up benchmark: the least a Qt 6 tray program can be. A tray icon and
// a hidden popup that a click shows, nothing else.
#include <QApplication>
#include <QPixmap>
#include <QSystemTrayIcon>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);

    QPixmap pixmap(22, 22);
    pixmap.fill(Qt::darkCyan);
    QSystemTrayIcon tray{QIcon(pixmap)};
    QWidget popup(nullptr, Qt::Popup);
    popup.resize(300, 300);
    QObject::connect(&tray, &QSystemTrayIcon::activated, &popup, [&popup] { popup.show(); });
    tray.show();

    return QApplication::exec();
}
