#include "app/panel/PanelPlacement.h"

#include <algorithm>

namespace PanelPlacement {

QPoint topLeft(const QRect& anchor, const QSize& panel, const QRect& available)
{
    int x = anchor.x() + (anchor.width() - panel.width()) / 2;
    const bool below = anchor.center().y() < available.center().y();
    int y = below ? anchor.bottom() + 1 + gap : anchor.top() - gap - panel.height();

    // Clamp into the area; a panel larger than the area keeps its top-left corner visible.
    x = std::max(available.left(), std::min(x, available.right() + 1 - panel.width()));
    y = std::max(available.top(), std::min(y, available.bottom() + 1 - panel.height()));
    return {x, y};
}

} // namespace PanelPlacement
