// The program's pictures, painted rather than loaded: the toolbar buttons by
// their keys ("barOpen", "barZoomAll") and the window icon, which matches the
// installed quillon.svg.
#pragma once

#include <QIcon>
#include <QString>

namespace quillon {

// The picture of a toolbar button; an empty icon for an unknown key.
QIcon ToolbarIcon(const QString& key);
QIcon QuillonIcon();

}  // namespace quillon
