#pragma once

#include <QWidget>

class PickShortcut;
class QCheckBox;
class QKeySequenceEdit;
class QLabel;
class QLineEdit;
class QPushButton;

// The settings window's "Pick a color with a key": a toggle, the key chooser, and a line on
// what became of the key (taken, declined, bound by the desktop). Where the desktop lets no
// program bind a key, the command to bind in the desktop's keyboard settings, with a button
// that copies it. Shows the setting's state; keeps none of its own.
class PickKeySection : public QWidget
{
    Q_OBJECT

public:
    explicit PickKeySection(PickShortcut& shortcut, QWidget* parent = nullptr);

    QCheckBox& toggle() const { return *m_toggle; }
    QKeySequenceEdit& keyChooser() const { return *m_chooser; }
    QLabel& status() const { return *m_status; }
    // Read-only, scrolled within itself: an image's long path never widens the window.
    QLineEdit& command() const { return *m_command; }
    QPushButton& copyButton() const { return *m_copy; }

    // The command that picks, as typed in a desktop's custom-shortcut page.
    static QString pickCommandLine();

private:
    void refresh();

    PickShortcut& m_shortcut;
    QCheckBox* m_toggle;
    QKeySequenceEdit* m_chooser;
    QLabel* m_status;
    QWidget* m_commandRow;
    QLineEdit* m_command;
    QPushButton* m_copy;
};
