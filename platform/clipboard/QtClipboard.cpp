#include "platform/clipboard/QtClipboard.h"

#include <QClipboard>
#include <QGuiApplication>

void QtClipboard::setText(const QString& text, Completion done)
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard) {
        done(false);
        return;
    }
    clipboard->setText(text, QClipboard::Clipboard);
    done(true);
}

QString QtClipboard::currentText() const
{
    const QClipboard* clipboard = QGuiApplication::clipboard();
    return clipboard ? clipboard->text(QClipboard::Clipboard) : QString();
}
