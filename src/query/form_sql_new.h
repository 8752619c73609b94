#pragma once

#include <any>
#include <string>

#include "platform/builder/sql_builder_control.h"
#include "platform/forms/controls.h"
#include "platform/forms/data_grid.h"
#include "platform/forms/file_dialog.h"
#include "platform/forms/form.h"

namespace tavrello {

// The query window: pick a saved connection, connect the query builder to
// it, compose a SELECT (in the builder or typed into TextSQL), preview its
// rows, keep statements in files and import the rows into the workbook. One
// shared instance (forms::SharedForm<formSQLNew>), shown modeless by Quick
// Load; closing it unloads it, and the next Quick Load builds it afresh.
//
// Every control keeps the name the window's procedures and the error log use.
class formSQLNew : public forms::Form {
 public:
  static constexpr const char* kModule = "formSQLNew";
  // The marker other windows put into ComboConnections when no connection
  // is saved; it is never looked up.
  static constexpr const char* kNoConnectionItem = "Please Add Connection";

  formSQLNew();

  // Top band.
  forms::Frame& FrameProfiles;
  forms::ComboBox& ComboConnections;
  forms::CommandButton& CommandConnect;
  forms::CommandButton& CommandDisconnect;
  forms::CommandButton& CommandManage;
  forms::CommandButton& CommandExecute;
  forms::Frame& FrameExcel;
  forms::CheckBox& CheckNewWorkbook;
  forms::CheckBox& CheckSelectCell;
  forms::CheckBox& CheckActiveCell;
  forms::TextBox& TextCell;
  forms::CheckBox& CheckBoxImportHeadings;
  forms::CheckBox& CheckAutofilter;
  forms::Label& LabelFormatting;
  forms::ComboBox& ComboFormats;
  forms::Label& LabelEmbed;
  forms::TextBox& TextEmbed;
  forms::CommandButton& CommandEmbed;
  forms::CommandButton& CommandExcel;
  forms::Frame& FrameQueryFiles;
  forms::CommandButton& CommandOpenQueryFile;
  forms::CommandButton& CommandSave;
  forms::CommandButton& CommandClose;
  // Work area: page 0 "Query View" holds the builder above the statement,
  // page 1 "Resultset View" the preview grid.
  forms::TabControl& SSTab1;
  builder::SQLBuilderControl& SQLBuilder;
  forms::TextBox& TextSQL;
  forms::DataGrid& DataGrid;
  forms::FileDialog& CommonDialog2;

  // Opens a fresh MGlobals::gcnDatabase for a saved connection's name,
  // releasing the one before. Every step ignores its own failure, so a
  // connection that did not open stays in gcnDatabase, closed; callers learn
  // of it from its State or from their next operation on it.
  static void ConnectToDatabase(const std::string& name);

  // Drops the builder's connection and returns the window to its
  // disconnected look. No handler of its own.
  void DisconnectFromQueryBuilder();

  // Shows the connection manager modally over the window; its OK reloads
  // the saved connections and refills ComboConnections.
  void LoadProfilesForm();

 private:
  void Form_Load();
  void Form_Resize();
  void Form_Unload();
  void ComboConnections_Click();
  void CommandConnect_Click();
  void CommandDisconnect_Click();
  void CommandManage_Click();
  void CommandClose_Click();
  void CommandExecute_Click();
  void CommandOpenQueryFile_Click();
  void CommandSave_Click();
  void SQLBuilder_OnSQLChanged();
  void SQLBuilder_ExpressionEditRequest(std::any& args);
  void TextSQL_LostFocus();
  // The import (import/): Paste, Embed and the boxes that steer them.
  void CommandExcel_Click();
  void CommandEmbed_Click();
  void TextEmbed_Change();
  void CheckNewWorkbook_Click();
  void CheckActiveCell_Click();
  void CheckSelectCell_Click();
  void CheckBoxImportHeadings_Click();

  void bindHandlers();
  void loadConnectionNames();
};

}  // namespace tavrello
