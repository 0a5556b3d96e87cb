#pragma once

#include <QString>

// The per-user autostart entry that starts the application at login:
// <autostart folder>/dev.morvane.colorpicker.desktop, the folder being
// $XDG_CONFIG_HOME/autostart. Nothing is cached: every call looks at the file, so a file that
// someone else adds or removes is seen at once.
class AutostartEntry
{
public:
    static inline const QString fileName = QStringLiteral("dev.morvane.colorpicker.desktop");

    // executable: the program the entry starts, an absolute path.
    AutostartEntry(QString autostartFolder, QString executable);

    // The entry of this user and this running copy: <ConfigFolder::home()>/autostart,
    // starting the image we run from (RunningImage::current()).
    static AutostartEntry forCurrentProcess();

    QString filePath() const;
    const QString& executable() const { return m_executable; }

    // True when the file exists and does not hide itself (Hidden=true, which desktops
    // write to switch an entry off).
    bool isEnabled() const;
    // Writes the entry (replacing any file there, atomically) or removes it. False when the
    // file system refused; the file then keeps its previous state.
    bool setEnabled(bool enabled) const;

    // The file's text for `executable`.
    static QByteArray contents(const QString& executable);
    // `path` as the Exec key's value: quoted and escaped by the desktop entry rules.
    static QString execValue(const QString& path);

private:
    QString m_folder;
    QString m_executable;
};
