#include "platform/updates/WidgetUpdateUserDriver.h"

#include <QDesktopServices>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QStyle>
#include <QTextBrowser>
#include <QVBoxLayout>

#include <memory>

namespace {

// Text from the feed or the network is never read as markup.
QLabel* plainLabel(const QString& text, bool headline = false)
{
    auto* label = new QLabel(text);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    if (headline) {
        QFont font = label->font();
        font.setBold(true);
        label->setFont(font);
    }
    return label;
}

// The words of HTML notes: tags are dropped without being read (Qt's HTML reader would load
// the local files a style sheet link names), line-ending tags become line breaks and the
// common entities are decoded.
QString plainTextOf(QString html)
{
    using RE = QRegularExpression;
    html.replace(
        RE(QStringLiteral("<(br|/p|/li|/div|/h[1-6])\\b[^>]*>"), RE::CaseInsensitiveOption),
        QStringLiteral("\n"));
    html.remove(RE(QStringLiteral("<[^>]*>")));
    html.replace(RE(QStringLiteral("[ \t\r]+")), QStringLiteral(" "));
    html.replace(RE(QStringLiteral(" ?\n ?")), QStringLiteral("\n"));
    html.replace(RE(QStringLiteral("\n{3,}")), QStringLiteral("\n\n"));
    const std::pair<const char*, const char*> entities[] = {{"&lt;", "<"},    {"&gt;", ">"},
                                                            {"&quot;", "\""}, {"&#39;", "'"},
                                                            {"&nbsp;", " "},  {"&amp;", "&"}};
    for (const auto& [entity, character] : entities)
        html.replace(QLatin1String(entity), QLatin1String(character));
    return html.trimmed();
}

// The notes as plain text; a link of the feed's only as our own link to a web page.
QTextBrowser* notesView(const QString& notes, const QUrl& link)
{
    auto* view = new QTextBrowser;
    view->setOpenLinks(false);
    if (!notes.trimmed().isEmpty()) {
        view->setPlainText(plainTextOf(notes));
        return view;
    }
    // Our own link, to a web page only: the address comes from the feed.
    view->setHtml(QStringLiteral("<a href=\"%1\">%2</a>")
                      .arg(link.toString(QUrl::FullyEncoded).toHtmlEscaped(),
                           WidgetUpdateUserDriver::tr("Release notes")));
    QObject::connect(view, &QTextBrowser::anchorClicked, view,
                     [link](const QUrl&) { QDesktopServices::openUrl(link); });
    return view;
}

bool isWebLink(const QUrl& url)
{
    return url.isValid() && (url.scheme() == u"https" || url.scheme() == u"http");
}

} // namespace

WidgetUpdateUserDriver::WidgetUpdateUserDriver(QString applicationName)
    : m_applicationName(std::move(applicationName))
{
}

// The window goes without answering: whoever waited for it is being destroyed as well.
WidgetUpdateUserDriver::~WidgetUpdateUserDriver()
{
    if (m_window) {
        m_window->disconnect();
        delete m_window.data();
    }
}

void WidgetUpdateUserDriver::showUpToDate(const QString& currentVersion, Closed closed)
{
    showMessage(false, tr("You're up to date!"),
                tr("%1 %2 is currently the newest version available.")
                    .arg(m_applicationName, currentVersion),
                std::move(closed));
}

void WidgetUpdateUserDriver::showError(const UpdateError& error, Closed closed)
{
    showMessage(true, tr("Update Error!"), error.localizedDescription, std::move(closed));
}

void WidgetUpdateUserDriver::showDownloadReady(const QString& displayVersion, const QString& path,
                                               Closed closed)
{
    showMessage(false, tr("Update downloaded"),
                tr("%1 %2 was downloaded and verified:\n%3\n\nReplace the installed copy "
                   "with it and start it again to finish updating.")
                    .arg(m_applicationName, displayVersion, path),
                std::move(closed));
}

void WidgetUpdateUserDriver::showUpdateAvailable(const UpdateOffer& offer,
                                                 std::function<void(UpdateChoice)> reply)
{
    auto* dialog = new QDialog;
    dialog->setWindowTitle(tr("Software Update"));
    auto* layout = new QVBoxLayout(dialog);
    layout->addWidget(
        plainLabel(tr("A new version of %1 is available!").arg(m_applicationName), true));
    layout->addWidget(
        plainLabel(tr("%1 %2 is now available; you have %3. Would you "
                      "like to install it now?")
                       .arg(m_applicationName, offer.displayVersion, offer.currentVersion)));
    if (!offer.releaseNotes.trimmed().isEmpty() || isWebLink(offer.releaseNotesLink))
        layout->addWidget(notesView(offer.releaseNotes, offer.releaseNotesLink));
    auto* buttons = new QDialogButtonBox;
    QPushButton* skip =
        buttons->addButton(tr("Skip This Version"), QDialogButtonBox::DestructiveRole);
    QPushButton* later = buttons->addButton(tr("Later"), QDialogButtonBox::RejectRole);
    QPushButton* install = buttons->addButton(tr("Install"), QDialogButtonBox::AcceptRole);
    // Return installs wherever the focus is: a focused auto-default button would take it.
    skip->setAutoDefault(false);
    later->setAutoDefault(false);
    install->setDefault(true);
    layout->addWidget(buttons);
    install->setFocus(); // once in the window: the window gives it focus when activated

    // The reply goes out once: from a button, or as "Later" when the window closes otherwise
    // (Escape, the close button).
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

// A headline over the detail, an icon beside them and one OK button.
void WidgetUpdateUserDriver::showMessage(bool isError, const QString& headline,
                                         const QString& detail, Closed closed)
{
    auto* dialog = new QDialog;
    dialog->setWindowTitle(m_applicationName);
    auto* row = new QHBoxLayout(dialog);
    auto* icon = new QLabel;
    const int size = dialog->style()->pixelMetric(QStyle::PM_MessageBoxIconSize);
    icon->setPixmap(dialog->style()
                        ->standardIcon(isError ? QStyle::SP_MessageBoxWarning
                                               : QStyle::SP_MessageBoxInformation)
                        .pixmap(size, size));
    row->addWidget(icon, 0, Qt::AlignTop);
    auto* column = new QVBoxLayout;
    column->addWidget(plainLabel(headline, true));
    column->addWidget(plainLabel(detail));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    column->addWidget(buttons);
    row->addLayout(column);
    auto pending = std::make_shared<Closed>(std::move(closed));
    QObject::connect(dialog, &QDialog::finished, dialog, [pending] {
        if (const auto send = std::exchange(*pending, nullptr))
            send();
    });
    present(dialog);
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
