#pragma once

#include <string>
#include <vector>

namespace tavrello::host::xlsx {

class ZipReader;

// The parts of a package that this host does not keep, grouped by what
// they are for a user ("charts (xl/charts/chart1.xml and 2 more)"): charts,
// drawings and pictures, pivot tables, macros, list-object tables,
// comments, links to other workbooks, slicers. Parts that only hold
// appearance or bookkeeping (theme, document properties, calculation
// chain, printer settings) are not named.
std::vector<std::string> unkeptParts(const ZipReader& zip);

}  // namespace tavrello::host::xlsx
