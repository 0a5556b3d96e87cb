#pragma once

#include "core/FormatPreferences.h"

#include <QList>
#include <QWidget>

class ColorPickerModel;
class ContrastSection;
class QLabel;
class QVBoxLayout;
class PanelFooter;
class PickButton;
class RecentsSection;
class SwatchView;
class ValueRow;
class Announcer;

// The picker's content, 300 wide: swatch, the colour's name, pick button, a row for each shown
// format (HEX, RGB and HSL unless the user chose others), the contrast with a second colour
// while one is compared, recent colours, divider and footer. Ctrl+Z undoes a "Clear", as a
// click on its capsule does. A pure function of the
// model's state and its recent colours': every child is updated when they announce a change,
// and user actions go straight to them.
class PickerView : public QWidget
{
    Q_OBJECT

public:
    static constexpr int panelWidth = 300;

    explicit PickerView(ColorPickerModel& picker, QWidget* parent = nullptr);

    SwatchView* swatch() const { return m_swatch; }
    // The nearest CSS keyword under the swatch ("navy", "≈ navy"); hidden without a colour.
    QLabel* nameLabel() const { return m_name; }
    ContrastSection* contrastSection() const { return m_contrast; }
    PickButton* pickButton() const { return m_pickButton; }
    // Says what keeps screen picking from working, under the pick button; hidden otherwise.
    QLabel* pickNotice() const { return m_pickNotice; }
    // Tells screen readers the capsule's messages (a copy, a pick) and why a pick cannot work.
    Announcer* announcer() const { return m_announcer; }
    const QList<ValueRow*>& valueRows() const { return m_valueRows; }
    RecentsSection* recentsSection() const { return m_recents; }
    PanelFooter* footer() const { return m_footer; }

signals:
    // The gear was pressed: the settings window should open.
    void settingsRequested();
    // "Quit" was pressed.
    void quitRequested();

protected:
    // Enter and Return press the focused button, as Space does.
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void buildRows();
    void showCurrent();
    void showSampling();
    void showRecents();
    void showConfirmation();
    void showPickNotice();
    // Tab follows the panel top to bottom, also through rows and chips made after the footer.
    void orderTabStops();
    void showContrast();
    void refreshNameColor();

    ColorPickerModel& m_picker;
    SwatchView* m_swatch;
    QLabel* m_name;
    ContrastSection* m_contrast;
    PickButton* m_pickButton;
    QLabel* m_pickNotice;
    Announcer* m_announcer;
    QVBoxLayout* m_rows;
    QList<ColorFormat> m_rowFormats;
    QList<ValueRow*> m_valueRows;
    RecentsSection* m_recents;
    PanelFooter* m_footer;
};
