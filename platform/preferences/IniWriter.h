#pragma once

#include <QByteArray>
#include <QVariantMap>

// The INI text QSettings writes for these values, byte for byte: keys filed under their
// normalized names (a key without a name is left out; of two keys with one name the later
// wins), each key under the section its first '/' names ([General] for none) and sorted
// within it, [General] first and the other sections sorted by name, one blank line between
// sections, line feeds only. No values give no text.
QByteArray iniTextOf(const QVariantMap& values);
