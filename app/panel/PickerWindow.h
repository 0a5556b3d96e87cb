#pragma once

#include <QWidget>

class ColorPickerModel;
class QLabel;
class PickerView;

// The picker as the application's main window, for desktops without a tray host: an ordinary
// decorated window titled "Morvane Color Picker" with everything the panel holds. Closing it
// is reported, not done: the application decides whether that ends it. Like the panel, it
// steps aside while a pick runs and comes back afterwards.
class PickerWindow : public QWidget
{
    Q_OBJECT

public:
    explicit PickerWindow(ColorPickerModel& picker, QWidget* parent = nullptr);

    PickerView* view() const { return m_view; }
    // Says, above the picker, why closing left the application running; hidden otherwise.
    QLabel* stayingNotice() const { return m_stayingNotice; }

    // Shows, raises and activates the window; during a pick, once it ends.
    void bringForward();
    void explainStaying(const QString& text);

signals:
    // The user (or the window manager) asked to close the window.
    void closeRequested();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void followSampling();

    ColorPickerModel& m_picker;
    PickerView* m_view;
    QLabel* m_stayingNotice;
    bool m_returnAfterPick = false;
};
