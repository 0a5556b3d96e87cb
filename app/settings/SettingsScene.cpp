#include "app/settings/SettingsScene.h"

#include "app/settings/SettingsWindow.h"

SettingsScene::SettingsScene(UpdaterService& updater, AutostartEntry autostart, QObject* parent)
    : QObject(parent), m_updater(updater), m_autostart(std::move(autostart))
{
}

SettingsScene::~SettingsScene() = default;

void SettingsScene::open()
{
    if (!m_window) {
        m_window = std::make_unique<SettingsWindow>(m_updater, m_autostart, m_pickShortcut);
        if (m_picker)
            m_window->showFormats(*m_picker);
    }
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}
