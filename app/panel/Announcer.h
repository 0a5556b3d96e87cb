#pragma once

#include <QString>
#include <QWidget>

// Says a short message to screen readers without showing anything: an invisible (zero-size)
// notification whose text is the message, shown anew for each one, so the accessibility bus
// reports it as it appears (AT-SPI "showing"), with its name.
class Announcer : public QWidget
{
    Q_OBJECT

public:
    explicit Announcer(QWidget* parent);

    // An empty message says nothing.
    void announce(const QString& message);
};
