#pragma once

#include "platform/updates/UpdateUserDriver.h"

#include <QCoreApplication>
#include <QPointer>
#include <QWidget>

// The update windows as Qt widgets: non-modal, one at a time, each brought to the front when
// shown. Each informational window shows its headline above the detail. On the offer, Install
// is the default and focused button; Escape or closing the window counts as "Later".
class WidgetUpdateUserDriver : public UpdateUserDriver
{
    Q_DECLARE_TR_FUNCTIONS(WidgetUpdateUserDriver)

public:
    explicit WidgetUpdateUserDriver(
        QString applicationName = QStringLiteral("Morvane Color Picker"));
    ~WidgetUpdateUserDriver() override;

    void showUpToDate(const QString& currentVersion, Closed closed) override;
    void showUpdateAvailable(const UpdateOffer& offer,
                             std::function<void(UpdateChoice)> reply) override;
    void showError(const UpdateError& error, Closed closed) override;
    void showDownloadReady(const QString& displayVersion, const QString& path,
                           Closed closed) override;
    void raiseWindows() override;

private:
    void showMessage(bool isError, const QString& headline, const QString& detail, Closed closed);
    void present(QWidget* window);

    QString m_applicationName;
    QPointer<QWidget> m_window;
};
