#pragma once

#include <QObject>
#include <QString>

#include <chrono>
#include <memory>

class ActivationPolicyController;
class AppSettings;
class ApplicationPresence;
class FileManagerReveal;
class QMessageBox;

// The one-time warning for a copy that runs from a relocated place (a path containing the
// marker "AppTranslocation"): the flag is written at once, the alert shows 0.6 s later in
// regular presence and, when the application was tray-only before, the presence drops back
// 0.2 s after the alert closes unless an ordinary window is visible.
class RelocationWarning : public QObject
{
    Q_OBJECT

public:
    // Kept for compatibility and inert here: no Linux launcher relocates a copy to such a path.
    static inline const QString marker = QStringLiteral("AppTranslocation");
    static constexpr std::chrono::milliseconds alertDelay{600};

    RelocationWarning(AppSettings& settings, ApplicationPresence& presence,
                      ActivationPolicyController& activationPolicy, FileManagerReveal& reveal,
                      QObject* parent = nullptr);

    // Case-sensitive: other letter cases are not the marker.
    static bool isRelocated(const QString& bundlePath);
    // The alert with its texts and buttons, the first one "Reveal in Finder".
    static std::unique_ptr<QMessageBox> buildAlert();

    // The launch check. True when the alert was scheduled.
    bool check(const QString& bundlePath);

signals:
    // The alert was answered (after the reveal and the demotion request).
    void alertFinished();

private:
    void showAlert(const QString& bundlePath);

    AppSettings& m_settings;
    ApplicationPresence& m_presence;
    ActivationPolicyController& m_activationPolicy;
    FileManagerReveal& m_reveal;
};
