#pragma once

#include <QString>

// Shows a file selected in the desktop's file manager. Fire and forget: no result.
class FileManagerReveal
{
public:
    virtual ~FileManagerReveal() = default;

    virtual void reveal(const QString& path) = 0;
};
