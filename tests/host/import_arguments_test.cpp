#include "host/import_arguments.h"

#include <gtest/gtest.h>

namespace tavrello::host {
namespace {

TEST(ImportArguments, ReadsEveryOption) {
  ImportArguments a = parseImportArguments({"--connection", "Sales", "--sql", "SELECT 1", "--cell", "C5", "--headers",
                                            "--format", "green and black", "--autofilter", "--embed", "Q1",
                                            "--workbook", "in.XLSX", "--output", "out.xlsx"});
  EXPECT_EQ(a.error, "");
  EXPECT_EQ(a.connection, "Sales");
  EXPECT_EQ(a.sql, "SELECT 1");
  EXPECT_EQ(a.sqlFile, std::nullopt);
  EXPECT_EQ(a.cell, "C5");
  EXPECT_FALSE(a.newWorkbook);
  EXPECT_TRUE(a.headers);
  EXPECT_EQ(a.format, "green and black");
  EXPECT_TRUE(a.autofilter);
  EXPECT_EQ(a.embed, "Q1");
  EXPECT_EQ(a.workbook, "in.XLSX");
  EXPECT_EQ(a.output, "out.xlsx");
}

TEST(ImportArguments, TheDefaultsAreA1NoHeadingsNoFilterAndNoFormatting) {
  ImportArguments a = parseImportArguments({"--sql-file", "q.sql", "--connection", "S", "--output", "o.xlsx"});
  EXPECT_EQ(a.error, "");
  EXPECT_EQ(a.sqlFile, "q.sql");
  EXPECT_EQ(a.cell, "A1");
  EXPECT_FALSE(a.headers);
  EXPECT_FALSE(a.autofilter);
  EXPECT_EQ(a.format, "No Formatting");
  EXPECT_EQ(a.embed, std::nullopt);
  EXPECT_EQ(a.workbook, std::nullopt);
}

TEST(ImportArguments, AValueThatLooksLikeAnOptionIsTheValue) {
  ImportArguments a = parseImportArguments({"--connection", "S", "--sql", "--headers", "--output", "o.xlsx"});
  EXPECT_EQ(a.error, "");
  EXPECT_EQ(a.sql, "--headers");
  EXPECT_FALSE(a.headers);
}

TEST(ImportArguments, WhatCannotBeReadIsSaid) {
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
      {{"--sql", "S", "--output", "o.xlsx"}, "--connection NAME is required"},
      {{"--connection", "S", "--output", "o.xlsx"}, "give either --sql TEXT or --sql-file FILE"},
      {{"--connection", "S", "--sql", "x", "--sql-file", "f", "--output", "o.xlsx"},
       "give either --sql TEXT or --sql-file FILE"},
      {{"--connection", "S", "--sql", "x"}, "--output OUT.xlsx is required"},
      {{"--connection", "S", "--sql", "x", "--output", "o.ods"}, "--output must name an .xlsx file ('o.ods')"},
      {{"--connection", "S", "--sql", "x", "--output", ".xlsx"}, "--output must name an .xlsx file ('.xlsx')"},
      {{"--connection", "S", "--sql", "x", "--output", "o.xlsx", "--workbook", "b.csv"},
       "--workbook must name an .xlsx file ('b.csv')"},
      {{"--connection", "S", "--sql", "x", "--output", "o.xlsx", "--cell", "B2", "--new-workbook"},
       "--cell and --new-workbook cannot be combined"},
      {{"--connection", "S", "--sql", "x", "--output", "o.xlsx", "--embed", ""},
       "--embed needs a name for the query table"},
      {{"--connection", "S", "--sql", "x", "--output"}, "--output needs a value"},
      {{"--connection", "S", "--sql", "x", "--output", "o.xlsx", "--headers", "--headers"},
       "--headers is given more than once"},
      {{"--connection", "S", "--sql", "x", "--output", "o.xlsx", "--frobnicate"}, "unknown argument '--frobnicate'"},
      {{"--connection", "S", "--sql", "x", "--output", "o.xlsx", "stray"}, "unknown argument 'stray'"},
  };
  for (const auto& [arguments, error] : cases) EXPECT_EQ(parseImportArguments(arguments).error, error) << error;
}

}  // namespace
}  // namespace tavrello::host
