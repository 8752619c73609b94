// The query builder's widget, offscreen, connected to the sample database.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QListWidget>
#include <QScrollArea>
#include <QSplitter>
#include <QTest>

#include "gui/builder_add_object_dialog.h"
#include "gui/builder_columns_view.h"
#include "gui/builder_diagram_view.h"
#include "gui/builder_object_tree.h"
#include "gui/builder_structure_tree.h"
#include "gui/builder_widget.h"
#include "gui/widget_factory.h"
#include "platform/builder/sql_builder_control.h"
#include "platform/db/sample_database.h"
#include "platform/forms/form.h"
#include "qt_app.h"
#include "support_lib/test_env.h"

namespace tavrello {
namespace {

using testing::qtApp;

class formBuilderHost : public forms::Form {
 public:
  formBuilderHost() : Form("formBuilderHost"), SQLBuilder(add<builder::SQLBuilderControl>("SQLBuilder")) {}
  builder::SQLBuilderControl& SQLBuilder;
};

class BuilderWidgetTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { qtApp(); }

  void SetUp() override {
    db::createSampleDatabase(dir / "sample.db");
    form.SQLBuilder.ConnectionString("Provider=SQLite;Data Source=" + (dir / "sample.db").string());
    form.SQLBuilder.Connect();
  }
  void TearDown() override { testing::settle(); }

  const db::CatalogObject& table(const std::string& name) {
    for (const auto& object : builder().catalog().objects(db::ObjectKind::Table)) {
      if (object.name == name) return object;
    }
    throw std::runtime_error("no table " + name);
  }
  builder::QueryBuilder& builder() { return form.SQLBuilder.builder(); }

  // customers joined to orders, three columns ticked, one sorted.
  void buildJoinedQuery() {
    builder().addCatalogObject(table("customers"));
    builder().addCatalogObject(table("orders"));
    builder().joinSources(1, "customer_id", 0, "id");
    builder().setColumnChecked(0, "name", true);
    builder().setColumnChecked(0, "country", true);
    builder().setColumnChecked(1, "ordered_at", true);
    builder().setColumnChecked(1, "status", true);
    builder().setCriteria(3, "= 'shipped'");
    builder().setSort(2, builder::SortType::Descending);
  }

  testing::TempDir dir;
  formBuilderHost form;
};

TEST_F(BuilderWidgetTest, ShowsTheSampleDatabaseAndAJoinedQuery) {
  buildJoinedQuery();
  gui::BuilderWidget widget(form.SQLBuilder, nullptr);
  widget.resize(1000, 620);
  widget.show();
  widget.refresh();
  testing::settle();

  // Object tree: 150 pixels wide, the four nodes, the sample's tables.
  gui::BuilderObjectTree* tree = widget.objectTree();
  EXPECT_EQ(tree->width(), 150) << tree->parentWidget()->metaObject()->className() << " " << tree->parentWidget()->width();
  ASSERT_EQ(tree->topLevelItemCount(), 4);
  EXPECT_EQ(tree->topLevelItem(0)->text(0), "Tables");
  EXPECT_EQ(tree->topLevelItem(1)->text(0), "Views");
  EXPECT_EQ(tree->topLevelItem(2)->text(0), "Procedures");
  EXPECT_EQ(tree->topLevelItem(3)->text(0), "Synonyms");
  QStringList tables;
  for (int i = 0; i < tree->topLevelItem(0)->childCount(); ++i) tables << tree->topLevelItem(0)->child(i)->text(0);
  EXPECT_TRUE(tables.contains("customers")) << tables.join(",").toStdString();
  EXPECT_TRUE(tables.contains("orders"));
  EXPECT_EQ(tree->topLevelItem(1)->childCount(), 2);  // the two views

  // Columns appear when a table is opened.
  QTreeWidgetItem* customers = tree->topLevelItem(0)->child(static_cast<int>(tables.indexOf("customers")));
  customers->setExpanded(true);
  EXPECT_GE(customers->childCount(), 5);
  EXPECT_EQ(customers->child(0)->text(0), "id");

  // Query structure: Union with Expressions and Object.
  gui::BuilderStructureTree* structure = widget.structureTree();
  ASSERT_EQ(structure->topLevelItemCount(), 1);
  QTreeWidgetItem* part = structure->topLevelItem(0);
  EXPECT_EQ(part->text(0), "Union");
  ASSERT_EQ(part->childCount(), 2);
  EXPECT_EQ(part->child(0)->text(0), "Expressions");
  EXPECT_EQ(part->child(0)->childCount(), 4);
  EXPECT_EQ(part->child(1)->text(0), "Object");
  EXPECT_EQ(part->child(1)->childCount(), 2);

  // Diagram: two yellow boxes 120 pixels wide, joined by one line.
  gui::BuilderDiagramView* diagram = widget.diagram();
  EXPECT_EQ(diagram->boxRect(0).width(), 120);
  EXPECT_EQ(diagram->boxRect(1).width(), 120);
  EXPECT_FALSE(diagram->boxRect(0).intersects(diagram->boxRect(1)));
  QImage image = diagram->grab().toImage();
  QPoint inside = diagram->columnRect(0, 2).center() + QPoint(30, 0);
  EXPECT_EQ(image.pixelColor(inside), QColor(255, 255, 128));
  EXPECT_EQ(image.pixelColor(2, 2), QColor(255, 255, 255));
  EXPECT_EQ(builder().model().links.size(), 1u);

  // Columns pane: one row per column, with the criteria and the sort.
  gui::BuilderColumnsView* columns = widget.columnsView();
  ASSERT_EQ(columns->rowCount(), 4);
  EXPECT_EQ(columns->item(0, gui::BuilderColumnsView::Expression)->text(), "customers.name");
  EXPECT_EQ(columns->item(3, gui::BuilderColumnsView::Criteria)->text(), "= 'shipped'");
  auto* sort = qobject_cast<QComboBox*>(columns->cellWidget(2, gui::BuilderColumnsView::SortType));
  ASSERT_NE(sort, nullptr);
  EXPECT_EQ(sort->currentText(), "Descending");
  EXPECT_EQ(columns->font().pixelSize(), 11);

  const auto shot = testing::artefactDir() / "query_builder.png";
  EXPECT_TRUE(widget.grab().save(QString::fromStdString(shot.string())));
}

TEST_F(BuilderWidgetTest, ClickingACheckBoxInTheDiagramTicksTheColumn) {
  builder().addCatalogObject(table("customers"));
  gui::BuilderWidget widget(form.SQLBuilder, nullptr);
  widget.resize(900, 500);
  widget.show();
  testing::settle();
  const auto& columns = builder().model().sources[0].columns;
  std::size_t city = 0;
  while (city < columns.size() && columns[city].name != "city") ++city;
  ASSERT_LT(city, columns.size());
  QTest::mouseClick(widget.diagram(), Qt::LeftButton, {}, widget.diagram()->checkBoxRect(0, city).center());
  EXPECT_EQ(form.SQLBuilder.FormattedSQL(), "SELECT customers.city FROM customers");
  testing::settle();  // the widget redraws once back in the event loop
  EXPECT_EQ(widget.columnsView()->rowCount(), 1);
  QTest::mouseClick(widget.diagram(), Qt::LeftButton, {}, widget.diagram()->closeButtonRect(0).center());
  EXPECT_EQ(form.SQLBuilder.FormattedSQL(), "SELECT * FROM");
}

TEST_F(BuilderWidgetTest, DraggingAColumnOntoAnotherBoxJoinsTheTables) {
  builder().addCatalogObject(table("customers"));
  builder().addCatalogObject(table("orders"));
  gui::BuilderWidget widget(form.SQLBuilder, nullptr);
  widget.resize(900, 500);
  widget.show();
  testing::settle();
  gui::BuilderDiagramView* diagram = widget.diagram();
  const auto& orders = builder().model().sources[1].columns;
  std::size_t customerId = 0;
  while (orders[customerId].name != "customer_id") ++customerId;
  QPoint from = diagram->columnRect(1, customerId).center() + QPoint(20, 0);
  QPoint to = diagram->columnRect(0, 1).center() + QPoint(20, 0);  // customers.id
  QTest::mousePress(diagram, Qt::LeftButton, {}, from);
  QMouseEvent move(QEvent::MouseMove, to, diagram->mapToGlobal(to), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(diagram, &move);
  QTest::mouseRelease(diagram, Qt::LeftButton, {}, to);
  EXPECT_EQ(form.SQLBuilder.FormattedSQL(),
            "SELECT * FROM customers INNER JOIN orders ON orders.customer_id = customers.id");
}

TEST_F(BuilderWidgetTest, EditingTheColumnsPaneRunsTheOperations) {
  form.SQLBuilder.SQL("SELECT customers.name, customers.city FROM customers");
  gui::BuilderWidget widget(form.SQLBuilder, nullptr);
  widget.show();
  testing::settle();
  gui::BuilderColumnsView* columns = widget.columnsView();
  columns->item(1, gui::BuilderColumnsView::Criteria)->setText("LIKE 'B%'");
  columns->item(0, gui::BuilderColumnsView::Alias)->setText("Customer Name");
  testing::settle();
  EXPECT_EQ(form.SQLBuilder.FormattedSQL(),
            "SELECT customers.name AS \"Customer Name\", customers.city FROM customers\n"
            "WHERE customers.city LIKE 'B%'");
  qobject_cast<QComboBox*>(columns->cellWidget(1, gui::BuilderColumnsView::SortType))->setCurrentIndex(1);
  testing::settle();
  EXPECT_NE(form.SQLBuilder.FormattedSQL().find("ORDER BY customers.city"), std::string::npos);
  columns->item(0, gui::BuilderColumnsView::Output)->setCheckState(Qt::Unchecked);
  testing::settle();
  EXPECT_EQ(form.SQLBuilder.FormattedSQL().rfind("SELECT customers.city FROM customers", 0), 0u)
      << form.SQLBuilder.FormattedSQL();
}

TEST_F(BuilderWidgetTest, DoubleClickingAnObjectInTheTreeAddsIt) {
  gui::BuilderWidget widget(form.SQLBuilder, nullptr);
  widget.show();
  testing::settle();
  QTreeWidgetItem* tables = widget.objectTree()->topLevelItem(0);
  QTreeWidgetItem* first = tables->child(0);
  emit widget.objectTree()->itemDoubleClicked(first, 0);
  EXPECT_EQ(form.SQLBuilder.FormattedSQL(), "SELECT * FROM " + first->text(0).toStdString());
}

TEST_F(BuilderWidgetTest, TheAddObjectListOffersTablesViewsAndSynonyms) {
  gui::BuilderAddObjectDialog dialog(builder().catalog(), nullptr);
  EXPECT_TRUE(dialog.isModal());
  QListWidget* list = dialog.list();
  EXPECT_EQ(list->count(), static_cast<int>(builder().catalog().objects(db::ObjectKind::Table).size() +
                                            builder().catalog().objects(db::ObjectKind::View).size()));
  list->item(0)->setSelected(true);
  list->item(list->count() - 1)->setSelected(true);
  auto chosen = dialog.selectedObjects();
  ASSERT_EQ(chosen.size(), 2u);
  EXPECT_EQ(chosen[1].kind, db::ObjectKind::View);
}

TEST_F(BuilderWidgetTest, TheFormRendererFindsTheWidgetByTheControlsKind) {
  const gui::WidgetFactory* factory = gui::findWidgetFactory("SQLBuilder");
  ASSERT_NE(factory, nullptr);
  QWidget parent;
  QWidget* widget = (*factory)(form.SQLBuilder, &parent);
  EXPECT_NE(dynamic_cast<gui::BuilderWidget*>(widget), nullptr);
}

}  // namespace
}  // namespace tavrello
