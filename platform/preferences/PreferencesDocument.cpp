#include "platform/preferences/PreferencesDocument.h"

#include <QMetaType>

namespace {

// A value in the form it reads back as, so memory and disk agree.
QVariant stored(const QVariant& value)
{
    if (value.typeId() == QMetaType::Bool)
        return value.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    return value;
}

} // namespace

PreferencesDocument::PreferencesDocument(const QString& filePath, Log log)
    : m_file(filePath), m_log(std::move(log))
{
    reloadIfChanged();
}

QVariant PreferencesDocument::value(const QString& key) const
{
    return m_values.value(key);
}

bool PreferencesDocument::change(const QString& key, const QVariant& value)
{
    const QVariant entry = stored(value);
    const auto present = m_values.constFind(key);
    if (present != m_values.cend() && present->typeId() == entry.typeId() && *present == entry)
        return false;
    m_values.insert(key, entry);
    m_pending.insert(key, entry);
    return true;
}

bool PreferencesDocument::takeChangedElsewhere()
{
    return std::exchange(m_changedElsewhere, false);
}

void PreferencesDocument::reloadIfChanged()
{
    const PreferencesFile::Stamp stamp = m_file.stamp();
    if (m_loadedWhole && stamp == m_loaded)
        return;
    QString problem;
    const std::optional<PreferencesFile::Content> content = m_file.read(&problem);
    m_loaded = stamp;
    m_loadedWhole = content.has_value();
    if (!content) {
        // Nothing of it can be read: what memory holds stays, and a file (not a folder) is
        // kept beside itself before it is replaced.
        m_keepOldFile = !m_file.isFolder() && stamp != m_kept;
        fail(problem);
        return;
    }
    m_unfit = content->unfit;
    QVariantMap values;
    if (!m_unfit.isEmpty()) {
        // Not a preferences file (a pipe, a device, a huge file): a damaged one that gives no
        // keys. The defaults hold, and it is set aside before the first save.
        m_keepOldFile = stamp != m_kept;
    } else {
        // Keys that would not survive a rewrite are found when the next save checks what it
        // encoded.
        IniCodec::Reading reading = IniCodec::read(content->bytes);
        m_keepOldFile = !reading.clean && stamp != m_kept;
        values = std::move(reading.values);
    }
    for (auto it = m_pending.cbegin(); it != m_pending.cend(); ++it)
        values.insert(it.key(), it.value());
    if (values != m_values && m_everLoaded)
        m_changedElsewhere = true;
    m_everLoaded = true;
    m_values = std::move(values);
    m_status = QSettings::NoError;
}

bool PreferencesDocument::save()
{
    if (m_pending.isEmpty())
        return true;
    reloadIfChanged();
    if (m_file.isFolder())
        return fail(PreferencesFile::folderProblem());
    // What the file holds is not known: replacing it would lose it.
    if (!m_loadedWhole && !m_keepOldFile)
        return false;
    const std::optional<QByteArray> content = checkedContent();
    if (!content)
        return false;
    if (m_keepOldFile) {
        if (!keepOldFile())
            return false;
        m_keepOldFile = false; // kept once is enough, even if this save fails
    }
    QString problem;
    const std::optional<PreferencesFile::Stamp> written = m_file.replace(*content, &problem);
    if (!written)
        return fail(problem);
    m_loaded = *written;
    m_loadedWhole = true;
    m_pending.clear();
    m_status = QSettings::NoError;
    m_lastWarning.clear();
    return true;
}

// The values encoded and shown to read back exactly; none, with the reason logged, when
// they cannot be.
std::optional<QByteArray> PreferencesDocument::checkedContent()
{
    QByteArray encoded = IniCodec::encode(m_values);
    if (!IniCodec::readsBackAs(encoded, m_values) && dropKeysThatDoNotReadBack()) {
        // The old file held keys that do not survive a rewrite: saved without them, and the
        // file kept as it was.
        m_keepOldFile = m_file.stamp() != m_kept;
        encoded = IniCodec::encode(m_values);
    }
    if (!IniCodec::readsBackAs(encoded, m_values)) {
        fail(QStringLiteral("its settings do not read back as written"));
        return std::nullopt;
    }
    return encoded;
}

// Keeps the file that does not read back cleanly beside itself, with one warning naming it.
bool PreferencesDocument::keepOldFile()
{
    QString kept;
    QString problem;
    switch (m_file.keepCopy(&kept, &problem)) {
    case PreferencesFile::Keeping::Gone:
        return true; // gone meanwhile: nothing to keep
    case PreferencesFile::Keeping::Failed:
        return fail(QStringLiteral("%1 and cannot be kept as %2 (%3)")
                        .arg(m_unfit.isEmpty() ? QStringLiteral("it does not read back cleanly")
                                               : QStringLiteral("it is ") + m_unfit,
                             kept, problem));
    case PreferencesFile::Keeping::Kept:
        break;
    }
    m_kept = m_file.stamp();
    if (m_unfit.isEmpty()) {
        m_log.warning(QStringLiteral("the preferences file %1 did not read back cleanly: kept it "
                                     "as %2 and saved the settings that could be read")
                          .arg(m_file.path(), kept)
                          .toStdString());
    } else {
        m_log.warning(QStringLiteral("the preferences file %1 is %2: kept it as %3 and saved "
                                     "the settings anew")
                          .arg(m_file.path(), m_unfit, kept)
                          .toStdString());
    }
    return true;
}

// Removes the keys from the old file whose values do not read back as written on their own;
// true if any.
bool PreferencesDocument::dropKeysThatDoNotReadBack()
{
    QStringList broken;
    for (auto it = m_values.cbegin(); it != m_values.cend(); ++it) {
        // Only what the old file held: a change is saved as it is or not at all.
        if (!m_pending.contains(it.key()) && IniCodec::breaksAlone(it.key(), it.value()))
            broken.append(it.key());
    }
    for (const QString& key : std::as_const(broken))
        m_values.remove(key);
    return !broken.isEmpty();
}

bool PreferencesDocument::fail(const QString& problem)
{
    m_status = QSettings::AccessError;
    warnOnce(QStringLiteral("cannot use the preferences file %1: %2").arg(m_file.path(), problem));
    return false;
}

void PreferencesDocument::warnOnce(const QString& message)
{
    if (message == m_lastWarning)
        return;
    m_lastWarning = message;
    m_log.warning(message.toStdString());
}
