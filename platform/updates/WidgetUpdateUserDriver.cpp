#include "WidgetUpdateUserDriver.h"

#include <QDesktopServices>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

#include <memory>

WidgetUpdateUserDriver::WidgetUpdateUserDriver(QString applicationName)
    : m_applicationName(std::move(applicationName))
{
}

WidgetUpdateUserDriver::~WidgetUpdateUserDriver()
{
    delete m_window.data();
}

void WidgetUpdateUserDriver::showUpToDate(const QString& currentVersion)
{
    showMessage(false, QObject::tr("You're up to date!"),
                QObject::tr("%1 %2 is currently the newest version available.")
                    .arg(m_applicationName, currentVersion));
}

void WidgetUpdateUserDriver::showError(const UpdateError& error)
{
    showMessage(true, QObject::tr("Update Error!"), error.localizedDescription);
}

void WidgetUpdateUserDriver::showDownloadReady(const QString& displayVersion, const QString& path)
{
    showMessage(false, QObject::tr("Update downloaded"),
                QObject::tr("%1 %2 was downloaded and verified:\n%3\n\nReplace the installed copy "
                            "with it and start it again to finish updating.")
                    .arg(m_applicationName, displayVersion, path));
}

void WidgetUpdateUserDriver::showUpdateAvailable(const UpdateOffer& offer,
                                                 std::function<void(UpdateChoice)> reply)
{
    auto* dialog = new QDialog;
    dialog->setWindowTitle(QObject::tr("Software Update"));
    auto* layout = new QVBoxLayout(dialog);
    auto* heading = new QLabel(QObject::tr("<b>A new version of %1 is available!</b>")
                                   .arg(m_applicationName.toHtmlEscaped()));
    layout->addWidget(heading);
    layout->addWidget(
        new QLabel(QObject::tr("%1 %2 is now available; you have %3. Would you like "
                               "to install it now?")
                       .arg(m_applicationName, offer.displayVersion, offer.currentVersion)));
    if (!offer.releaseNotesHtml.trimmed().isEmpty() || offer.releaseNotesLink.isValid()) {
        auto* notes = new QTextBrowser;
        // Links leave for the browser, and only web links: the notes come from the network.
        notes->setOpenLinks(false);
        QObject::connect(notes, &QTextBrowser::anchorClicked, notes, [](const QUrl& url) {
            if (url.scheme() == u"https" || url.scheme() == u"http")
                QDesktopServices::openUrl(url);
        });
        if (!offer.releaseNotesHtml.trimmed().isEmpty()) {
            notes->setHtml(offer.releaseNotesHtml);
        } else {
            const QString link = offer.releaseNotesLink.toString().toHtmlEscaped();
            notes->setHtml(
                QStringLiteral("<a href=\"%1\">%2</a>").arg(link, QObject::tr("Release notes")));
        }
        layout->addWidget(notes);
    }
    auto* buttons = new QDialogButtonBox;
    QPushButton* skip =
        buttons->addButton(QObject::tr("Skip This Version"), QDialogButtonBox::DestructiveRole);
    QPushButton* later = buttons->addButton(QObject::tr("Later"), QDialogButtonBox::RejectRole);
    QPushButton* install = buttons->addButton(QObject::tr("Install"), QDialogButtonBox::AcceptRole);
    install->setDefault(true);
    layout->addWidget(buttons);

    // The reply goes out once: from a button, or as "Later" when the window closes otherwise.
    auto pending = std::make_shared<std::function<void(UpdateChoice)>>(std::move(reply));
    const auto answer = [dialog, pending](UpdateChoice choice) {
        if (const auto send = std::exchange(*pending, nullptr))
            send(choice);
        dialog->close();
    };
    QObject::connect(install, &QPushButton::clicked, dialog,
                     [answer] { answer(UpdateChoice::install); });
    QObject::connect(later, &QPushButton::clicked, dialog,
                     [answer] { answer(UpdateChoice::later); });
    QObject::connect(skip, &QPushButton::clicked, dialog, [answer] { answer(UpdateChoice::skip); });
    QObject::connect(dialog, &QDialog::finished, dialog, [pending] {
        if (const auto send = std::exchange(*pending, nullptr))
            send(UpdateChoice::later);
    });
    present(dialog);
}

void WidgetUpdateUserDriver::raiseWindows()
{
    if (m_window) {
        m_window->raise();
        m_window->activateWindow();
    }
}

void WidgetUpdateUserDriver::showMessage(bool isError, const QString& title, const QString& text)
{
    auto* box = new QMessageBox(isError ? QMessageBox::Warning : QMessageBox::Information, title,
                                text, QMessageBox::Ok);
    box->setWindowTitle(m_applicationName);
    present(box);
}

// One window at a time; a newer one replaces the one on screen.
void WidgetUpdateUserDriver::present(QWidget* window)
{
    if (m_window)
        m_window->close();
    window->setAttribute(Qt::WA_DeleteOnClose);
    m_window = window;
    window->show();
    window->raise();
    window->activateWindow();
}
