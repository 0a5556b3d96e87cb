#include "app/shell/RelocationWarning.h"

#include "core/ActivationPolicyController.h"
#include "core/AppSettings.h"
#include "core/ports/ApplicationPresence.h"
#include "core/ports/FileManagerReveal.h"

#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

namespace {

const QString productName = QStringLiteral("Morvane Color Picker");

} // namespace

RelocationWarning::RelocationWarning(AppSettings& settings, ApplicationPresence& presence,
                                     ActivationPolicyController& activationPolicy,
                                     FileManagerReveal& reveal, QObject* parent)
    : QObject(parent), m_settings(settings), m_presence(presence),
      m_activationPolicy(activationPolicy), m_reveal(reveal)
{
}

bool RelocationWarning::isRelocated(const QString& bundlePath)
{
    return bundlePath.contains(marker, Qt::CaseSensitive);
}

std::unique_ptr<QMessageBox> RelocationWarning::buildAlert()
{
    auto alert = std::make_unique<QMessageBox>();
    alert->setIcon(QMessageBox::Warning);
    alert->setWindowTitle(productName);
    alert->setText(tr("Move %1 to Applications").arg(productName));
    alert->setInformativeText(
        tr("To enable automatic updates, please drag %1 to your Applications folder, then "
           "relaunch.")
            .arg(productName));
    // The label is kept for compatibility; here the button shows the file in the file manager.
    alert->addButton(tr("Reveal in Finder"), QMessageBox::AcceptRole)
        ->setObjectName(QStringLiteral("revealButton"));
    alert->addButton(tr("Later"), QMessageBox::RejectRole);
    return alert;
}

bool RelocationWarning::check(const QString& bundlePath)
{
    if (!isRelocated(bundlePath) || m_settings.relocationWarningShown())
        return false;
    // Written before anything shows: the alert is offered once even if it never appears.
    m_settings.setRelocationWarningShown(true);
    QTimer::singleShot(alertDelay, this, [this, bundlePath] { showAlert(bundlePath); });
    return true;
}

void RelocationWarning::showAlert(const QString& bundlePath)
{
    const ActivationPolicy previous = m_presence.activationPolicy();
    m_presence.setActivationPolicy(ActivationPolicy::regular);
    m_presence.activate();

    const std::unique_ptr<QMessageBox> alert = buildAlert();
    alert->exec();
    const QAbstractButton* clicked = alert->clickedButton();
    if (clicked && clicked->objectName() == QLatin1String("revealButton"))
        m_reveal.reveal(bundlePath);

    if (previous == ActivationPolicy::accessory)
        m_activationPolicy.demoteWhenIdle(false);
    emit alertFinished();
}
