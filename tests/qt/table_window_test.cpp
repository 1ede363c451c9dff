// The table window in its choose and edit modes, and the pre-design window,
// driven as a person would.
#include "app/qt/table_window.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>
#include <filesystem>
#include <string>

#include "app/qt/pre_design_form.h"
#include "model/chain_table.h"
#include "model/drive_model.h"
#include "tests/qt/modal_answer.h"
#include "tests/test_support.h"

namespace kv5 {
namespace {

namespace fs = std::filesystem;

class TableWindowTest : public testing::ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    file_ = folder_.File("iso606.dbf");
    fs::copy_file(std::string(KV5_BUILD_DATA_DIR) + "/iso606.dbf", file_);
    ASSERT_TRUE(table_.Open(file_));
    count_ = table_.RecordCount();
    ASSERT_GT(count_, 5);
    ASSERT_TRUE(table_.SetDeleted(2, true));
    table_.SetTitles("", "Rollenketten nach ISO 606");
  }
  // Runs the window through the engine's browse call, with `look` at the
  // open window before `answer` closes it.
  bool Browse(BrowseMode mode, std::function<void(TableWindow&)> look) {
    ChainTable::SetBrowseHook([look](ChainTable& table, const BrowseRequest& request) {
      testing::AnswerNextModal([look](QWidget* modal) {
        auto* window = qobject_cast<TableWindow*>(modal);
        ASSERT_NE(window, nullptr);
        look(*window);
        if (window->isVisible()) window->reject();
      });
      return ShowTableWindow(table, request, {}, nullptr);
    });
    return table_.Browse({mode, 9520});
  }
  static QStringList RowHeadings(const TableWindow& window) {
    QStringList headings;
    for (int r = 0; r < window.grid()->rowCount(); ++r)
      headings << window.grid()->verticalHeaderItem(r)->text();
    return headings;
  }
  testing::TempFolder folder_;
  std::string file_;
  ChainTable table_;
  int count_ = 0;
};

TEST_F(TableWindowTest, ChooseModeHidesDeletedRowsNavigatesAndDoesNotEdit) {
  const std::string before = testing::ReadFileBytes(file_);
  int lastRecord = 0;
  const bool chosen = Browse(BrowseMode::Choose, [&](TableWindow& window) {
    QTableWidget* grid = window.grid();
    EXPECT_EQ(window.windowTitle(), "Rollenketten nach ISO 606");
    EXPECT_EQ(grid->rowCount(), count_ - 1);
    EXPECT_FALSE(RowHeadings(window).contains("2"));
    EXPECT_FALSE(RowHeadings(window).contains("2 *"));
    EXPECT_EQ(grid->columnCount(), 15);
    EXPECT_EQ(grid->editTriggers(), QAbstractItemView::NoEditTriggers);
    EXPECT_FALSE(grid->item(0, 0)->flags() & Qt::ItemIsEditable);
    EXPECT_EQ(window.findChild<QPushButton*>("Button_append"), nullptr);
    EXPECT_EQ(window.findChild<QPushButton*>("Button_pack"), nullptr);
    testing::ClickButton(&window, "Button_next");
    EXPECT_EQ(window.CurrentRecord(), 3);  // the deleted second row is passed over
    testing::ClickButton(&window, "Button_prior");
    EXPECT_EQ(window.CurrentRecord(), 1);
    testing::ClickButton(&window, "Button_last");
    lastRecord = window.CurrentRecord();
    testing::ClickButton(&window, "Button_ok");
  });
  EXPECT_TRUE(chosen);
  EXPECT_EQ(lastRecord, count_);
  EXPECT_EQ(table_.RecordNumber(), count_);

  // Cancel gives no choice.
  EXPECT_FALSE(Browse(BrowseMode::Choose,
                      [](TableWindow& window) { testing::ClickButton(&window, "Button_cancel"); }));
  table_.Close();
  EXPECT_EQ(testing::ReadFileBytes(file_), before);
}

TEST_F(TableWindowTest, EditModeEditsAppendsDeletesAndPacksIntoTheFile) {
  std::vector<std::string> boxes;
  Browse(BrowseMode::Edit, [&](TableWindow& window) {
    QTableWidget* grid = window.grid();
    EXPECT_EQ(grid->rowCount(), count_);
    EXPECT_TRUE(RowHeadings(window).contains("2 *"));
    EXPECT_TRUE(grid->item(0, 0)->flags() & Qt::ItemIsEditable);
    grid->item(0, 0)->setText("QQ");         // designation of record 1
    grid->item(0, 2)->setText("12,75");      // its pitch
    grid->item(3, 2)->setText("no number");  // refused, the stored value shown again
    EXPECT_NE(grid->item(3, 2)->text(), "no number");
    testing::ClickButton(&window, "Button_append");
    EXPECT_EQ(grid->rowCount(), count_ + 1);
    EXPECT_EQ(window.CurrentRecord(), count_ + 1);
    grid->item(grid->rowCount() - 1, 0)->setText("NEW");
    grid->setCurrentCell(4, 0);
    const int deletedRecord = window.CurrentRecord();
    EXPECT_EQ(deletedRecord, 5);
    testing::ClickButton(&window, "Button_delete");
    EXPECT_TRUE(RowHeadings(window).contains("5 *"));
    testing::ClickButton(&window, "Button_pack");
    EXPECT_EQ(grid->rowCount(), count_ - 1);  // records 2 and 5 gone, one appended
    EXPECT_FALSE(RowHeadings(window).join(" ").contains("*"));
    testing::ClickButton(&window, "Button_ok");
  });
  for (const auto& m : platform_.Messages()) boxes.push_back(m.text);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0], "Fehler : Database #" + std::to_string(kTableNotNumber));
  table_.Close();

  ChainTable reread;
  ASSERT_TRUE(reread.Open(file_));
  EXPECT_EQ(reread.RecordCount(), count_ - 1);
  reread.Go(1);
  EXPECT_EQ(reread.Column(1), "QQ");
  EXPECT_EQ(std::stod(reread.Column(3)), 12.75);
  reread.Last();
  EXPECT_EQ(reread.Column(1), "NEW");
  for (int r = 1; r <= reread.RecordCount(); ++r) EXPECT_FALSE(reread.IsDeleted(r));
}

class PreDesignFormTest : public testing::ProgramTest {};

TEST_F(PreDesignFormTest, PinRackSwitchShowsRatioOneAndHidesZ2) {
  model.pinRack = false;
  model.u = 2;
  TForm_kv5vor form;
  EXPECT_EQ(form.windowTitle(), "KV5 Vorauslegung");
  form.show();
  QLineEdit* u = form.field("Edit_u");
  QLineEdit* z2 = form.field("Edit_z2");
  ASSERT_TRUE(u && z2);
  EXPECT_TRUE(z2->isVisible());
  EXPECT_TRUE(form.ratioGroup()->isVisible());
  EXPECT_FALSE(form.z1Label()->isVisible());
  form.pinRackBox()->click();
  EXPECT_TRUE(form.pinRackBox()->isChecked());
  EXPECT_EQ(u->text(), "1");
  EXPECT_FALSE(u->isVisible());
  EXPECT_FALSE(z2->isVisible());
  EXPECT_FALSE(form.ratioGroup()->isVisible());
  EXPECT_TRUE(form.z1Label()->isVisible());
  EXPECT_TRUE(form.findChild<QPushButton*>("Button_z1")->isVisible());
  form.pinRackBox()->click();
  EXPECT_TRUE(z2->isVisible());
  EXPECT_TRUE(form.ratioGroup()->isVisible());
  testing::ClickButton(&form, "Button_ok");
  EXPECT_FALSE(model.pinRack);
}

TEST_F(PreDesignFormTest, RatioFieldsFollowTheTypedValues) {
  model.pinRack = false;
  model.n[1] = 1000;
  TForm_kv5vor form;
  form.show();
  auto items = form.ratioGroup()->findChildren<QRadioButton*>();
  ASSERT_EQ(items.size(), 3);
  QRadioButton* z1Item = nullptr;
  for (QRadioButton* item : items)
    if (item->text() == "Zähnezahl z1") z1Item = item;
  ASSERT_NE(z1Item, nullptr);
  z1Item->click();
  QLineEdit* u = form.field("Edit_u");
  QLineEdit* z1 = form.field("Edit_z1");
  QLineEdit* z2 = form.field("Edit_z2");
  EXPECT_FALSE(z1->isEnabled());
  EXPECT_TRUE(u->isEnabled());
  for (auto [edit, text] : {std::pair{u, "2"}, std::pair{z2, "35"}}) {
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
  }
  EXPECT_EQ(z1->text(), "18");
  EXPECT_EQ(form.ratioGroup()->title(), "Übersetzung z2/z1 = 1.944  n2= 514/min ");
  z2->selectAll();
  QTest::keyClick(z2, Qt::Key_Backspace);
  QTest::keyClicks(z2, "33");
  EXPECT_EQ(z1->text(), "16");
  testing::ClickButton(&form, "Button_ok");
  EXPECT_EQ(model.z1, 16);
  EXPECT_EQ(model.z2, 33);
}

}  // namespace
}  // namespace kv5
