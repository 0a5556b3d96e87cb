#include "PreferencesFile.h"

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

} // namespace

PreferencesFile::PreferencesFile(const QString& path) : m_path(QFileInfo(path).absoluteFilePath())
{
}

PreferencesFile::Stamp PreferencesFile::stamp() const
{
    struct stat info; // filled by stat()
    if (::stat(QFile::encodeName(m_path).constData(), &info) != 0)
        return {};
    return {true, static_cast<qint64>(info.st_size),
            static_cast<qint64>(info.st_mtim.tv_sec) * 1'000'000'000 + info.st_mtim.tv_nsec,
            static_cast<quint64>(info.st_ino)};
}

bool PreferencesFile::isFolder() const
{
    return QFileInfo(m_path).isDir();
}

QString PreferencesFile::folderProblem()
{
    return QStringLiteral("it is a folder, so settings are kept in memory only");
}

std::optional<QByteArray> PreferencesFile::read(QString* problem) const
{
    const QFileInfo info(m_path);
    if (!info.exists() && !info.isSymLink())
        return QByteArray();
    if (info.isDir()) {
        *problem = folderProblem();
        return std::nullopt;
    }
    QFile file(m_path);
    if (file.open(QIODevice::ReadOnly)) {
        QByteArray content = file.readAll();
        if (file.error() == QFileDevice::NoError)
            return content;
    }
    *problem = file.errorString();
    return std::nullopt;
}

bool PreferencesFile::replace(const QByteArray& content, QString* problem) const
{
    QFileInfo info(m_path);
    const QString target = info.isSymLink() && info.exists() ? info.canonicalFilePath() : m_path;
    info = QFileInfo(target);
    if (!QDir().mkpath(info.absolutePath())) {
        *problem = QStringLiteral("its folder cannot be created");
        return false;
    }
    mode_t mode = S_IRUSR | S_IWUSR;
    struct stat old; // filled by stat()
    if (::stat(QFile::encodeName(target).constData(), &old) == 0 && S_ISREG(old.st_mode))
        mode |= old.st_mode & 07777;

    QTemporaryFile file(info.absoluteFilePath() + QStringLiteral(".XXXXXX"));
    if (!file.open()) {
        *problem = file.errorString();
        return false;
    }
    if (file.write(content) != content.size() || !file.flush()) {
        *problem = file.errorString();
        return false;
    }
    if (::fchmod(file.handle(), mode) != 0 || ::fdatasync(file.handle()) != 0 ||
        ::rename(QFile::encodeName(file.fileName()).constData(),
                 QFile::encodeName(target).constData()) != 0) {
        *problem = systemError(errno);
        return false;
    }
    file.setAutoRemove(false); // renamed: nothing left under the temporary name
    return true;
}

PreferencesFile::Keeping PreferencesFile::keepCopy(QString* name, QString* problem) const
{
    const QString stem = m_path + QStringLiteral(".bad-") +
                         QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    *name = stem;
    for (int n = 2; QFileInfo::exists(*name) || QFileInfo(*name).isSymLink(); ++n)
        *name = stem + QStringLiteral("-%1").arg(n);
    // A second name for the same file costs nothing and needs no permission to read it.
    if (::link(QFile::encodeName(m_path).constData(), QFile::encodeName(*name).constData()) == 0 ||
        QFile::copy(m_path, *name))
        return Keeping::Kept;
    if (!QFileInfo::exists(m_path))
        return Keeping::Gone;
    *problem = systemError(errno);
    return Keeping::Failed;
}
