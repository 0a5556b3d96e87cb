// Renders the picker panel in its typical states to PNG files, for the documentation:
//   morvane-panel-snapshot OUTPUT_DIR
#include "AppFakes.h"
#include "app/panel/PickerPanel.h"
#include "app/panel/PickerView.h"
#include "app/panel/ValueRow.h"
#include "core/ColorPickerModel.h"

#include <QApplication>
#include <QDir>
#include <QPalette>
#include <QStyleFactory>
#include <QTest>

namespace {

const char* const pickedColors[] = {"#E8C547", "#F25F5C", "#247BA0", "#70C1B3",
                                    "#50514F", "#B2DBBF", "#9B5DE5", "#3A7BD5"};

void save(QWidget& view, const QString& path)
{
    QTest::qWait(50);
    view.grab().save(path);
}

QPalette darkPalette()
{
    QPalette palette;
    palette.setColor(QPalette::Window, QColor(0x2B, 0x2B, 0x2D));
    palette.setColor(QPalette::WindowText, QColor(0xF2, 0xF2, 0xF2));
    palette.setColor(QPalette::Base, QColor(0x1E, 0x1E, 0x20));
    palette.setColor(QPalette::Text, QColor(0xF2, 0xF2, 0xF2));
    palette.setColor(QPalette::Button, QColor(0x3A, 0x3A, 0x3C));
    palette.setColor(QPalette::ButtonText, QColor(0xF2, 0xF2, 0xF2));
    return palette;
}

void adoptAll(ColorPickerModel& picker)
{
    for (const char* hex : pickedColors)
        picker.adopt(*PickedColor::fromHex(QString::fromLatin1(hex)));
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    const QDir out(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("."));

    PickerHarness harness;
    ColorPickerModel& picker = harness.picker;
    PickerPanel panel(picker, offscreenSession());
    panel.showAnchored(QRect(0, 0, 1, 1));
    QWidget& view = panel;
    PickerView& content = *panel.view();
    save(view, out.filePath(QStringLiteral("panel-empty.png")));

    adoptAll(picker);
    QTest::qWait(int(ColorPickerModel::confirmationDuration.count()) + 400);
    save(view, out.filePath(QStringLiteral("panel-recents.png")));

    content.valueRows()[1]->copy();
    QTest::qWait(400);
    save(view, out.filePath(QStringLiteral("panel-confirmation.png")));

    picker.compareWith(*PickedColor::fromHex(QStringLiteral("#FFFFFF")));
    QTest::qWait(int(ColorPickerModel::confirmationDuration.count()) + 400);
    save(view, out.filePath(QStringLiteral("panel-contrast.png")));
    picker.closeContrast();

    QApplication::setPalette(darkPalette());
    QTest::qWait(int(ColorPickerModel::confirmationDuration.count()) + 400);
    save(view, out.filePath(QStringLiteral("panel-dark.png")));
    return 0;
}
