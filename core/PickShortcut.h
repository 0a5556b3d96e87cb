#pragma once

#include "core/ports/GlobalShortcut.h"

#include <QObject>

class AppSettings;

// The "Pick a color with a key" setting: the key kept in the settings (Qt's portable
// key-sequence text; empty = off), bound through the desktop's global shortcut whenever it
// changes (also by another process), and what became of the binding, in words for the
// settings window. Main thread.
class PickShortcut : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString keySequence READ keySequence NOTIFY changed)

public:
    static inline const QString suggested = QStringLiteral("Meta+Shift+C");

    PickShortcut(AppSettings& settings, GlobalShortcut& shortcut, QObject* parent = nullptr);

    // Binds the stored key; once, after the launch.
    void start();

    QString keySequence() const;
    bool isOn() const { return !keySequence().isEmpty(); }
    // Stores the key and binds it; empty turns the setting off and frees the key.
    void setKeySequence(const QString& keySequence);
    const GlobalShortcut::Report& report() const { return m_report; }
    // The key brings the application back: it is on and bound.
    bool isActive() const { return m_report.status == GlobalShortcut::Status::active; }

    // How the user reads the key: "Super+Shift+C".
    static QString displayText(const QString& keySequence);
    // What became of the binding, in a sentence; empty when off.
    QString statusText() const;
    // Why closing the window left the application running, and how to get the window back.
    QString keepsRunningText() const;

signals:
    void changed();
    // The key was pressed.
    void activated();

private:
    void receive(const GlobalShortcut::Report& report);
    // Binds the key the settings now hold.
    void keyChanged();

    AppSettings& m_settings;
    GlobalShortcut& m_shortcut;
    GlobalShortcut::Report m_report;
};
