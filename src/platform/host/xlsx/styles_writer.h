#pragma once

namespace tavrello::host {
class StyleTable;
}

namespace tavrello::host::xlsx {

class PartWriter;

// Writes xl/styles.xml from the workbook's style table: number formats,
// fonts, fills, borders and one cell format (xf) per style, in the table's
// order, so that a cell's style index is its s attribute. The file format
// reserves fills 0 (none) and 1 (gray125): the table's fill k is written as
// fill k + 1 from k = 1 on.
void writeStyles(PartWriter& out, const StyleTable& styles);

// The file's fill index of the style table's fill `index`.
inline unsigned fileFillIndex(unsigned index) { return index == 0 ? 0 : index + 1; }

}  // namespace tavrello::host::xlsx
