#include "app/settings/PickKeySection.h"

#include "core/PickShortcut.h"
#include "core/RunningImage.h"

#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeySequenceEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QVBoxLayout>

PickKeySection::PickKeySection(PickShortcut& shortcut, QWidget* parent)
    : QWidget(parent), m_shortcut(shortcut)
{
    m_toggle = new QCheckBox(tr("Pick a color with a key"));
    m_chooser = new QKeySequenceEdit;
    m_chooser->setAccessibleName(tr("Key that picks a color"));
    m_chooser->setObjectName(QStringLiteral("pickKeyChooser"));
    m_status = new QLabel;
    m_status->setObjectName(QStringLiteral("pickKeyStatus"));
    m_status->setWordWrap(true);
    m_status->setForegroundRole(QPalette::PlaceholderText);
    m_command = new QLineEdit(pickCommandLine());
    m_command->setObjectName(QStringLiteral("pickCommand"));
    m_command->setAccessibleName(tr("Command that picks a color"));
    m_command->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_command->setReadOnly(true);
    m_copy = new QPushButton(tr("Copy"));

    auto* keyRow = new QHBoxLayout;
    keyRow->setContentsMargins(0, 0, 0, 0);
    keyRow->addWidget(m_toggle);
    keyRow->addWidget(m_chooser, 1);
    m_commandRow = new QWidget;
    auto* commandLayout = new QHBoxLayout(m_commandRow);
    commandLayout->setContentsMargins(0, 0, 0, 0);
    commandLayout->addWidget(m_command, 1);
    commandLayout->addWidget(m_copy);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(keyRow);
    layout->addWidget(m_status);
    layout->addWidget(m_commandRow);

    connect(m_toggle, &QCheckBox::toggled, this, [this](bool on) {
        m_shortcut.setKeySequence(on ? PickShortcut::suggested : QString());
    });
    connect(m_chooser, &QKeySequenceEdit::editingFinished, this, [this] {
        const QKeySequence chosen = m_chooser->keySequence();
        // One key combination: the first one pressed.
        m_shortcut.setKeySequence(
            chosen.isEmpty() ? QString()
                             : QKeySequence(chosen[0]).toString(QKeySequence::PortableText));
    });
    connect(m_copy, &QPushButton::clicked, this,
            [this] { QGuiApplication::clipboard()->setText(m_command->text()); });
    connect(&m_shortcut, &PickShortcut::changed, this, &PickKeySection::refresh);
    refresh();
}

QString PickKeySection::pickCommandLine()
{
    const QString running = RunningImage::current().path;
    const QString onPath = QStandardPaths::findExecutable(QFileInfo(running).fileName());
    QString program = running;
    if (!onPath.isEmpty() &&
        QFileInfo(onPath).canonicalFilePath() == QFileInfo(running).canonicalFilePath())
        program = QFileInfo(running).fileName();
    if (program.contains(QLatin1Char(' ')) || program.contains(QLatin1Char('\'')))
        program = QLatin1Char('\'') + program.replace(QLatin1Char('\''), QLatin1String("'\\''")) +
                  QLatin1Char('\'');
    return program + QStringLiteral(" --pick");
}

void PickKeySection::refresh()
{
    const QString key = m_shortcut.keySequence();
    {
        const QSignalBlocker blocker(m_toggle);
        m_toggle->setChecked(!key.isEmpty());
    }
    {
        const QSignalBlocker blocker(m_chooser);
        m_chooser->setKeySequence(QKeySequence::fromString(key, QKeySequence::PortableText));
    }
    m_chooser->setEnabled(!key.isEmpty());
    const QString status = m_shortcut.statusText();
    m_status->setText(status);
    m_status->setVisible(!status.isEmpty());
    m_commandRow->setVisible(m_shortcut.report().status == GlobalShortcut::Status::unsupported);
}
