#include "gui/form_renderer.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

#include "gui/form_window.h"
#include "gui/grid_source_widget.h"
#include "gui/widget_factory.h"
#include "platform/forms/controls.h"
#include "platform/forms/form.h"
#include "qt_app.h"

namespace tavrello::gui {
namespace {

using testing::qtApp;

class formGallery : public forms::Form {
 public:
  formGallery()
      : Form("formGallery"),
        FrameProfiles(add<forms::Frame>("FrameProfiles")),
        ComboConnections(add<forms::ComboBox>("ComboConnections")),
        CommandConnect(add<forms::CommandButton>("CommandConnect")),
        CommandPlain(add<forms::CommandButton>("CommandPlain")),
        CheckNewWorkbook(add<forms::CheckBox>("CheckNewWorkbook")),
        TextName(add<forms::TextBox>("TextName")),
        TextSQL(add<forms::TextBox>("TextSQL")),
        ListConnections(add<forms::ListBox>("ListConnections")),
        SSTab1(add<forms::TabControl>("SSTab1")),
        LabelPage0(add<forms::Label>("LabelPage0")),
        DataGrid(add<forms::DataGrid>("DataGrid")),
        CommonDialog2(add<forms::FileDialog>("CommonDialog2")),
        Fancy(add<forms::CustomControl>("Fancy", "GalleryWidget")),
        Unknown(add<forms::CustomControl>("Unknown", "NoSuchWidget")) {
    Caption("Gallery");
    Width(9000);
    Height(6000);
    FrameProfiles.Caption("Profiles");
    FrameProfiles.Move(70, 0, 4625, 960);
    ComboConnections.Container("FrameProfiles");
    ComboConnections.Move(150, 270, 2175, 315);
    ComboConnections.AddItem("Sample");
    ComboConnections.AddItem("Sales");
    ComboConnections.Text("Combo1");
    CommandConnect.Container("FrameProfiles");
    CommandConnect.Move(2370, 200, 750, 525);
    CommandConnect.Caption("Connect");
    CommandConnect.Picture("Connect");
    CommandPlain.Move(5000, 200, 1200, 375);
    CommandPlain.Caption("Plain");
    CheckNewWorkbook.Move(5000, 700, 1575, 300);
    CheckNewWorkbook.Caption("New Workbook");
    TextName.Move(120, 1100, 3000, 315);
    TextSQL.MultiLine(true);
    TextSQL.ScrollBars(2);
    TextSQL.Move(3300, 1100, 3000, 900);
    ListConnections.Move(120, 1500, 3000, 1000);
    ListConnections.ColumnCount(2);
    ListConnections.ColumnWidths("68;0");
    ListConnections.AddItem("Sample");
    ListConnections.List(0, 1, "Provider=SQLite;Data Source=a.db");
    ListConnections.AddItem("Sales");
    ListConnections.List(1, 1, "DSN=sales");
    SSTab1.Move(120, 2700, 6000, 2500);
    SSTab1.Tabs(2);
    SSTab1.TabCaption(0, "Query View");
    SSTab1.TabCaption(1, "Resultset View");
    LabelPage0.Container("SSTab1", 0);
    LabelPage0.Move(100, 450, 3000, 300);
    LabelPage0.Caption("on page 0");
    DataGrid.Container("SSTab1", 1);
    DataGrid.Move(100, 450, 5000, 1500);
    Fancy.Move(6500, 1100, 1500, 600);
    Unknown.Move(6500, 1800, 1500, 600);
    TextName.TabIndex(0);
    TextSQL.TabIndex(1);

    bind(CommandPlain, forms::Event::Click, "CommandPlain_Click", [this] { log.push_back("CommandPlain_Click"); });
    bind(CheckNewWorkbook, forms::Event::Click, "CheckNewWorkbook_Click",
         [this] { log.push_back("CheckNewWorkbook_Click:" + std::to_string(CheckNewWorkbook.Value())); });
    bind(ComboConnections, forms::Event::Click, "ComboConnections_Click",
         [this] { log.push_back("ComboConnections_Click:" + ComboConnections.Text()); });
    bind(ComboConnections, forms::Event::Change, "ComboConnections_Change",
         [this] { log.push_back("ComboConnections_Change:" + ComboConnections.Text()); });
    bind(TextName, forms::Event::Change, "TextName_Change", [this] { log.push_back("TextName_Change:" + TextName.Text()); });
    bind(ListConnections, forms::Event::Change, "ListConnections_Change",
         [this] { log.push_back("ListConnections_Change:" + std::to_string(ListConnections.ListIndex())); });
    bind(SSTab1, forms::Event::Click, "SSTab1_Click", [this] { log.push_back("SSTab1_Click:" + std::to_string(SSTab1.Tab())); });
  }

  forms::Frame& FrameProfiles;
  forms::ComboBox& ComboConnections;
  forms::CommandButton& CommandConnect;
  forms::CommandButton& CommandPlain;
  forms::CheckBox& CheckNewWorkbook;
  forms::TextBox& TextName;
  forms::TextBox& TextSQL;
  forms::ListBox& ListConnections;
  forms::TabControl& SSTab1;
  forms::Label& LabelPage0;
  forms::DataGrid& DataGrid;
  forms::FileDialog& CommonDialog2;
  forms::CustomControl& Fancy;
  forms::CustomControl& Unknown;
  std::vector<std::string> log;
};

class TwoColumns : public forms::GridSource {
 public:
  int columnCount() const override { return 2; }
  std::string columnName(int column) const override { return column == 0 ? "id" : "name"; }
  std::int64_t rowCount() const override { return 3; }
  std::string cellText(std::int64_t row, int column) const override {
    return column == 0 ? std::to_string(row + 1) : "row " + std::to_string(row + 1);
  }
};

class RendererTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    qtApp();
    registerWidgetFactory("GalleryWidget", [](forms::Control& control, QWidget* parent) -> QWidget* {
      auto* label = new QLabel(QString::fromStdString("custom " + control.Name()), parent);
      label->setObjectName("GalleryWidget");
      return label;
    });
  }

  template <class W>
  W* widget(const std::string& name) {
    auto* found = qobject_cast<W*>(window->controlWidget(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
  }

  formGallery form;
  std::unique_ptr<FormWindow> window = std::make_unique<FormWindow>(form);
};

TEST_F(RendererTest, EveryControlGetsTheWidgetOfItsKindAtItsPlaceInPixels) {
  EXPECT_EQ(window->windowTitle(), "Gallery");
  EXPECT_EQ(window->size(), QSize(600, 400));
  auto* frame = widget<QGroupBox>("FrameProfiles");
  EXPECT_EQ(frame->title(), "Profiles");
  EXPECT_EQ(frame->geometry(), QRect(5, 0, 308, 64));
  auto* combo = widget<QComboBox>("ComboConnections");
  EXPECT_EQ(combo->parentWidget(), frame) << "inside its frame";
  EXPECT_EQ(combo->geometry(), QRect(10, 18, 145, 21));
  EXPECT_TRUE(combo->isEditable());
  EXPECT_EQ(combo->count(), 2);
  EXPECT_EQ(combo->currentText(), "Combo1");
  auto* picture = widget<QToolButton>("CommandConnect");
  EXPECT_EQ(picture->text(), "Connect");
  EXPECT_FALSE(picture->icon().isNull());
  EXPECT_EQ(picture->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
  EXPECT_EQ(widget<QPushButton>("CommandPlain")->text(), "Plain");
  EXPECT_EQ(widget<QCheckBox>("CheckNewWorkbook")->text(), "New Workbook");
  widget<QLineEdit>("TextName");
  widget<QPlainTextEdit>("TextSQL");
  auto* list = widget<QTreeWidget>("ListConnections");
  EXPECT_EQ(list->topLevelItemCount(), 2);
  EXPECT_EQ(list->topLevelItem(1)->text(0), "Sales");
  EXPECT_TRUE(list->isColumnHidden(1)) << "the connection string column is 0 points wide";
  EXPECT_EQ(list->columnWidth(0), 91) << "68 points";
  widget<gui::GridSourceWidget>("DataGrid");
  EXPECT_EQ(window->controlWidget("CommonDialog2"), nullptr) << "a file dialog has no window";
  EXPECT_EQ(window->controlWidget("Fancy")->objectName(), "GalleryWidget");
  EXPECT_EQ(window->controlWidget("Fancy")->geometry(), QRect(433, 73, 100, 40));
  EXPECT_NE(window->controlWidget("Unknown"), nullptr) << "a placeholder stands in";
}

TEST_F(RendererTest, TheTabControlShowsTheControlsOfItsCurrentPageOnly) {
  window->show();
  auto* bar = window->controlWidget("SSTab1")->findChild<QTabBar*>();
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(bar->count(), 2);
  EXPECT_EQ(bar->tabText(1), "Resultset View");
  auto* label = widget<QLabel>("LabelPage0");
  auto* grid = widget<gui::GridSourceWidget>("DataGrid");
  EXPECT_EQ(label->parentWidget(), window->controlWidget("SSTab1"));
  EXPECT_TRUE(label->isVisible());
  EXPECT_FALSE(grid->isVisible());
  form.SSTab1.Tab(1);
  EXPECT_EQ(bar->currentIndex(), 1);
  EXPECT_FALSE(label->isVisible());
  EXPECT_TRUE(grid->isVisible());
  bar->setCurrentIndex(0);
  EXPECT_EQ(form.SSTab1.Tab(), 0);
  EXPECT_TRUE(label->isVisible());
  EXPECT_EQ(form.log, (std::vector<std::string>{"SSTab1_Click:1", "SSTab1_Click:0"}));
}

TEST_F(RendererTest, PropertyChangesReachTheWidgets) {
  window->show();
  form.CommandPlain.Caption("Renamed");
  form.CommandPlain.Enabled(false);
  form.CheckNewWorkbook.Visible(false);
  form.CheckNewWorkbook.Value(1);
  form.ComboConnections.ListIndex(1);
  form.ListConnections.AddItem("Third");
  form.ListConnections.ListIndex(2);
  form.TextSQL.Text("SELECT *\r\nFROM t");
  form.DataGrid.DataSource(std::make_shared<TwoColumns>());
  form.Caption("Gallery 2");
  form.Width(6000);
  form.CommandPlain.Move(150, 150, 1500, 375);

  EXPECT_EQ(widget<QPushButton>("CommandPlain")->text(), "Renamed");
  EXPECT_FALSE(widget<QPushButton>("CommandPlain")->isEnabled());
  EXPECT_EQ(widget<QPushButton>("CommandPlain")->geometry(), QRect(10, 10, 100, 25));
  EXPECT_FALSE(widget<QCheckBox>("CheckNewWorkbook")->isVisible());
  EXPECT_TRUE(widget<QCheckBox>("CheckNewWorkbook")->isChecked());
  EXPECT_EQ(widget<QComboBox>("ComboConnections")->currentText(), "Sales");
  auto* list = widget<QTreeWidget>("ListConnections");
  EXPECT_EQ(list->topLevelItemCount(), 3);
  EXPECT_EQ(list->indexOfTopLevelItem(list->currentItem()), 2);
  EXPECT_EQ(widget<QPlainTextEdit>("TextSQL")->toPlainText(), "SELECT *\nFROM t");
  auto* grid = widget<gui::GridSourceWidget>("DataGrid");
  EXPECT_EQ(grid->rowCount(), 3);
  EXPECT_EQ(grid->header()->model()->headerData(1, Qt::Horizontal).toString(), "name");
  EXPECT_EQ(grid->source()->cellText(2, 1), "row 3");
  EXPECT_EQ(window->windowTitle(), "Gallery 2");
  EXPECT_EQ(window->width(), 400);
  EXPECT_TRUE(std::find(form.log.begin(), form.log.end(), "CheckNewWorkbook_Click:1") != form.log.end());
}

TEST_F(RendererTest, UserActionsOnWidgetsRaiseTheControlsEvents) {
  window->show();
  widget<QPushButton>("CommandPlain")->click();
  widget<QCheckBox>("CheckNewWorkbook")->click();
  emit widget<QComboBox>("ComboConnections")->activated(0);
  QTest::keyClicks(widget<QLineEdit>("TextName"), "ab");
  auto* list = widget<QTreeWidget>("ListConnections");
  list->setCurrentItem(list->topLevelItem(1));
  EXPECT_EQ(form.log, (std::vector<std::string>{"CommandPlain_Click", "CheckNewWorkbook_Click:1",
                                                "ComboConnections_Click:Sample", "TextName_Change:a",
                                                "TextName_Change:ab", "ListConnections_Change:1"}));
  EXPECT_EQ(form.CheckNewWorkbook.Value(), 1);
  EXPECT_TRUE(widget<QCheckBox>("CheckNewWorkbook")->isChecked());
  EXPECT_EQ(form.TextName.Text(), "ab");
  EXPECT_EQ(form.ListConnections.ListIndex(), 1);
}

TEST_F(RendererTest, TypingIntoAnEditableComboChangesItsTextButAddsNoItem) {
  window->show();
  auto* combo = widget<QComboBox>("ComboConnections");
  combo->lineEdit()->clear();
  QTest::keyClicks(combo->lineEdit(), "x");
  QTest::keyClick(combo->lineEdit(), Qt::Key_Return);
  EXPECT_EQ(form.ComboConnections.Text(), "x");
  EXPECT_EQ(combo->count(), 2);
  EXPECT_EQ(form.log.back(), "ComboConnections_Change:x");
}

TEST_F(RendererTest, SeveralLineTextKeepsCrLfInTheControl) {
  window->show();
  auto* text = widget<QPlainTextEdit>("TextSQL");
  text->setFocus();
  text->moveCursor(QTextCursor::End);
  QTest::keyClicks(text, "a");
  QTest::keyClick(text, Qt::Key_Return);
  QTest::keyClicks(text, "b");
  EXPECT_EQ(form.TextSQL.Text(), "a\r\nb");
}

TEST_F(RendererTest, AFailingHandlerOfAWidgetClickGoesToTheHook) {
  std::vector<std::string> reported;
  const auto previous = forms::setUnhandledFailureHandler(
      [&](const Failure& failure, const std::string& formName, const std::string& procedure) {
        reported.push_back(formName + "." + procedure + ": " + failure.description());
      });
  form.bind(form.CommandPlain, forms::Event::Click, "CommandPlain_Click", [] { throw Failure(1004, "broken"); });
  window->show();
  widget<QPushButton>("CommandPlain")->click();
  forms::setUnhandledFailureHandler(previous);
  EXPECT_EQ(reported, (std::vector<std::string>{"formGallery.CommandPlain_Click: broken"}));
}

TEST_F(RendererTest, KeyboardFocusFollowsTheFormBothWays) {
  window->show();
  QApplication::setActiveWindow(window.get());
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  form.TextSQL.SetFocus();
  EXPECT_TRUE(widget<QPlainTextEdit>("TextSQL")->hasFocus());
  widget<QLineEdit>("TextName")->setFocus();
  EXPECT_EQ(form.ActiveControl(), &form.TextName);
}

TEST_F(RendererTest, AnUnloadedFormsWindowLetsGoOfIt) {
  QPointer<FormWindow> watched = window.release();
  form.Show();
  form.Unload();
  testing::settle();
  EXPECT_TRUE(watched.isNull()) << "the window deletes itself";
}

}  // namespace
}  // namespace tavrello::gui
