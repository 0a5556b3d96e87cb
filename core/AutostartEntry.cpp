#include "core/AutostartEntry.h"

#include "core/ConfigFolder.h"
#include "core/Log.h"
#include "core/RunningImage.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

namespace {

// Characters that make an Exec argument need quotes.
bool needsQuotes(const QString& argument)
{
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    for (const QChar c : argument) {
        if (reserved.contains(c))
            return true;
    }
    return argument.isEmpty();
}

// A string value's escapes, applied to the Exec line as a whole.
QString escapeStringValue(const QString& value)
{
    QString escaped;
    for (const QChar c : value) {
        switch (c.unicode()) {
        case '\\':
            escaped += QLatin1String("\\\\");
            break;
        case '\n':
            escaped += QLatin1String("\\n");
            break;
        case '\t':
            escaped += QLatin1String("\\t");
            break;
        case '\r':
            escaped += QLatin1String("\\r");
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}

// Hidden=true in the [Desktop Entry] group, which desktops write to switch an entry off.
bool hidesItself(QFile& file)
{
    bool inEntryGroup = false;
    while (!file.atEnd()) {
        const QByteArray line = file.readLine().trimmed();
        if (line.startsWith('[')) {
            inEntryGroup = line == "[Desktop Entry]";
            continue;
        }
        const qsizetype equals = line.indexOf('=');
        if (inEntryGroup && equals > 0 && line.left(equals).trimmed() == "Hidden")
            return line.mid(equals + 1).trimmed() == "true";
    }
    return false;
}

void warn(const std::string& what, const QString& path, const QString& reason)
{
    Log("lifecycle").warning(what + ' ' + path.toStdString() + ": " + reason.toStdString());
}

} // namespace

AutostartEntry::AutostartEntry(QString autostartFolder, QString executable)
    : m_folder(std::move(autostartFolder)), m_executable(std::move(executable))
{
}

AutostartEntry AutostartEntry::forCurrentProcess()
{
    return AutostartEntry(ConfigFolder::home() + QStringLiteral("/autostart"),
                          RunningImage::current().path);
}

QString AutostartEntry::filePath() const
{
    return m_folder + u'/' + fileName;
}

bool AutostartEntry::isEnabled() const
{
    QFile file(filePath());
    if (!file.open(QIODevice::ReadOnly))
        return false;
    return !hidesItself(file);
}

bool AutostartEntry::setEnabled(bool enabled) const
{
    if (!enabled) {
        QFile file(filePath());
        if (!file.exists() || file.remove())
            return true;
        warn("cannot remove the autostart entry", filePath(), file.errorString());
        return false;
    }
    if (!QDir().mkpath(m_folder)) {
        warn("cannot create the autostart folder", m_folder, QStringLiteral("not a folder"));
        return false;
    }
    QSaveFile file(filePath());
    const bool written =
        file.open(QIODevice::WriteOnly) && file.write(contents(m_executable)) >= 0 && file.commit();
    if (!written)
        warn("cannot write the autostart entry", filePath(), file.errorString());
    return written;
}

QByteArray AutostartEntry::contents(const QString& executable)
{
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=Morvane Color Picker\n"
                          "Comment=Pick any color on your screen and copy its hex code\n"
                          "Icon=dev.morvane.colorpicker\n"
                          "Exec=%1\n"
                          "Terminal=false\n"
                          "X-GNOME-Autostart-enabled=true\n")
        .arg(execValue(executable))
        .toUtf8();
}

QString AutostartEntry::execValue(const QString& path)
{
    // Field codes start with '%'; a literal one is doubled, quoted or not.
    QString argument = path;
    argument.replace(u'%', QLatin1String("%%"));
    if (needsQuotes(path)) {
        QString quoted = QStringLiteral("\"");
        for (const QChar c : argument) {
            if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
                quoted += u'\\';
            quoted += c;
        }
        argument = quoted + u'"';
    }
    return escapeStringValue(argument);
}
