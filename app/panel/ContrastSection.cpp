#include "app/panel/ContrastSection.h"

#include "app/panel/ForegroundStyle.h"
#include "app/panel/TextButton.h"
#include "core/Contrast.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>

namespace {

QColor qColor(const PickedColor& c)
{
    return {int(c.red), int(c.green), int(c.blue)};
}

// "Aa Sample" in the first colour on the second, beside the same the other way round.
class ContrastSample : public QWidget
{
public:
    explicit ContrastSample(QWidget* parent) : QWidget(parent) { setFixedHeight(36); }

    void setColors(const PickedColor& first, const PickedColor& second)
    {
        m_first = first;
        m_second = second;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setFont(ForegroundStyle::systemFont(14, QFont::Medium));
        const int half = (width() - 6) / 2;
        const QRect left(0, 0, half, height());
        const QRect right(width() - half, 0, half, height());
        for (const auto& [area, text, ground] :
             {std::tuple{left, m_first, m_second}, std::tuple{right, m_second, m_first}}) {
            QPainterPath face;
            face.addRoundedRect(QRectF(area), 8, 8);
            painter.fillPath(face, qColor(ground));
            painter.setPen(qColor(text));
            painter.drawText(area, Qt::AlignCenter, tr("Sample text"));
        }
    }

private:
    static QString tr(const char* text) { return ContrastSection::tr(text); }

    PickedColor m_first;
    PickedColor m_second;
};

} // namespace

ContrastSection::ContrastSection(QWidget* parent) : QWidget(parent)
{
    m_title = new QLabel(this);
    m_title->setFont(ForegroundStyle::systemFont(11, QFont::DemiBold));
    m_close = new TextButton(tr("Close"), ForegroundStyle::systemFont(11), QColor(), this);
    m_close->setAccessibleName(tr("Close"));
    connect(m_close, &TextButton::clicked, this, &ContrastSection::closeRequested);
    m_ratio = new QLabel(this);
    m_ratio->setFont(ForegroundStyle::systemFont(20, QFont::DemiBold));
    m_verdicts = new QLabel(this);
    m_verdicts->setFont(ForegroundStyle::systemFont(11));
    m_verdicts->setTextFormat(Qt::PlainText);
    m_sample = new ContrastSample(this);

    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setVerticalSpacing(6);
    // The title has the whole width beside Close, not only the ratio's column below it.
    auto* header = new QHBoxLayout;
    header->addWidget(m_title);
    header->addStretch();
    header->addWidget(m_close);
    layout->addLayout(header, 0, 0, 1, 2);
    layout->addWidget(m_ratio, 1, 0, Qt::AlignTop);
    layout->addWidget(m_verdicts, 1, 1);
    layout->addWidget(m_sample, 2, 0, 1, 2);
    setVisible(false);
}

void ContrastSection::setColors(const std::optional<PickedColor>& current,
                                const std::optional<PickedColor>& partner)
{
    setVisible(current && partner);
    if (!current || !partner)
        return;
    const Contrast contrast(*current, *partner);
    m_title->setText(tr("Contrast with %1").arg(partner->hexString()));
    m_ratio->setText(contrast.ratioText());
    using Level = Contrast::Level;
    const struct
    {
        QString name;
        Level level;
    } levels[] = {{tr("AA normal text"), Level::aaNormalText},
                  {tr("AA large text"), Level::aaLargeText},
                  {tr("AAA normal text"), Level::aaaNormalText},
                  {tr("AAA large text"), Level::aaaLargeText},
                  {tr("Non-text"), Level::nonText}};
    QStringList lines;
    for (const auto& row : levels) {
        lines.append(QStringLiteral("%1  %2  %3")
                         .arg(row.name,
                              QString::number(static_cast<int>(row.level) / 100.0, 'g', 2),
                              contrast.passes(row.level) ? tr("Pass") : tr("Fail")));
    }
    m_verdicts->setText(lines.join(u'\n'));
    m_ratio->setAccessibleName(tr("Contrast ratio %1").arg(contrast.ratioText()));
    static_cast<ContrastSample*>(m_sample)->setColors(*current, *partner);
}
