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

    // A real preferences file holds a few kilobytes; anything larger is not read.
    static constexpr qint64 maximumSize = 1024 * 1024;

    // What read() found at the path.
    struct Content
    {
        QByteArray bytes; // the whole file (empty when there is none, or when it is unfit)
        // Set when something is there that is no preferences file: not a regular file (a named
        // pipe, a device, a socket, followed through a symbolic link or not) or a file over
        // maximumSize. It is not read, and says what it is ("a named pipe, not a regular file").
        QString unfit;
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

    // What is at the path, or none with why it cannot be read. Never blocks: the file is
    // opened without waiting (a named pipe with no writer), checked to be a regular file, and
    // read up to maximumSize only.
    std::optional<Content> read(QString* problem) const;
    // Replaces the file with exactly this content (a new file renamed over it, flushed to
    // disk first) and gives the new file's stamp, or leaves it as it was and says why. The
    // old file's permissions carry over, but the owner can always read and write the new one;
    // a symbolic link to a regular file is followed, one to anything else is replaced itself.
    std::optional<Stamp> replace(const QByteArray& content, QString* problem) const;
    // Keeps the file as it is now beside itself as <path>.bad-YYYYMMDD-HHMMSS (with -2, -3...
    // when that name is taken): *name is the name used or tried. A regular file (or the one a
    // symbolic link names) is kept as a second name or a copy; anything else (a named pipe, a
    // device, a symbolic link to one) is moved to that name, never read.
    Keeping keepCopy(QString* name, QString* problem) const;

private:
    const QString m_path;
};
