// The program's pictures, painted rather than loaded: the toolbar buttons and
// the window icon, which matches the installed quillon.svg.
#pragma once

#include <QIcon>

namespace quillon {

// The toolbar buttons' pictures, one for each command on the toolbar.
enum class ToolbarPicture {
  NewDocument,
  Open,
  Save,
  SaveAs,
  Print,
  Cut,
  Copy,
  CopyAsBitmap,
  Paste,
  Delete,
  Help,
  DrawCartesian,
  DrawPolar,
  Axis,
  Move,
  Zoom,
  ZoomToFit,
};

QIcon ToolbarIcon(ToolbarPicture picture);
QIcon QuillonIcon();

}  // namespace quillon
