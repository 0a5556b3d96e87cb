#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// Where the panel's top-left corner goes for an anchor (the tray icon, or a 1 x 1 rectangle
// at the pointer): horizontally centred on the anchor, below it when the anchor lies in the
// upper half of the screen's available area, above it otherwise, kept inside that area.
namespace PanelPlacement {

constexpr int gap = 4;

QPoint topLeft(const QRect& anchor, const QSize& panel, const QRect& available);

} // namespace PanelPlacement
