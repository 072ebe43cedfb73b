// The shared-mime-info package of graph files, io/resources/quillon.xml,
// compiled in (the build makes its definition from the file).
#pragma once

namespace quillon {

const char* MimePackageXml();

}  // namespace quillon
