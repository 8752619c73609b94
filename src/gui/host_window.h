#pragma once

#include <memory>
#include <string>
#include <vector>

#include <QMainWindow>
#include <QTimer>

class QLabel;
class QLineEdit;

namespace tavrello::host {
class Book;
class WorkbookApplication;
}

namespace tavrello::gui {

class AddinSwitch;
class CommandBarToolbars;
class NameBox;
class SavedStates;
class SheetTabs;
class SheetView;

// The workbook host's main window: the active workbook's active sheet in a
// grid, its sheet tabs, the name box and the entry line above the grid, the
// status bar, the File, Data and Tools menus, and every command bar of the
// host as a tool bar.
//
// The window holds no state of its own beyond what is on screen and which
// workbooks the user trusts to refresh: the host's model (workbooks, sheets,
// cells, selection, command bars) is the one document, and the window reads
// it again after every user action (a click, a key, a window closing,
// anywhere in the program, the add-in's windows included), since add-ins
// change the model through the object model without telling anyone.
class HostWindow : public QMainWindow {
  Q_OBJECT

 public:
  // `addins` (may be null: no Add-ins dialog) must outlive the window.
  HostWindow(std::shared_ptr<host::WorkbookApplication> app, AddinSwitch* addins, QWidget* parent = nullptr);
  ~HostWindow() override;

  const std::shared_ptr<host::WorkbookApplication>& application() const { return app_; }

  // Brings the window in line with the host's model now.
  void refresh();

  SheetView& sheetView() const { return *sheetView_; }
  NameBox& nameBox() const { return *nameBox_; }
  SheetTabs& sheetTabs() const { return *sheetTabs_; }
  CommandBarToolbars& toolbars() const { return *toolbars_; }

  // Pointing mode, while the host's range prompt waits for a range: the
  // grid and the sheet tabs take clicks, menus and tool bars do not, and the
  // status bar says "Point".
  void setPointing(bool pointing);
  bool pointing() const { return pointing_; }

  // The File menu's commands on the active workbook; Exit is close().
  void newWorkbook();
  void openWorkbook();
  // Opens these workbooks, in order, as File > Open would (the files given
  // on the command line); the last one opened is active. Each file that
  // cannot be read is told and the others still open.
  void openWorkbookFiles(const std::vector<std::string>& paths);
  bool saveWorkbook();
  bool saveWorkbookAs();
  bool closeWorkbook();

  // The Tools > Add-ins dialog, modal.
  void showAddinsDialog();

  // Data > Refresh All: every query table of the active workbook, sheet by
  // sheet; a table that fails is reported and the others still refresh. A
  // table whose connection could run code or touch files of this machine
  // (connection_trust.h) refreshes only once the user has said Yes to the
  // workbook's connections; the answer holds while the workbook is open. A
  // password not saved with the workbook is asked for (a cancel skips the
  // table).
  void refreshAll();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void buildMenus();
  void buildCentralArea();
  void scheduleRefresh();
  void showActiveSheet();
  void refreshEntryLine();
  void refreshStatus();
  void entryLineCommitted();
  bool connectionsTrusted(const std::shared_ptr<host::Book>& book);

  std::shared_ptr<host::WorkbookApplication> app_;
  AddinSwitch* addins_;
  SheetView* sheetView_ = nullptr;
  NameBox* nameBox_ = nullptr;
  QLineEdit* entryLine_ = nullptr;
  SheetTabs* sheetTabs_ = nullptr;
  QLabel* modeLabel_ = nullptr;
  QLabel* summaryLabel_ = nullptr;
  CommandBarToolbars* toolbars_ = nullptr;
  std::unique_ptr<SavedStates> saved_;
  QTimer refreshTimer_;
  std::vector<std::weak_ptr<host::Book>> trustedBooks_;
  const void* shownSheet_ = nullptr;
  bool pointing_ = false;
};

}  // namespace tavrello::gui
