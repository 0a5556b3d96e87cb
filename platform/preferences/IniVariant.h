#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>

// How QSettings spells a value as one text before escaping, both ways. Texts, numbers and
// Booleans are their text (a leading '@' doubled; @String(...) around one that holds a zero
// character); bytes are @ByteArray(...), one character
// per byte; a rectangle, size or point is @Rect(x y w h), @Size(w h), @Point(x y); any other
// value is @Variant(...) (@DateTime(...) for a date and time) holding its QDataStream bytes.
namespace IniVariant {

QString textOf(const QVariant& value);
// The value a text stands for; invalid for @Invalid().
QVariant valueOf(const QString& text);
// The value a list of texts stands for: a QStringList, or a QVariantList of the values the
// texts stand for when one of them holds an @ form.
QVariant valueOfList(const QStringList& texts);
// The texts of a value written as a list: a QStringList, or a QVariantList of any other size
// than one. Others are written as one text.
bool isWrittenAsList(const QVariant& value);
QStringList textsOf(const QVariant& list);

} // namespace IniVariant
