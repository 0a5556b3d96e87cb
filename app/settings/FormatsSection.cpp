#include "app/settings/FormatsSection.h"

#include "core/ColorPickerModel.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// Each format is shown with the worked colour in it.
const PickedColor example{58, 123, 213};

QString describe(const ColorFormat& format)
{
    return QStringLiteral("%1 \u2014 %2").arg(format.label, format.format(example));
}

} // namespace

FormatsSection::FormatsSection(ColorPickerModel& picker, QWidget* parent)
    : QWidget(parent), m_picker(picker)
{
    m_list = new QListWidget;
    m_list->setObjectName(QStringLiteral("formatList"));
    m_list->setAccessibleName(tr("Formats shown in the panel"));
    m_list->setDragDropMode(QAbstractItemView::InternalMove);
    // The list asks for five lines and takes whatever height the page has spare: asking for
    // more would make a page with a wrapped line under it scroll.
    m_list->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Ignored);
    m_list->setMinimumHeight(5 * m_list->fontMetrics().height() + 2 * m_list->frameWidth());
    m_up = new QPushButton(tr("Move Up"));
    m_down = new QPushButton(tr("Move Down"));
    m_remove = new QPushButton(tr("Remove"));
    auto* listButtons = new QHBoxLayout;
    listButtons->addWidget(m_up);
    listButtons->addWidget(m_down);
    listButtons->addStretch();
    listButtons->addWidget(m_remove);

    m_copied = new QComboBox;
    m_copied->setAccessibleName(tr("Copied on a pick"));
    // The longest notation would otherwise squeeze the label beside it.
    m_copied->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_copied->setMinimumContentsLength(16);
    m_name = new QLineEdit;
    m_name->setPlaceholderText(tr("Name"));
    m_name->setAccessibleName(tr("Name of your own format"));
    m_template = new QLineEdit;
    m_template->setPlaceholderText(QStringLiteral("Color(0xFF{hex})"));
    m_template->setAccessibleName(tr("Template of your own format"));
    m_template->setToolTip(tr("{r} {g} {b}, {hex} {hexl}, {rf} {gf} {bf}, {h} {s} {l}; "
                              "{{ and }} for braces"));
    m_add = new QPushButton(tr("Add"));
    m_problem = new QLabel;
    m_problem->setObjectName(QStringLiteral("templateProblem"));
    m_problem->setWordWrap(true);
    m_problem->setForegroundRole(QPalette::PlaceholderText);
    auto* own = new QHBoxLayout;
    own->addWidget(m_name, 1);
    own->addWidget(m_template, 2);
    own->addWidget(m_add);

    auto* form = new QFormLayout;
    form->addRow(tr("Copied on a pick"), m_copied);
    form->addRow(tr("Your own"), own);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addLayout(listButtons);
    layout->addLayout(form);
    layout->addWidget(m_problem);

    connect(m_list, &QListWidget::itemChanged, this, &FormatsSection::storeShown);
    connect(m_list->model(), &QAbstractItemModel::rowsMoved, this, &FormatsSection::storeShown);
    connect(m_list, &QListWidget::currentRowChanged, this, &FormatsSection::updateButtons);
    connect(m_up, &QPushButton::clicked, this, [this] { moveSelected(-1); });
    connect(m_down, &QPushButton::clicked, this, [this] { moveSelected(1); });
    connect(m_remove, &QPushButton::clicked, this, [this] {
        if (const QListWidgetItem* item = m_list->currentItem())
            m_picker.removeTemplate(item->data(Qt::UserRole).toString());
    });
    connect(m_copied, &QComboBox::activated, this,
            [this](int index) { m_picker.setCopiedFormat(m_copied->itemData(index).toString()); });
    connect(m_add, &QPushButton::clicked, this, &FormatsSection::addTemplate);
    connect(m_template, &QLineEdit::returnPressed, this, &FormatsSection::addTemplate);
    connect(&m_picker, &ColorPickerModel::formatsChanged, this, &FormatsSection::refresh);
    refresh();
}

QString FormatsSection::title()
{
    return tr("Formats");
}

void FormatsSection::refresh()
{
    m_refreshing = true;
    const QString selected =
        m_list->currentItem() ? m_list->currentItem()->data(Qt::UserRole).toString() : QString();
    const QList<ColorFormat> shown = m_picker.shownFormats();
    QList<ColorFormat> ordered = shown;
    for (const ColorFormat& format : m_picker.availableFormats()) {
        if (!shown.contains(format))
            ordered.append(format);
    }
    m_list->clear();
    for (const ColorFormat& format : std::as_const(ordered)) {
        auto* item = new QListWidgetItem(describe(format), m_list);
        item->setData(Qt::UserRole, format.id);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable |
                       Qt::ItemIsDragEnabled);
        item->setCheckState(shown.contains(format) ? Qt::Checked : Qt::Unchecked);
        if (format.id == selected)
            m_list->setCurrentItem(item);
    }

    m_copied->clear();
    const QString copied = m_picker.copiedFormat().id;
    for (const ColorFormat& format : m_picker.availableFormats()) {
        m_copied->addItem(describe(format), format.id);
        if (format.id == copied)
            m_copied->setCurrentIndex(m_copied->count() - 1);
    }
    m_refreshing = false;
    updateButtons();
}

// The checked formats in list order become the panel's rows.
void FormatsSection::storeShown()
{
    if (m_refreshing)
        return;
    QStringList ids;
    for (int i = 0; i < m_list->count(); ++i) {
        const QListWidgetItem* item = m_list->item(i);
        if (item->checkState() == Qt::Checked)
            ids.append(item->data(Qt::UserRole).toString());
    }
    m_picker.setShownFormats(ids);
    updateButtons();
}

void FormatsSection::moveSelected(int by)
{
    const int row = m_list->currentRow();
    const int target = row + by;
    if (row < 0 || target < 0 || target >= m_list->count())
        return;
    m_refreshing = true;
    QListWidgetItem* item = m_list->takeItem(row);
    m_list->insertItem(target, item);
    m_list->setCurrentItem(item);
    m_refreshing = false;
    storeShown();
}

void FormatsSection::addTemplate()
{
    const std::optional<QString> problem = m_picker.addTemplate(m_name->text(), m_template->text());
    m_problem->setText(problem ? tr("Not added: %1.").arg(*problem) : QString());
    if (!problem) {
        m_name->clear();
        m_template->clear();
    }
}

void FormatsSection::updateButtons()
{
    const int row = m_list->currentRow();
    m_up->setEnabled(row > 0);
    m_down->setEnabled(row >= 0 && row + 1 < m_list->count());
    const QListWidgetItem* item = m_list->currentItem();
    m_remove->setEnabled(
        item &&
        item->data(Qt::UserRole).toString().startsWith(FormatPreferences::templateIdPrefix));
}
