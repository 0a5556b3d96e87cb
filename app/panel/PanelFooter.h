#pragma once

#include <QWidget>

class SymbolButton;
class TextButton;

// The panel's last line: "Open the web picker" at the leading edge, the settings gear and
// "Quit" at the trailing edge. It reports the presses; it opens and quits nothing itself.
class PanelFooter : public QWidget
{
    Q_OBJECT

public:
    explicit PanelFooter(QWidget* parent = nullptr);

    TextButton* webPickerButton() const { return m_webPicker; }
    SymbolButton* settingsButton() const { return m_settings; }
    TextButton* quitButton() const { return m_quit; }

signals:
    void webPickerRequested();
    void settingsRequested();
    void quitRequested();

private:
    TextButton* m_webPicker;
    SymbolButton* m_settings;
    TextButton* m_quit;
};
