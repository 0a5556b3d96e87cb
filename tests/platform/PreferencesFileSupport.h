#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// Files as the preferences tests set them up and look at them.

// The bytes of a literal that may hold zero bytes, without its terminator.
template <std::size_t N> QByteArray bytesOf(const char (&literal)[N])
{
    return QByteArray(literal, N - 1);
}

inline QByteArray contentOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Writes the file in place (no rename), its folders made first.
inline void writeFile(const QString& path, const QByteArray& content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(content), content.size());
}

// A test's own folder, and the preferences file's path in it (neither made yet).
class PreferencesFolderTest : public testing::Test
{
protected:
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("morvane/colorpicker.conf"));
};
