#pragma once

#include "core/ports/FileManagerReveal.h"

#include <QObject>

// Reveals through the session bus's org.freedesktop.FileManager1.ShowItems; when no bus, no
// file manager service or an error answers, opens the file's folder with the default handler.
class FreedesktopFileManagerReveal : public QObject, public FileManagerReveal
{
    Q_OBJECT

public:
    using QObject::QObject;

    void reveal(const QString& path) override;

    static void openContainingFolder(const QString& path);
};
