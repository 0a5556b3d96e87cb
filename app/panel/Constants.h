#pragma once

#include <QUrl>

namespace Constants::Web {

// The maker's web colour picker page, opened from the panel's footer.
inline const QUrl& webPickerURL()
{
    static const QUrl url(QStringLiteral("https://morvane.dev/tools/color-picker"),
                          QUrl::StrictMode);
    Q_ASSERT(url.isValid());
    return url;
}

} // namespace Constants::Web
