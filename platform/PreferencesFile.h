#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// The preferences file on disk, by its absolute path: what identifies its state, its whole
// content, an atomic replace, and a copy kept beside it. Holds no state of its own.
class PreferencesFile
{
public:
    // What identifies one state of the file on disk; a change means someone rewrote it.
    struct Stamp
    {
        bool exists = false;
        qint64 size = 0;
        qint64 modifiedNanoseconds = 0;
        quint64 inode = 0;

        friend bool operator==(const Stamp&, const Stamp&) = default;
    };

    enum class Keeping
    {
        Kept,   // a copy is under the name given
        Gone,   // there was no file to keep
        Failed, // the file is there but could not be kept; the problem says why
    };

    explicit PreferencesFile(const QString& path);

    const QString& path() const { return m_path; }
    Stamp stamp() const;
    // A folder in the file's place: nothing can be read or saved.
    bool isFolder() const;
    // Why a folder in the file's place stops reads and saves alike.
    static QString folderProblem();

    // The file's bytes (empty when there is no file), or none with why they cannot be read.
    std::optional<QByteArray> read(QString* problem) const;
    // Replaces the file with exactly this content (a new file renamed over it, flushed to
    // disk first), or leaves it as it was and says why. The old file's permissions carry
    // over, but the owner can always read and write the new one; a symbolic link is followed.
    bool replace(const QByteArray& content, QString* problem) const;
    // Keeps the file as it is now beside itself as <path>.bad-YYYYMMDD-HHMMSS (with -2, -3...
    // when that name is taken): *name is the name used or tried.
    Keeping keepCopy(QString* name, QString* problem) const;

private:
    const QString m_path;
};
