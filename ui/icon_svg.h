// The program's icon, ui/resources/quillon.svg, as text compiled into the
// program, so that the file-type registration can install it for the user
// wherever the program runs from.
#pragma once

namespace quillon {

const char* QuillonIconSvg();

}  // namespace quillon
