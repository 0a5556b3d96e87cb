#pragma once

#include <QWidget>

class PreferencesStore;
class QCheckBox;
class QPushButton;
class UpdaterService;

// The settings window: a fixed 400x320 form with the update controls ("Updates") and the
// version ("About"). It holds no state of its own: the button follows the updater's
// canCheckForUpdates, the early-access toggle reads and writes its preferences key.
class SettingsWindow : public QWidget
{
    Q_OBJECT

public:
    static inline const QString betaEnabledKey = QStringLiteral("colorpicker.updates.betaEnabled");
    static constexpr QSize fixedSize{400, 320};

    SettingsWindow(UpdaterService& updater, PreferencesStore& defaults, QWidget* parent = nullptr);

    QPushButton& checkForUpdatesButton() const { return *m_checkButton; }
    QCheckBox& betaToggle() const { return *m_betaToggle; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void refresh();

    UpdaterService& m_updater;
    PreferencesStore& m_defaults;
    QPushButton* m_checkButton;
    QCheckBox* m_betaToggle;
};
