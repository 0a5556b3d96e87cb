#include "core/PickShortcut.h"

#include "core/AppSettings.h"
#include "core/Log.h"

PickShortcut::PickShortcut(AppSettings& settings, GlobalShortcut& shortcut, QObject* parent)
    : QObject(parent), m_settings(settings), m_shortcut(shortcut)
{
    m_shortcut.setHandlers([this] { emit activated(); },
                           [this](const GlobalShortcut::Report& report) { receive(report); });
    connect(&m_settings, &AppSettings::pickShortcutChanged, this, &PickShortcut::keyChanged);
}

void PickShortcut::start()
{
    if (isOn())
        m_shortcut.bind(keySequence());
}

QString PickShortcut::keySequence() const
{
    return m_settings.pickShortcut();
}

void PickShortcut::setKeySequence(const QString& keySequence)
{
    const QString wanted = keySequence.trimmed();
    if (wanted != this->keySequence())
        m_settings.setPickShortcut(wanted);
}

void PickShortcut::keyChanged()
{
    const QString key = keySequence();
    m_shortcut.bind(key);
    if (key.isEmpty())
        receive({});
    emit changed();
}

QString PickShortcut::displayText(const QString& keySequence)
{
    QStringList parts = keySequence.split(QLatin1Char('+'));
    for (QString& part : parts) {
        if (part == QLatin1String("Meta"))
            part = QStringLiteral("Super");
    }
    return parts.join(QLatin1Char('+'));
}

QString PickShortcut::statusText() const
{
    const QString keyText = displayText(keySequence());
    using Status = GlobalShortcut::Status;
    switch (m_report.status) {
    case Status::off:
        return QString();
    case Status::pending:
        return tr("Asking the desktop for %1\u2026").arg(keyText);
    case Status::active:
        if (!m_report.detail.isEmpty())
            return tr("Press %1 anywhere to pick a color. Change it in the desktop's keyboard "
                      "settings.")
                .arg(m_report.detail);
        return tr("Press %1 anywhere to pick a color.").arg(keyText);
    case Status::taken:
        return tr("%1 is already taken by another program. Choose another key.").arg(keyText);
    case Status::declined:
        return tr("The desktop was not allowed to bind %1. Choose a key again to be asked "
                  "again.")
            .arg(keyText);
    case Status::failed:
        return tr("The desktop could not bind %1: %2").arg(keyText, m_report.detail);
    case Status::unsupported:
        return tr("This desktop does not let the picker bind a key itself. Bind this command to "
                  "a key in the desktop's keyboard settings:");
    }
    return QString();
}

QString PickShortcut::keepsRunningText() const
{
    // The desktop's own name of the trigger when it bound the key through its portal.
    const QString keyText =
        m_report.detail.isEmpty() ? displayText(keySequence()) : m_report.detail;
    return tr("Morvane Color Picker keeps running, so %1 still picks a color. To see this "
              "window again, open Morvane Color Picker from the application menu. Close the "
              "window again to hide it.")
        .arg(keyText);
}

void PickShortcut::receive(const GlobalShortcut::Report& report)
{
    if (report == m_report)
        return;
    m_report = report;
    if (report.status != GlobalShortcut::Status::pending)
        Log("shortcut")
            .info("pick key " + displayText(keySequence()).toStdString() + ": " +
                  (report.status == GlobalShortcut::Status::off ? std::string("off")
                                                                : statusText().toStdString()));
    emit changed();
}
