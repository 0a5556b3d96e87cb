#include "platform/updates/Appcast.h"

#include <QXmlStreamReader>

namespace {

QString attribute(const QXmlStreamAttributes& attributes, QStringView localName)
{
    for (const QXmlStreamAttribute& a : attributes) {
        if (a.name() == localName)
            return a.value().toString().trimmed();
    }
    return {};
}

void readEnclosure(QXmlStreamReader& reader, AppcastItem& item)
{
    const QXmlStreamAttributes attributes = reader.attributes();
    item.enclosureUrl = QUrl(attribute(attributes, u"url"), QUrl::StrictMode);
    bool isNumber = false;
    const qint64 length = attribute(attributes, u"length").toLongLong(&isNumber);
    item.enclosureLength = isNumber && length >= 0 ? length : -1;
    item.edSignature = attribute(attributes, u"edSignature");
    if (item.version.isEmpty())
        item.version = attribute(attributes, u"version");
    if (item.shortVersionString.isEmpty())
        item.shortVersionString = attribute(attributes, u"shortVersionString");
    reader.skipCurrentElement();
}

AppcastItem readItem(QXmlStreamReader& reader)
{
    AppcastItem item;
    while (reader.readNextStartElement()) {
        const QStringView name = reader.name();
        const bool appcastField = !reader.namespaceUri().isEmpty();
        if (name == u"enclosure") {
            readEnclosure(reader, item);
        } else if (!appcastField && name == u"title") {
            item.title = reader.readElementText(QXmlStreamReader::IncludeChildElements).trimmed();
        } else if (!appcastField && name == u"description") {
            item.description = reader.readElementText(QXmlStreamReader::IncludeChildElements);
        } else if (appcastField && name == u"version") {
            item.version = reader.readElementText().trimmed();
        } else if (appcastField && name == u"shortVersionString") {
            item.shortVersionString = reader.readElementText().trimmed();
        } else if (appcastField && name == u"channel") {
            item.channel = reader.readElementText().trimmed();
        } else if (appcastField && name == u"minimumSystemVersion") {
            item.minimumSystemVersion = reader.readElementText().trimmed();
        } else if (appcastField && name == u"releaseNotesLink") {
            item.releaseNotesLink = QUrl(reader.readElementText().trimmed(), QUrl::StrictMode);
        } else {
            reader.skipCurrentElement();
        }
    }
    return item;
}

} // namespace

std::optional<QList<AppcastItem>> Appcast::parse(const QByteArray& document)
{
    QXmlStreamReader reader(document);
    if (!reader.readNextStartElement() || reader.name() != u"rss")
        return std::nullopt;

    QList<AppcastItem> items;
    bool sawChannel = false;
    while (reader.readNextStartElement()) {
        if (reader.name() != u"channel") {
            reader.skipCurrentElement();
            continue;
        }
        sawChannel = true;
        while (reader.readNextStartElement()) {
            if (reader.name() != u"item") {
                reader.skipCurrentElement();
                continue;
            }
            AppcastItem item = readItem(reader);
            if (!item.version.isEmpty() && item.enclosureUrl.isValid() &&
                !item.enclosureUrl.isEmpty())
                items.append(std::move(item));
        }
    }
    // Reading on to the end catches a document cut short after its last complete item.
    while (!reader.atEnd())
        reader.readNext();
    if (reader.hasError() || !sawChannel)
        return std::nullopt;
    return items;
}
