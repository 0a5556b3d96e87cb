#include "platform/desktop/JournalLogSink.h"

#include <QCoreApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include <gtest/gtest.h>

#include <thread>

namespace {

// The journal entries of the subsystem that carry the marker, as JSON objects; with
// `errorsOnly`, only what an error-level filter shows.
QList<QJsonObject> entriesWith(const QString& marker, bool errorsOnly)
{
    QStringList arguments{"--no-pager", "-o", "json", "SUBSYSTEM=dev.morvane.colorpicker"};
    if (errorsOnly)
        arguments << "-p"
                  << "err";
    QProcess journalctl;
    journalctl.start("journalctl", arguments);
    if (!journalctl.waitForFinished(30000))
        return {};
    QList<QJsonObject> entries;
    for (const QByteArray& line : journalctl.readAllStandardOutput().split('\n')) {
        const QJsonObject entry = QJsonDocument::fromJson(line).object();
        if (entry.value("MESSAGE").toString().contains(marker))
            entries.append(entry);
    }
    return entries;
}

} // namespace

// Needs a journal of its own (see run-in-private-journal.sh), so the check does not depend
// on, or write to, the machine's journal.
TEST(LogJournal, EntriesCarryPriorityFieldsAndTheLiteralMessage)
{
    if (qEnvironmentVariableIsEmpty("MORVANE_PRIVATE_JOURNAL"))
        GTEST_SKIP() << "no private journal could be started";

    const QString marker = QStringLiteral("marker-%1").arg(QCoreApplication::applicationPid());
    const std::string warning = "100% %s %{public}s " + marker.toStdString();
    const std::string info = "selftest ok — " + marker.toStdString();
    Log::installProcessSink(JournalLogSink::system()); // as the application does
    Log("picker").warning(warning);
    Log("lifecycle").info(info);

    QList<QJsonObject> all;
    for (int attempt = 0; attempt < 50 && all.size() < 2; ++attempt) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        all = entriesWith(marker, false);
    }
    ASSERT_EQ(all.size(), 2);
    EXPECT_EQ(all[0].value("MESSAGE").toString().toStdString(), warning);
    EXPECT_EQ(all[0].value("PRIORITY").toString(), "3");
    EXPECT_EQ(all[0].value("CATEGORY").toString(), "picker");
    EXPECT_EQ(all[1].value("MESSAGE").toString().toStdString(), info);
    EXPECT_EQ(all[1].value("PRIORITY").toString(), "6");
    EXPECT_EQ(all[1].value("CATEGORY").toString(), "lifecycle");
    EXPECT_EQ(all[1].value("SYSLOG_IDENTIFIER").toString(), "dev.morvane.colorpicker");

    // The README's filter for warnings shows the warning and not the info entry.
    const QList<QJsonObject> errors = entriesWith(marker, true);
    ASSERT_EQ(errors.size(), 1);
    EXPECT_EQ(errors[0].value("CATEGORY").toString(), "picker");
}
