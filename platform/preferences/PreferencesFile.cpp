#include "platform/preferences/PreferencesFile.h"

#include "platform/instance/UniqueFd.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {

QString systemError(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// What a file of this type is, for a warning.
QString kindOf(mode_t mode)
{
    switch (mode & S_IFMT) {
    case S_IFIFO:
        return QStringLiteral("a named pipe");
    case S_IFCHR:
        return QStringLiteral("a character device");
    case S_IFBLK:
        return QStringLiteral("a block device");
    case S_IFSOCK:
        return QStringLiteral("a socket");
    default:
        return QStringLiteral("not a file");
    }
}

QString notRegular(mode_t mode)
{
    return kindOf(mode) + QStringLiteral(", not a regular file");
}

QString tooLarge()
{
    return QStringLiteral("larger than %1 KiB, too large to be a preferences file")
        .arg(PreferencesFile::maximumSize / 1024);
}

// Reads at most `limit` + 1 bytes, so a file that grew past the limit shows it.
std::optional<QByteArray> readUpTo(int fd, qint64 limit)
{
    QByteArray bytes;
    char chunk[16384];
    while (bytes.size() <= limit) {
        const ssize_t got = ::read(fd, chunk, sizeof chunk);
        if (got == 0)
            return bytes;
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return std::nullopt;
        }
        bytes.append(chunk, got);
    }
    return bytes;
}

// Writes all of it, or gives why not: 0 when written.
int writeAll(int fd, QByteArrayView bytes)
{
    while (!bytes.isEmpty()) {
        const ssize_t wrote = ::write(fd, bytes.data(), size_t(bytes.size()));
        if (wrote < 0 && errno == EINTR)
            continue;
        if (wrote <= 0)
            return wrote < 0 ? errno : EIO;
        bytes = bytes.sliced(wrote);
    }
    return 0;
}

PreferencesFile::Stamp stampOf(const struct stat& info)
{
    return {true, static_cast<qint64>(info.st_size),
            static_cast<qint64>(info.st_mtim.tv_sec) * 1'000'000'000 + info.st_mtim.tv_nsec,
            static_cast<quint64>(info.st_ino)};
}

// Whether the path names a regular file, following symbolic links.
bool isRegularFile(const QByteArray& path)
{
    struct stat info; // filled by stat()
    return ::stat(path.constData(), &info) == 0 && S_ISREG(info.st_mode);
}

} // namespace

PreferencesFile::PreferencesFile(const QString& path) : m_path(QFileInfo(path).absoluteFilePath())
{
}

PreferencesFile::Stamp PreferencesFile::stamp() const
{
    struct stat info; // filled by stat()
    if (::stat(QFile::encodeName(m_path).constData(), &info) != 0)
        return {};
    return stampOf(info);
}

bool PreferencesFile::isFolder() const
{
    return QFileInfo(m_path).isDir();
}

QString PreferencesFile::folderProblem()
{
    return QStringLiteral("it is a folder, so settings are kept in memory only");
}

std::optional<PreferencesFile::Content> PreferencesFile::read(QString* problem) const
{
    const QByteArray name = QFile::encodeName(m_path);
    // Without waiting: a named pipe with no writer would hold the launch for good.
    const UniqueFd fd(::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (!fd.isValid()) {
        const int error = errno;
        struct stat info; // filled by lstat() and stat()
        // No file there (nor a link that leads nowhere): nothing to read yet.
        if ((error == ENOENT || error == ENOTDIR) && ::lstat(name.constData(), &info) != 0)
            return Content{};
        // A socket cannot be opened at all (ENXIO): it is unfit, not unreadable.
        if (::stat(name.constData(), &info) == 0 && !S_ISREG(info.st_mode) &&
            !S_ISDIR(info.st_mode))
            return Content{{}, notRegular(info.st_mode)};
        *problem = error == EISDIR ? folderProblem() : systemError(error);
        return std::nullopt;
    }
    struct stat info; // filled by fstat()
    if (::fstat(fd.get(), &info) != 0) {
        *problem = systemError(errno);
        return std::nullopt;
    }
    if (S_ISDIR(info.st_mode)) {
        *problem = folderProblem();
        return std::nullopt;
    }
    if (!S_ISREG(info.st_mode))
        return Content{{}, notRegular(info.st_mode)};
    if (info.st_size > maximumSize)
        return Content{{}, tooLarge()};
    std::optional<QByteArray> bytes = readUpTo(fd.get(), maximumSize);
    if (!bytes) {
        *problem = systemError(errno);
        return std::nullopt;
    }
    if (bytes->size() > maximumSize)
        return Content{{}, tooLarge()};
    return Content{std::move(*bytes), {}};
}

std::optional<PreferencesFile::Stamp> PreferencesFile::replace(const QByteArray& content,
                                                               QString* problem) const
{
    QFileInfo info(m_path);
    // A link to anything but a regular file is replaced itself: the device or pipe it names
    // is left alone.
    const QString target = info.isSymLink() && isRegularFile(QFile::encodeName(m_path))
                               ? info.canonicalFilePath()
                               : m_path;
    info = QFileInfo(target);
    if (!QDir().mkpath(info.absolutePath())) {
        *problem = QStringLiteral("its folder cannot be created");
        return std::nullopt;
    }
    mode_t mode = S_IRUSR | S_IWUSR;
    struct stat old; // filled by stat()
    if (::stat(QFile::encodeName(target).constData(), &old) == 0 && S_ISREG(old.st_mode))
        mode |= old.st_mode & 07777;

    QTemporaryFile file(info.absoluteFilePath() + QStringLiteral(".XXXXXX"));
    if (!file.open()) {
        *problem = file.errorString();
        return std::nullopt;
    }
    if (const int error = writeAll(file.handle(), content)) {
        *problem = systemError(error); // a full disk, a file size limit
        return std::nullopt;
    }
    // What the file is once renamed: a rename changes neither its size, its time nor its
    // inode.
    struct stat written; // filled by fstat()
    if (::fchmod(file.handle(), mode) != 0 || ::fdatasync(file.handle()) != 0 ||
        ::fstat(file.handle(), &written) != 0 ||
        ::rename(QFile::encodeName(file.fileName()).constData(),
                 QFile::encodeName(target).constData()) != 0) {
        *problem = systemError(errno);
        return std::nullopt;
    }
    file.setAutoRemove(false); // renamed: nothing left under the temporary name
    return stampOf(written);
}

PreferencesFile::Keeping PreferencesFile::keepCopy(QString* name, QString* problem) const
{
    const QString stem = m_path + QStringLiteral(".bad-") +
                         QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    *name = stem;
    for (int n = 2; QFileInfo::exists(*name) || QFileInfo(*name).isSymLink(); ++n)
        *name = stem + QStringLiteral("-%1").arg(n);
    const QByteArray from = QFile::encodeName(m_path);
    const QByteArray to = QFile::encodeName(*name);
    if (!isRegularFile(from)) {
        // Never opened: moved aside whole, the link itself where there is one.
        if (::rename(from.constData(), to.constData()) == 0)
            return Keeping::Kept;
    } else if (::linkat(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), AT_SYMLINK_FOLLOW) ==
                   0 ||
               QFile::copy(m_path, *name)) {
        // A second name for the file itself (not for a link to it, which the save then
        // follows) costs nothing and needs no permission to read it.
        return Keeping::Kept;
    }
    const int error = errno;
    struct stat info; // filled by lstat()
    if (::lstat(from.constData(), &info) != 0 && errno == ENOENT)
        return Keeping::Gone;
    *problem = systemError(error);
    return Keeping::Failed;
}
