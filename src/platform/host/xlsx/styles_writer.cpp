#include "platform/host/xlsx/styles_writer.h"

#include <cstdio>

#include "platform/host/workbook/style_table.h"
#include "platform/host/xlsx/package_names.h"
#include "platform/host/xlsx/part_writer.h"

namespace tavrello::host::xlsx {

namespace {

void putColor(PartWriter& out, Rgb rgb) {
  char text[16];
  std::snprintf(text, sizeof text, "FF%06X", rgb & 0xFFFFFFu);
  out.put("<color rgb=\"");
  out.put(text);
  out.put("\"/>");
}

void putFont(PartWriter& out, const FontStyle& font) {
  out.put("<font>");
  if (font.bold) out.put("<b/>");
  if (font.italic) out.put("<i/>");
  if (font.underline) out.put("<u/>");
  out.put("<sz val=\"");
  out.putNumber(font.size);
  out.put("\"/>");
  if (font.color) putColor(out, *font.color);
  out.put("<name val=\"");
  out.putXml(font.name, XmlContext::Attribute);
  out.put("\"/></font>");
}

void putFill(PartWriter& out, const FillStyle& fill) {
  if (fill.pattern == FillPattern::None) {
    out.put("<fill><patternFill patternType=\"none\"/></fill>");
    return;
  }
  char text[16];
  std::snprintf(text, sizeof text, "FF%06X", fill.color & 0xFFFFFFu);
  out.put("<fill><patternFill patternType=\"solid\"><fgColor rgb=\"");
  out.put(text);
  out.put("\"/><bgColor indexed=\"64\"/></patternFill></fill>");
}

const char* lineName(BorderLine line) {
  switch (line) {
    case BorderLine::Thin: return "thin";
    case BorderLine::Medium: return "medium";
    case BorderLine::Thick: return "thick";
    case BorderLine::Double: return "double";
    case BorderLine::Hair: return "hair";
    case BorderLine::Dotted: return "dotted";
    case BorderLine::Dashed: return "dashed";
    case BorderLine::None: break;
  }
  return nullptr;
}

void putEdge(PartWriter& out, const char* side, const BorderEdge& edge) {
  const char* line = lineName(edge.line);
  out.put('<');
  out.put(side);
  if (!line) {
    out.put("/>");
    return;
  }
  out.put(" style=\"");
  out.put(line);
  out.put("\">");
  if (edge.color) putColor(out, *edge.color);
  out.put("</");
  out.put(side);
  out.put('>');
}

void putBorder(PartWriter& out, const BorderStyle& border) {
  out.put("<border>");
  putEdge(out, "left", border.left);
  putEdge(out, "right", border.right);
  putEdge(out, "top", border.top);
  putEdge(out, "bottom", border.bottom);
  out.put("<diagonal/></border>");
}

const char* horizontalName(HorizontalAlignment h) {
  switch (h) {
    case HorizontalAlignment::Left: return "left";
    case HorizontalAlignment::Center: return "center";
    case HorizontalAlignment::Right: return "right";
    case HorizontalAlignment::General: break;
  }
  return nullptr;
}

const char* verticalName(VerticalAlignment v) {
  switch (v) {
    case VerticalAlignment::Center: return "center";
    case VerticalAlignment::Top: return "top";
    case VerticalAlignment::Bottom: break;
  }
  return nullptr;
}

void putAttribute(PartWriter& out, const char* name, std::uint64_t value) {
  out.put(' ');
  out.put(name);
  out.put("=\"");
  out.putUnsigned(value);
  out.put('"');
}

void putXf(PartWriter& out, const StyleTable& styles, const CellStyle& style) {
  const NumberFormat& format = styles.numberFormat(style.numberFormat);
  out.put("<xf");
  putAttribute(out, "numFmtId", format.id);
  putAttribute(out, "fontId", style.font);
  putAttribute(out, "fillId", fileFillIndex(style.fill));
  putAttribute(out, "borderId", style.border);
  out.put(" xfId=\"0\"");
  if (format.id != 0) out.put(" applyNumberFormat=\"1\"");
  if (style.font != 0) out.put(" applyFont=\"1\"");
  if (style.fill != 0) out.put(" applyFill=\"1\"");
  if (style.border != 0) out.put(" applyBorder=\"1\"");
  const AlignmentStyle& a = style.alignment;
  if (a == AlignmentStyle{}) {
    out.put("/>");
    return;
  }
  out.put(" applyAlignment=\"1\"><alignment");
  if (const char* h = horizontalName(a.horizontal)) {
    out.put(" horizontal=\"");
    out.put(h);
    out.put('"');
  }
  if (const char* v = verticalName(a.vertical)) {
    out.put(" vertical=\"");
    out.put(v);
    out.put('"');
  }
  if (a.wrapText) out.put(" wrapText=\"1\"");
  out.put("/></xf>");
}

}  // namespace

void writeStyles(PartWriter& out, const StyleTable& styles) {
  out.put(kXmlDeclaration);
  out.put("<styleSheet xmlns=\"");
  out.put(ns::kMain);
  out.put("\">");

  std::size_t custom = 0;
  for (std::size_t i = 0; i < styles.numberFormatCount(); ++i) custom += styles.numberFormat(static_cast<std::uint32_t>(i)).id >= 164;
  if (custom > 0) {
    out.put("<numFmts count=\"");
    out.putUnsigned(custom);
    out.put("\">");
    for (std::size_t i = 0; i < styles.numberFormatCount(); ++i) {
      const NumberFormat& format = styles.numberFormat(static_cast<std::uint32_t>(i));
      if (format.id < 164) continue;
      out.put("<numFmt numFmtId=\"");
      out.putUnsigned(format.id);
      out.put("\" formatCode=\"");
      out.putXml(format.code, XmlContext::Attribute);
      out.put("\"/>");
    }
    out.put("</numFmts>");
  }

  out.put("<fonts count=\"");
  out.putUnsigned(styles.fontCount());
  out.put("\">");
  for (std::size_t i = 0; i < styles.fontCount(); ++i) putFont(out, styles.font(static_cast<std::uint32_t>(i)));
  out.put("</fonts>");

  out.put("<fills count=\"");
  out.putUnsigned(styles.fillCount() + 1);
  out.put("\">");
  putFill(out, styles.fill(0));
  out.put("<fill><patternFill patternType=\"gray125\"/></fill>");
  for (std::size_t i = 1; i < styles.fillCount(); ++i) putFill(out, styles.fill(static_cast<std::uint32_t>(i)));
  out.put("</fills>");

  out.put("<borders count=\"");
  out.putUnsigned(styles.borderCount());
  out.put("\">");
  for (std::size_t i = 0; i < styles.borderCount(); ++i) putBorder(out, styles.border(static_cast<std::uint32_t>(i)));
  out.put("</borders>");

  out.put("<cellStyleXfs count=\"1\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\"/></cellStyleXfs>");
  out.put("<cellXfs count=\"");
  out.putUnsigned(styles.styleCount());
  out.put("\">");
  for (std::size_t i = 0; i < styles.styleCount(); ++i) putXf(out, styles, styles.style(static_cast<std::uint32_t>(i)));
  out.put("</cellXfs>");
  out.put("<cellStyles count=\"1\"><cellStyle name=\"Normal\" xfId=\"0\" builtinId=\"0\"/></cellStyles>");
  out.put("</styleSheet>");
}

}  // namespace tavrello::host::xlsx
