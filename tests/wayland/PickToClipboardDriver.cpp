// The pick path of the application without its panel: the picker model with the portal
// sampler and the Wayland clipboard. Used by pick-to-clipboard.sh.
//   driver fill '#RRGGBB'   a maximised window of that colour
//   driver pick             picks once; prints "COPIED <hex>" once the copy is confirmed
#include "ColorPickerModel.h"
#include "PortalScreenSampler.h"
#include "PreferencesStore.h"
#include "WaylandClipboard.h"

#include <QApplication>
#include <QClipboard>
#include <QHash>
#include <QPainter>
#include <QRasterWindow>
#include <QTimer>
#include <QWidget>

#include <cstdio>

namespace {

void say(const QString& line)
{
    std::printf("%s\n", qPrintable(line));
    std::fflush(stdout);
}

class FillWindow : public QRasterWindow
{
public:
    explicit FillWindow(QColor color) : m_color(color) {}

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter(this).fillRect(QRect(QPoint(), size()), m_color);
    }
    void exposeEvent(QExposeEvent* event) override
    {
        QRasterWindow::exposeEvent(event);
        if (isExposed())
            say(QStringLiteral("shown %1x%2").arg(width()).arg(height()));
    }

private:
    QColor m_color;
};

class MemoryStore : public PreferencesStore
{
public:
    bool boolForKey(const QString& key) const override { return m_values.value(key).toBool(); }
    std::optional<QString> stringForKey(const QString& key) const override
    {
        return m_values.contains(key) ? std::optional(m_values.value(key).toString())
                                      : std::nullopt;
    }
    std::optional<QByteArray> dataForKey(const QString& key) const override
    {
        return m_values.contains(key) ? std::optional(m_values.value(key).toByteArray())
                                      : std::nullopt;
    }
    bool contains(const QString& key) const override { return m_values.contains(key); }
    void setBool(const QString& key, bool value) override { m_values.insert(key, value); }
    void setString(const QString& key, const QString& value) override
    {
        m_values.insert(key, value);
    }
    void setData(const QString& key, const QByteArray& value) override
    {
        m_values.insert(key, value);
    }

private:
    QHash<QString, QVariant> m_values;
};

int pick(QApplication& application)
{
    QWidget panel;
    panel.setWindowTitle(QStringLiteral("picker panel"));
    panel.resize(280, 160);
    auto bringForward = [&panel] {
        say(QStringLiteral("bringing the panel forward"));
        panel.show();
        panel.raise();
        panel.activateWindow();
    };
    MemoryStore store;
    PortalScreenSampler sampler;
    WaylandClipboard clipboard(bringForward);
    ColorPickerModel model(store, sampler, clipboard);

    QObject::connect(&model, &ColorPickerModel::currentChanged, &application, [&] {
        say(QStringLiteral("PICKED %1, a window has focus: %2")
                .arg(model.currentHex(), QGuiApplication::focusWindow() ? "yes" : "no"));
    });
    QObject::connect(&model, &ColorPickerModel::copyConfirmationChanged, &application, [&] {
        if (!model.copyConfirmationText().isEmpty())
            say(QStringLiteral("COPIED %1 clipboard=%2")
                    .arg(model.currentHex(), QGuiApplication::clipboard()->text()));
    });

    panel.show();
    QTimer::singleShot(800, &application, [&] {
        // The tray panel closes when the portal's picker takes the focus; hiding it here
        // leaves no window with focus when the colour comes back.
        panel.hide();
        say(QStringLiteral("PICKING"));
        model.pickColor();
    });
    return QApplication::exec();
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    const QStringList arguments = QApplication::arguments();
    QTimer::singleShot(60'000, &application, &QCoreApplication::quit); // never linger
    if (arguments.value(1) == QLatin1String("fill")) {
        FillWindow window{QColor(arguments.value(2, QStringLiteral("#12AB34")))};
        window.showMaximized();
        return QApplication::exec();
    }
    if (arguments.value(1) == QLatin1String("pick"))
        return pick(application);
    std::fprintf(stderr, "usage: %s fill '#RRGGBB' | pick\n", argv[0]);
    return 2;
}
