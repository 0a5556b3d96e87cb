#pragma once

#include <QAbstractButton>
#include <QColor>

// A plain text button: the text in one font and colour, no chrome.
class TextButton : public QAbstractButton
{
    Q_OBJECT

public:
    // An invalid colour draws in the palette's secondary colour.
    TextButton(const QString& text, const QFont& font, const QColor& color,
               QWidget* parent = nullptr);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_color;
};
