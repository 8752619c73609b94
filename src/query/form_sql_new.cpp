#include "query/form_sql_new.h"

#include <cstdint>
#include <initializer_list>

#include "addin/m_globals.h"
#include "platform/forms/dialog_service.h"
#include "profiles/installation_message.h"
#include "profiles/settings_store.h"
#include "query/query_pictures.h"
#include "support/m_error_handler.h"
#include "toolbar/m_command_bars.h"

namespace tavrello {
namespace {

constexpr const char* kFormatSchemes[] = {"No Formatting", "Grey and White", "Green and White", "Green and Black",
                                          "Black and Grey"};
constexpr int kDefaultScheme = 1;

// The graphical buttons of the top band: a 16 by 16 picture above a small
// caption, 525 twips high, 200 from the top.
constexpr float kButtonTop = 200;
constexpr float kButtonWidth = 750;
constexpr float kButtonHeight = 525;
const forms::FontInfo kButtonFont{"Tahoma", 6.75F, false, false};
const forms::FontInfo kStatementFont{"Tahoma", 9, false, false};

void graphicalButton(forms::CommandButton& button, const char* caption, const char* picture, float left,
                     float width = kButtonWidth) {
  button.Move(left, kButtonTop, width, kButtonHeight);
  button.Caption(caption);
  button.Picture(picture);
  button.Font(kButtonFont);
}

}  // namespace

formSQLNew::formSQLNew()
    : Form(kModule),
      FrameProfiles(add<forms::Frame>("FrameProfiles")),
      ComboConnections(add<forms::ComboBox>("ComboConnections")),
      CommandConnect(add<forms::CommandButton>("CommandConnect")),
      CommandDisconnect(add<forms::CommandButton>("CommandDisconnect")),
      CommandManage(add<forms::CommandButton>("CommandManage")),
      CommandExecute(add<forms::CommandButton>("CommandExecute")),
      FrameExcel(add<forms::Frame>("FrameExcel")),
      CheckNewWorkbook(add<forms::CheckBox>("CheckNewWorkbook")),
      CheckSelectCell(add<forms::CheckBox>("CheckSelectCell")),
      CheckActiveCell(add<forms::CheckBox>("CheckActiveCell")),
      TextCell(add<forms::TextBox>("TextCell")),
      CheckBoxImportHeadings(add<forms::CheckBox>("CheckBoxImportHeadings")),
      CheckAutofilter(add<forms::CheckBox>("CheckAutofilter")),
      LabelFormatting(add<forms::Label>("LabelFormatting")),
      ComboFormats(add<forms::ComboBox>("ComboFormats")),
      LabelEmbed(add<forms::Label>("LabelEmbed")),
      TextEmbed(add<forms::TextBox>("TextEmbed")),
      CommandEmbed(add<forms::CommandButton>("CommandEmbed")),
      CommandExcel(add<forms::CommandButton>("CommandExcel")),
      FrameQueryFiles(add<forms::Frame>("FrameQueryFiles")),
      CommandOpenQueryFile(add<forms::CommandButton>("CommandOpenQueryFile")),
      CommandSave(add<forms::CommandButton>("CommandSave")),
      CommandClose(add<forms::CommandButton>("CommandClose")),
      SSTab1(add<forms::TabControl>("SSTab1")),
      SQLBuilder(add<builder::SQLBuilderControl>("SQLBuilder")),
      TextSQL(add<forms::TextBox>("TextSQL")),
      DataGrid(add<forms::DataGrid>("DataGrid")),
      CommonDialog2(add<forms::FileDialog>("CommonDialog2")) {
  Caption("Tavrello");
  Width(16440);
  Height(9210);
  Icon("TavrelloLogo");

  FrameProfiles.Move(70, 0, 4625, 960);
  FrameProfiles.Caption("Profiles");
  ComboConnections.Move(150, 270, 2175, 315);
  ComboConnections.Text("Combo1");
  graphicalButton(CommandConnect, "Connect", pictures::kConnect, 2370);
  graphicalButton(CommandDisconnect, "Disconnect", pictures::kDisconnect, 3130);
  graphicalButton(CommandManage, "New/Edit", pictures::kManage, 3890);
  graphicalButton(CommandExecute, "Execute", pictures::kExecute, 4720);

  FrameExcel.Move(5520, 0, 7410, 960);
  FrameExcel.Caption("Excel");
  const auto inExcelFrame = [this](forms::Control& control, float left, float top, float width, float height) {
    control.Container(FrameExcel.Name());
    control.Move(left, top, width, height);
  };
  inExcelFrame(CheckNewWorkbook, 120, 200, 1575, 300);
  CheckNewWorkbook.Caption("New Workbook");
  inExcelFrame(CheckSelectCell, 120, 400, 1100, 300);
  CheckSelectCell.Caption("Select Cell");
  inExcelFrame(CheckActiveCell, 120, 630, 1100, 300);
  CheckActiveCell.Caption("Active Cell");
  inExcelFrame(TextCell, 1300, 600, 550, 310);
  TextCell.Text("A1");
  inExcelFrame(CheckBoxImportHeadings, 1920, 120, 1060, 195);
  CheckBoxImportHeadings.Caption("Headers");
  inExcelFrame(CheckAutofilter, 1920, 400, 1050, 195);
  CheckAutofilter.Caption("Auto Filter");
  inExcelFrame(LabelFormatting, 3000, 120, 1575, 255);
  LabelFormatting.Caption("Formatting Options");
  inExcelFrame(ComboFormats, 3000, 360, 1700, 315);
  inExcelFrame(LabelEmbed, 5620, 120, 975, 255);
  LabelEmbed.Caption("Embed Name");
  inExcelFrame(TextEmbed, 5620, 360, 855, 285);
  graphicalButton(CommandEmbed, "Embed", pictures::kEmbed, 6600);
  CommandEmbed.Container(FrameExcel.Name());
  graphicalButton(CommandExcel, "Paste", pictures::kPaste, 10230);

  FrameQueryFiles.Move(13020, 0, 1635, 960);
  FrameQueryFiles.Caption("Files");
  graphicalButton(CommandOpenQueryFile, "Open", pictures::kOpen, 13080);
  graphicalButton(CommandSave, "Save", pictures::kSave, 13840);
  graphicalButton(CommandClose, "Close", pictures::kClose, 14760, 725);

  SSTab1.Tabs(2);
  SSTab1.TabCaption(0, "Query View");
  SSTab1.TabCaption(1, "Resultset View");
  SQLBuilder.Container(SSTab1.Name(), 0);
  TextSQL.Container(SSTab1.Name(), 0);
  TextSQL.MultiLine(true);
  TextSQL.ScrollBars(2);
  TextSQL.Font(kStatementFont);
  DataGrid.Container(SSTab1.Name(), 1);

  CommonDialog2.DialogTitle("SQL File");
  CommonDialog2.Filter("SQL files (*.sql)|*.sql|All files (*.*)|*.*");

  // The statement box comes first for the keyboard; the buttons follow in
  // the order they stand in the top band.
  int tab = 0;
  for (forms::Control* control : std::initializer_list<forms::Control*>{
           &TextSQL, &ComboConnections, &CommandConnect, &CommandDisconnect, &CommandManage, &CommandExecute,
           &CheckNewWorkbook, &CheckSelectCell, &CheckActiveCell, &TextCell, &CheckBoxImportHeadings,
           &CheckAutofilter, &ComboFormats, &TextEmbed, &CommandEmbed, &CommandExcel, &CommandOpenQueryFile,
           &CommandSave, &CommandClose, &SQLBuilder, &DataGrid}) {
    control->TabIndex(tab++);
  }

  bindHandlers();
}

void formSQLNew::bindHandlers() {
  bind(forms::Event::Load, "Form_Load", [this] { Form_Load(); });
  bind(forms::Event::Resize, "Form_Resize", [this] { Form_Resize(); });
  bind(forms::Event::Unload, "Form_Unload", [this] { Form_Unload(); });
  bind(ComboConnections, forms::Event::Click, "ComboConnections_Click", [this] { ComboConnections_Click(); });
  bind(CommandConnect, forms::Event::Click, "CommandConnect_Click", [this] { CommandConnect_Click(); });
  bind(CommandDisconnect, forms::Event::Click, "CommandDisconnect_Click", [this] { CommandDisconnect_Click(); });
  bind(CommandManage, forms::Event::Click, "CommandManage_Click", [this] { CommandManage_Click(); });
  bind(CommandClose, forms::Event::Click, "CommandClose_Click", [this] { CommandClose_Click(); });
  bind(CommandExecute, forms::Event::Click, "CommandExecute_Click", [this] { CommandExecute_Click(); });
  bind(CommandOpenQueryFile, forms::Event::Click, "CommandOpenQueryFile_Click",
       [this] { CommandOpenQueryFile_Click(); });
  bind(CommandSave, forms::Event::Click, "CommandSave_Click", [this] { CommandSave_Click(); });
  bind(SQLBuilder, "OnSQLChanged", "SQLBuilder_OnSQLChanged", [this](std::any&) { SQLBuilder_OnSQLChanged(); });
  bind(SQLBuilder, "ExpressionEditRequest", "SQLBuilder_ExpressionEditRequest",
       [this](std::any& args) { SQLBuilder_ExpressionEditRequest(args); });
  bind(TextSQL, forms::Event::LostFocus, "TextSQL_LostFocus", [this] { TextSQL_LostFocus(); });
  bind(CommandExcel, forms::Event::Click, "CommandExcel_Click", [this] { CommandExcel_Click(); });
  bind(CommandEmbed, forms::Event::Click, "CommandEmbed_Click", [this] { CommandEmbed_Click(); });
  bind(TextEmbed, forms::Event::Change, "TextEmbed_Change", [this] { TextEmbed_Change(); });
  bind(CheckNewWorkbook, forms::Event::Click, "CheckNewWorkbook_Click", [this] { CheckNewWorkbook_Click(); });
  bind(CheckActiveCell, forms::Event::Click, "CheckActiveCell_Click", [this] { CheckActiveCell_Click(); });
  bind(CheckSelectCell, forms::Event::Click, "CheckSelectCell_Click", [this] { CheckSelectCell_Click(); });
  bind(CheckBoxImportHeadings, forms::Event::Click, "CheckBoxImportHeadings_Click",
       [this] { CheckBoxImportHeadings_Click(); });
}

void formSQLNew::Form_Load() {
  try {
    TextCell.Text(requireObject(MGlobals::xlApp().ActiveCell()).Address());
    SSTab1.Visible(false);
    SQLBuilder.Visible(false);
    TextSQL.Visible(false);
    CommandDisconnect.Enabled(false);
    CommandExecute.Enabled(false);
    CommandExcel.Enabled(false);
    for (forms::CheckBox* box : {&CheckBoxImportHeadings, &CheckAutofilter, &CheckNewWorkbook}) {
      box->Value(1);
      box->Enabled(false);
    }
    CheckActiveCell.Enabled(false);
    CheckSelectCell.Enabled(false);
    for (const char* scheme : kFormatSchemes) ComboFormats.AddItem(scheme);
    ComboFormats.ListIndex(kDefaultScheme);
    ComboFormats.Enabled(false);
    loadConnectionNames();
  } catch (...) {
    showInstallationMessage();
    MErrorHandler::reportCurrentFailure(kModule, "Form_Load");
  }
}

void formSQLNew::loadConnectionNames() {
  const std::int16_t count = Load_XML_File([this](const std::string& name) { ComboConnections.AddItem(name); });
  if (count < 1) return;
  // A failure of the first selection (its Click handler reports its own)
  // does not make the window's loading fail.
  try {
    ComboConnections.ListIndex(0);
  } catch (const Failure&) {
  }
}

void formSQLNew::Form_Unload() {
  MErrorHandler::handled(kModule, "Form_Unload", [this] {
    SQLBuilder.Disconnect();
    auto combo = MCommandBars::connectionsCombo();
    combo->Clear();
    combo->AddItem(MCommandBars::kPlaceholderItem);
    combo->ListIndex(1);
    for (const std::string& item : ComboConnections.Items()) combo->AddItem(item);
  });
}

void formSQLNew::CommandClose_Click() {
  MErrorHandler::handled(kModule, "CommandClose_Click", [this] {
    SQLBuilder.Reset();
    SQLBuilder.Disconnect();
    Unload();
  });
}

}  // namespace tavrello
