#pragma once

#include <QString>
#include <QTimer>
#include <QWidget>

#include <chrono>
#include <optional>

class ColorPickerModel;
class QLabel;
class SymbolButton;

// One notation of the current colour beside its label ("HEX", "RGB", "HSL"...): selectable
// text, or an en dash without a value, and a copy button. A copy goes through the model (which
// confirms it in the panel) and turns the button into a tick for 1.2 s; a further copy
// restarts the 1.2 s. The tick is the row's own and survives new values.
class ValueRow : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(bool justCopied READ justCopied NOTIFY justCopiedChanged)

public:
    static constexpr std::chrono::milliseconds tickDuration{1200};
    static inline const QString placeholder = QStringLiteral("\u2013");

    ValueRow(ColorPickerModel& picker, const QString& label, QWidget* parent = nullptr);

    QString label() const { return m_label; }
    // The label's column: 32 wide, or as wide as a longer label needs.
    static int labelWidthFor(const QString& label);
    void setLabelWidth(int width);
    const std::optional<QString>& value() const { return m_value; }
    void setValue(const std::optional<QString>& value);
    bool justCopied() const { return m_justCopied; }

    SymbolButton* copyButton() const { return m_copyButton; }
    QLabel* valueLabel() const { return m_valueLabel; }

public slots:
    // Copies the value with the message "<label> copied"; nothing without a value.
    void copy();

signals:
    void justCopiedChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void setJustCopied(bool copied);
    void refresh();

    ColorPickerModel& m_picker;
    QString m_label;
    std::optional<QString> m_value;
    bool m_justCopied = false;
    QTimer m_resetTimer;
    QLabel* m_labelText;
    QLabel* m_valueLabel;
    SymbolButton* m_copyButton;
};
