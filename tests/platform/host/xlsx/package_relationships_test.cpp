#include "platform/host/xlsx/package_relationships.h"

#include <gtest/gtest.h>

#include "package_builder.h"
#include "platform/host/xlsx/zip_reader.h"
#include "support_lib/test_env.h"

namespace tavrello::host::xlsx {
namespace {

TEST(PackageRelationships, TargetsResolveToPartNames) {
  EXPECT_EQ(resolveTarget("xl/workbook.xml", "worksheets/sheet1.xml"), "xl/worksheets/sheet1.xml");
  EXPECT_EQ(resolveTarget("xl/worksheets/sheet1.xml", "../queryTables/queryTable1.xml"), "xl/queryTables/queryTable1.xml");
  EXPECT_EQ(resolveTarget("xl/workbook.xml", "/xl/styles.xml"), "xl/styles.xml");
  EXPECT_EQ(resolveTarget("", "xl/workbook.xml"), "xl/workbook.xml");
  EXPECT_EQ(resolveTarget("xl/workbook.xml", "./worksheets/My%20Sheet.xml"), "xl/worksheets/My Sheet.xml");
  EXPECT_EQ(resolveTarget("xl/workbook.xml", "../../../../etc/passwd"), "etc/passwd");  // never above the package
}

TEST(PackageRelationships, TypesCountByTheirLastSegmentAndNamesIgnoreCase) {
  testing::TempDir dir;
  auto parts = testing::xlsx::minimalParts();
  parts["xl/_rels/workbook.xml.rels"] =
      "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
      "<Relationship Id=\"rId1\" Type=\"http://purl.oclc.org/ooxml/officeDocument/relationships/worksheet\" "
      "Target=\"Worksheets/Sheet1.XML\"/>"
      "<Relationship Id=\"rId9\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/hyperlink\" "
      "Target=\"https://example.com/\" TargetMode=\"External\"/></Relationships>";
  testing::xlsx::writePackage(dir / "t.xlsx", parts);
  ZipReader zip(dir / "t.xlsx", ReadLimits{});
  auto rels = readRelationships(zip, "xl/workbook.xml");
  ASSERT_EQ(rels.size(), 2u);
  const Relationship* sheet = findByType(rels, "worksheet");
  ASSERT_TRUE(sheet);
  EXPECT_EQ(sheet->target, "xl/Worksheets/Sheet1.XML");
  EXPECT_TRUE(zip.has(sheet->target));  // part names ignore letter case
  EXPECT_TRUE(findById(rels, "rId9")->external);
  EXPECT_EQ(findByType(rels, "hyperlink"), nullptr);  // external targets are no parts
  EXPECT_TRUE(readRelationships(zip, "xl/worksheets/sheet1.xml").empty());
}

TEST(ZipReaderLimits, AnArchiveOfTooManyEntriesIsRefusedBeforeAnyIsRead) {
  testing::TempDir dir;
  auto parts = testing::xlsx::minimalParts();
  for (int i = 0; i < 30; ++i) parts["extra/" + std::to_string(i)] = "x";
  testing::xlsx::writePackage(dir / "t.xlsx", parts);
  ReadLimits limits;
  limits.maxEntries = 20;
  try {
    ZipReader zip(dir / "t.xlsx", limits);
    FAIL();
  } catch (const Failure& failure) {
    EXPECT_NE(failure.description().find("more than the 20 a workbook is allowed"), std::string::npos)
        << failure.description();
  }
}

}  // namespace
}  // namespace tavrello::host::xlsx
