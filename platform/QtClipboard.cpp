#include "QtClipboard.h"

#include <QClipboard>
#include <QGuiApplication>

bool QtClipboard::setText(const QString& text)
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard)
        return false;
    clipboard->setText(text, QClipboard::Clipboard);
    return true;
}
