#pragma once

#include "UpdateUserDriver.h"

#include <QPointer>
#include <QWidget>

class QDialog;

// The update windows as Qt widgets: non-modal, one at a time, each brought to the front when
// shown. Closing the update window counts as "Later".
class WidgetUpdateUserDriver : public UpdateUserDriver
{
public:
    explicit WidgetUpdateUserDriver(
        QString applicationName = QStringLiteral("Morvane Color Picker"));
    ~WidgetUpdateUserDriver() override;

    void showUpToDate(const QString& currentVersion) override;
    void showUpdateAvailable(const UpdateOffer& offer,
                             std::function<void(UpdateChoice)> reply) override;
    void showError(const UpdateError& error) override;
    void showDownloadReady(const QString& displayVersion, const QString& path) override;
    void raiseWindows() override;

private:
    void showMessage(bool isError, const QString& title, const QString& text);
    void present(QWidget* window);

    QString m_applicationName;
    QPointer<QWidget> m_window;
};
