#include "platform/host/xlsx/styles_reader.h"

#include <gtest/gtest.h>

#include "platform/host/workbook/style_table.h"
#include "platform/host/xlsx/color_reader.h"
#include "platform/system/failure.h"

namespace tavrello::host::xlsx {
namespace {

struct Parsed {
  pugi::xml_document document;
  StyleTable styles;
  std::vector<std::uint32_t> xfs;
};

std::unique_ptr<Parsed> read(const std::string& inner, const ColorReader& colors = ColorReader()) {
  auto parsed = std::make_unique<Parsed>();
  std::string xml = "<x:styleSheet xmlns:x=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">" + inner +
                    "</x:styleSheet>";
  EXPECT_TRUE(parsed->document.load_string(xml.c_str()));
  parsed->xfs = readStyles(parsed->document.document_element(), colors, parsed->styles);
  return parsed;
}

TEST(StylesReader, CellFormatsMapToEqualStylesOfTheTable) {
  auto p = read(R"(<x:numFmts count="1"><x:numFmt numFmtId="170" formatCode="0.000_x0020_kg"/></x:numFmts>
    <x:fonts count="2"><x:font><x:sz val="11"/><x:name val="Calibri"/></x:font>
      <x:font><x:b/><x:i val="0"/><x:u/><x:sz val="14"/><x:color rgb="FF112233"/><x:name val="Arial"/></x:font></x:fonts>
    <x:fills count="3"><x:fill><x:patternFill patternType="none"/></x:fill><x:fill><x:patternFill patternType="gray125"/></x:fill>
      <x:fill><x:patternFill patternType="solid"><x:fgColor rgb="FFCCFFCC"/></x:patternFill></x:fill></x:fills>
    <x:borders count="2"><x:border/><x:border><x:left style="thin"><x:color indexed="10"/></x:left>
      <x:bottom style="mediumDashDot"/></x:border></x:borders>
    <x:cellXfs count="4"><x:xf numFmtId="0" fontId="0" fillId="0" borderId="0"/>
      <x:xf numFmtId="170" fontId="1" fillId="2" borderId="1"><x:alignment horizontal="centerContinuous" vertical="top" wrapText="1"/></x:xf>
      <x:xf numFmtId="14" fontId="9" fillId="1" borderId="0"/>
      <x:xf numFmtId="0" fontId="0" fillId="0" borderId="0"/></x:cellXfs>)");
  ASSERT_EQ(p->xfs.size(), 4u);
  EXPECT_EQ(p->xfs[0], 0u);
  EXPECT_EQ(p->xfs[3], 0u);  // equal formats share a style
  const CellStyle& styled = p->styles.style(p->xfs[1]);
  EXPECT_EQ(p->styles.numberFormat(styled.numberFormat).code, "0.000 kg");
  const FontStyle& font = p->styles.font(styled.font);
  EXPECT_EQ(font.name, "Arial");
  EXPECT_EQ(font.size, 14);
  EXPECT_TRUE(font.bold);
  EXPECT_FALSE(font.italic);  // <i val="0"/> is off
  EXPECT_TRUE(font.underline);
  EXPECT_EQ(font.color, Rgb{0x112233});
  EXPECT_EQ(p->styles.fill(styled.fill), (FillStyle{FillPattern::Solid, 0xCCFFCC}));
  const BorderStyle& border = p->styles.border(styled.border);
  EXPECT_EQ(border.left, (BorderEdge{BorderLine::Thin, Rgb{0xFF0000}}));
  EXPECT_EQ(border.bottom.line, BorderLine::Dashed);
  EXPECT_EQ(styled.alignment, (AlignmentStyle{HorizontalAlignment::Center, VerticalAlignment::Top, true}));

  // A built-in date format by its id; a font the part lacks and the grey
  // pattern read as the defaults.
  const CellStyle& date = p->styles.style(p->xfs[2]);
  EXPECT_EQ(p->styles.numberFormat(date.numberFormat).code, "mm-dd-yy");
  EXPECT_TRUE(p->styles.isDateStyle(p->xfs[2]));
  EXPECT_EQ(date.font, 0u);
  EXPECT_EQ(date.fill, 0u);
}

TEST(StylesReader, ThemeColoursComeFromTheWorkbooksThemeWithTheirTint) {
  pugi::xml_document theme;
  ASSERT_TRUE(theme.load_string(R"(<a:theme xmlns:a="urn:a"><a:themeElements><a:clrScheme name="x">
      <a:dk1><a:sysClr val="windowText" lastClr="000000"/></a:dk1><a:lt1><a:sysClr val="window" lastClr="FFFFFF"/></a:lt1>
      <a:dk2><a:srgbClr val="1F497D"/></a:dk2><a:lt2><a:srgbClr val="EEECE1"/></a:lt2>
      <a:accent1><a:srgbClr val="336699"/></a:accent1></a:clrScheme></a:themeElements></a:theme>)"));
  ColorReader colors;
  colors.readTheme(theme.document_element());
  pugi::xml_document color;
  ASSERT_TRUE(color.load_string(R"(<c><color theme="4"/><color theme="4" tint="0.5"/><color theme="4" tint="-0.5"/>
      <color theme="1"/><color auto="1"/><color indexed="64"/><color rgb="zz"/></c>)"));
  std::vector<std::optional<Rgb>> read;
  for (pugi::xml_node node : color.document_element().children()) read.push_back(colors.read(node));
  EXPECT_EQ(read[0], Rgb{0x336699});
  EXPECT_EQ(read[1], Rgb{0x8CB2D9});  // lightness half way to white
  EXPECT_EQ(read[2], Rgb{0x19334D});  // lightness halved
  EXPECT_EQ(read[3], Rgb{0x000000});
  EXPECT_EQ(read[4], std::nullopt);
  EXPECT_EQ(read[5], std::nullopt);  // the system foreground: automatic
  EXPECT_EQ(read[6], std::nullopt);
}

TEST(StylesReader, APartDefiningMoreFormatsThanAWorkbookHoldsIsRefused) {
  std::string xfs = "<x:cellXfs>";
  for (int i = 0; i < 64001; ++i) xfs += "<x:xf numFmtId=\"0\"/>";
  xfs += "</x:cellXfs>";
  try {
    read(xfs);
    FAIL();
  } catch (const Failure& failure) {
    EXPECT_NE(failure.description().find("more than 64000 cell formats"), std::string::npos);
  }
  std::string fonts = "<x:fonts>";
  for (int i = 0; i < 4097; ++i) fonts += "<x:font><x:sz val=\"" + std::to_string(1 + i % 400) + "\"/></x:font>";
  EXPECT_THROW(read(fonts + "</x:fonts>"), Failure);
}

}  // namespace
}  // namespace tavrello::host::xlsx
