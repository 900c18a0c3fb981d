// The "Properties" window driven by real input events, against the same
// Editor calls made directly.
#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>

#include <set>
#include <variant>

#include "app/option_object_names.h"
#include "app/properties_window.h"
#include "gui/window_fixture.h"

namespace kestrova::testing {
namespace {

using enum OptionId;
using Tab = PropertiesTab;

class PropertiesWindowTest : public WindowTwin {
 protected:
  app::TForm2* Dialog() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      if (auto* dialog = qobject_cast<app::TForm2*>(widget)) return dialog;
    }
    ADD_FAILURE() << "no TForm2";
    return nullptr;
  }

  template <typename T = QWidget>
  T* InDialog(const char* name) {
    T* found = Dialog()->findChild<T*>(name);
    EXPECT_NE(found, nullptr) << name;
    return found;
  }
  QAbstractButton* Option(OptionId id) { return InDialog<QAbstractButton>(app::ObjectNameOf(id).data()); }
  app::PageControl* Pages() { return InDialog<app::PageControl>("PageControl1"); }

  // A right press and release on the palette.
  void ShowInBoth() {
    if (!window.Core().HasSnapshot()) LoadDemoInBoth();
    app::TFastIMG* palette = Img("FastIMG3");
    const QPoint at(100, 20);
    const QPoint client = palette->mapTo(window.centralWidget(), at);
    QTest::mousePress(palette, Qt::RightButton, {}, at);
    QTest::mouseRelease(palette, Qt::RightButton, {}, at);
    direct.PressPalette(MouseButton::Right, at.x(), client.x(), client.y());
    direct.ReleasePalette();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Dialog()));
  }

  // The person clicks the tab's caption.
  void ClickTab(Tab tab) {
    QTest::mouseClick(Pages(), Qt::LeftButton, {}, Pages()->TabRect(static_cast<int>(tab)).center());
    direct.ChooseTab(tab);
  }

  // Inside the box's indicator, where any style takes a click.
  static QPoint OnIndicator(QAbstractButton* button) { return {6, button->height() / 2}; }

  void Click(OptionId id) {
    QTest::mouseClick(Option(id), Qt::LeftButton, {}, OnIndicator(Option(id)));
    direct.ClickOption(id);
  }

  // Both Editors hold the same options and dialog state, and the window
  // shows exactly that.
  void ExpectSameProperties() {
    const Editor& seen = window.Core();
    EXPECT_EQ(seen.Options(), direct.Options());
    EXPECT_EQ(seen.PropertiesDialog(), direct.PropertiesDialog());
    ExpectShowsModel();
    ExpectSame();
  }

  void ExpectShowsModel() {
    const Editor& seen = window.Core();
    for (const OptionControlInfo& info : OptionControls()) {
      const OptionControl& control = ControlOf(seen.Options(), info.id);
      EXPECT_EQ(Option(info.id)->isChecked(), control.checked) << app::ObjectNameOf(info.id);
      EXPECT_EQ(Option(info.id)->isEnabled(), control.enabled) << app::ObjectNameOf(info.id);
    }
    const PropertiesDialogState& dialog = seen.PropertiesDialog();
    EXPECT_EQ(Dialog()->isVisible(), dialog.visible);
    EXPECT_EQ(Pages()->isVisibleTo(Dialog()), dialog.pageControlVisible);
    EXPECT_EQ(Pages()->Current(), static_cast<int>(dialog.currentTab));
  }
};

QRect RectOf(const ControlBounds& bounds) { return {bounds.left, bounds.top, bounds.width, bounds.height}; }

TEST_F(PropertiesWindowTest, CreatedHiddenWithEveryControlInItsPlace) {
  app::TForm2* dialog = Dialog();
  ASSERT_NE(dialog, nullptr);
  EXPECT_FALSE(dialog->isVisible());
  EXPECT_EQ(dialog->windowTitle(), "Properties");
  EXPECT_EQ(dialog->size(), QSize(310, 232));
  EXPECT_EQ(dialog->pos(), QPoint(175, 188));
  EXPECT_EQ(dialog->font().pixelSize(), 11);
  EXPECT_FALSE(dialog->windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_TRUE(dialog->windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(Pages()->isVisibleTo(dialog));
  EXPECT_EQ(Pages()->geometry(), QRect(8, 10, 291, 183));
  auto* close = InDialog<QPushButton>("CloseButton");
  EXPECT_EQ(close->text(), "Close");
  EXPECT_EQ(close->geometry(), QRect(117, 200, 75, 25));

  ASSERT_EQ(Pages()->Count(), 10);
  for (int tab = 0; tab < Pages()->Count(); ++tab) {
    EXPECT_EQ(Pages()->Caption(tab).toStdString(), kPropertiesTabCaptions[static_cast<std::size_t>(tab)]);
  }
  auto* groupBox1 = InDialog<QGroupBox>("GroupBox1");
  auto* groupBox2 = InDialog<QGroupBox>("GroupBox2");
  const QWidget* cliff = Pages()->Page(static_cast<int>(Tab::Cliff));
  EXPECT_EQ(groupBox1->parentWidget(), cliff);
  EXPECT_EQ(groupBox2->parentWidget(), cliff);
  EXPECT_EQ(groupBox1->geometry(), QRect(49, 6, 185, 46));
  EXPECT_EQ(groupBox2->geometry(), QRect(49, 54, 185, 77));
  EXPECT_TRUE(groupBox1->title().isEmpty() && groupBox2->title().isEmpty());

  // The design states, as the options start.
  const PropertiesOptions design;
  EXPECT_EQ(window.Core().Options(), design);
  std::set<std::string_view> names;  // one control per choice
  for (const OptionControlInfo& info : OptionControls()) {
    const std::string_view name = app::ObjectNameOf(info.id);
    EXPECT_TRUE(names.insert(name).second) << name;
    QAbstractButton* button = Option(info.id);
    const QWidget* parent = info.place == OptionPlace::CliffBox       ? groupBox1
                            : info.place == OptionPlace::CliffEdgeBox ? groupBox2
                                                                      : Pages()->Page(static_cast<int>(info.tab));
    EXPECT_EQ(button->parentWidget(), parent) << name;
    // At its place; wider only where the caption needs it.
    const QRect place = RectOf(info.bounds);
    EXPECT_EQ(button->pos(), place.topLeft()) << name;
    EXPECT_EQ(button->height(), place.height()) << name;
    EXPECT_EQ(button->width(), std::max(place.width(), button->sizeHint().width())) << name;
    EXPECT_EQ(button->text().toStdString(), info.caption);
    EXPECT_EQ(qobject_cast<QRadioButton*>(button) != nullptr, info.kind == OptionKind::OneOfPlace) << name;
    EXPECT_EQ(button->isChecked(), ControlOf(design, info.id).checked) << name;
    EXPECT_EQ(button->isEnabled(), ControlOf(design, info.id).enabled) << name;
  }
  // Spot checks against the table of the dialog, in case a row moves.
  EXPECT_EQ(Option(RocketStart)->text(), "Start Rocket Launcher Attack");
  EXPECT_EQ(Option(CliffEdgeDouble)->pos(), QPoint(72, 40));
  EXPECT_FALSE(Option(CliffEdgeRegular)->isEnabled());
  EXPECT_TRUE(Option(CliffEdgeRegular)->isChecked());
}

TEST_F(PropertiesWindowTest, ShownWithItsTabsOnWipeTheFirstTime) {
  LoadDemoInBoth();
  ShowInBoth();
  ExpectSameProperties();
  EXPECT_TRUE(Dialog()->isVisible());
  EXPECT_TRUE(Pages()->isVisible());
  EXPECT_EQ(Pages()->Current(), static_cast<int>(Tab::Wipe));
  // Every caption reads whole, in rows above the pages, the current tab's
  // row next to them.
  for (int tab = 0; tab < Pages()->Count(); ++tab) {
    const QRect rect = Pages()->TabRect(tab);
    EXPECT_GE(rect.width(), Pages()->fontMetrics().horizontalAdvance(Pages()->Caption(tab))) << tab;
    EXPECT_TRUE(Pages()->rect().contains(rect)) << tab;
    EXPECT_LE(rect.bottom(), Pages()->PaneRect().top()) << tab;
  }
  EXPECT_EQ(Pages()->TabRect(static_cast<int>(Tab::Wipe)).bottom() + 1, Pages()->PaneRect().top());
  EXPECT_EQ(Pages()->Page(static_cast<int>(Tab::Wipe))->isVisible(), true);

  // Ctrl+Tab steps round to the first page, Ctrl+Shift+Tab back.
  Option(WipeCurrentLevel)->setFocus();
  QTest::keyClick(Option(WipeCurrentLevel), Qt::Key_Tab, Qt::ControlModifier);
  direct.ChooseTab(Tab::Hut);
  ExpectSameProperties();
  EXPECT_EQ(Pages()->TabRect(static_cast<int>(Tab::Hut)).bottom() + 1, Pages()->PaneRect().top());
  QTest::keyClick(Option(HutSmall), Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
  direct.ChooseTab(Tab::Wipe);
  ExpectSameProperties();
}

// A run of gestures over every tab, each followed by the same Editor call
// made directly and a comparison.
using Gesture = std::variant<Tab, OptionId>;

TEST_F(PropertiesWindowTest, ClicksOnEveryTabChangeTheOptionsAsTheEditorCallsDo) {
  LoadDemoInBoth();
  ShowInBoth();
  const Gesture gestures[] = {
      {Tab::Hut},
      {HutLarge},
      {HutLarge},
      {HutSmall},
      {HutLarge},
      {Tab::Cliff},
      {CliffEdgeRegular},
      {CliffMirrored},
      {CliffEdgeChosen},
      {CliffEdgeMirrored},
      {CliffEdgeDouble},
      {CliffEdgeJumpingSoldiers},
      {CliffEdgeJumpingSoldiers},
      {CliffRegular},
      {CliffChosen},
      {CliffMirrored},
      {Tab::Cave},
      {CaveBottom},
      {CaveSpace},
      {CaveTop},
      {CaveSpace},
      {CaveMain},
      {Tab::Alarm},
      {AlarmOff},
      {Tab::Bridge},
      {BridgeMotorbike},
      {Tab::Rocket},
      {RocketFinish},
      {RocketStart},
      {RocketFinish},
      {Tab::LogCrossing},
      {LogCrossingRight},
      {Tab::Road},
      {RoadTopEdging},
      {RoadMarking},
      {RoadBottomEdging},
      {Tab::Fortress},
      {FortressSoldiersOnWalls},
      {Tab::Wipe},
      {WipeAllAfterCurrentLevel},
      {WipeCurrentLevel},
      {Tab::Hut},
  };
  for (const Gesture& gesture : gestures) {
    if (const Tab* tab = std::get_if<Tab>(&gesture)) {
      SCOPED_TRACE(CaptionOf(*tab));
      ClickTab(*tab);
      ExpectSameProperties();
    } else {
      const OptionId id = std::get<OptionId>(gesture);
      SCOPED_TRACE(app::ObjectNameOf(id));
      Click(id);
      ExpectSameProperties();
    }
  }
  // The clicks above leave every tab away from its design state.
  const PropertiesOptions& options = window.Core().Options();
  EXPECT_TRUE(options.hut.large.checked);
  EXPECT_TRUE(options.cliff.chosen.checked && options.cliff.mirrored.checked && !options.cliffEdge.chosen.checked);
  EXPECT_TRUE(options.cliffEdge.doubled.checked && !options.cliffEdge.doubled.enabled);
  EXPECT_TRUE(options.cave.main.checked && options.cave.space.enabled && !options.cave.space.checked);
  EXPECT_TRUE(options.alarm.off.checked && !options.bridge.motorbike.checked && options.rocket.finish.checked);
  EXPECT_TRUE(options.logCrossing.right.checked && options.road.bottomEdging.checked &&
              options.fortress.soldiersOnWalls.checked);
  EXPECT_EQ(TagOfTab(Tab::Cliff, options), 15);
  EXPECT_EQ(TagOfTab(Tab::Cave, options), 31);
}

TEST_F(PropertiesWindowTest, DoubleClickIsTwoClicks) {
  ShowInBoth();
  for (const auto& [tab, id] :
       {std::pair{Tab::Fortress, FortressSoldiersOnWalls}, std::pair{Tab::Cliff, CliffEdgeChosen}}) {
    ClickTab(tab);
    // What the window system delivers for a double click.
    QAbstractButton* box = Option(id);
    const QPoint at = OnIndicator(box);
    QTest::mouseClick(box, Qt::LeftButton, {}, at);
    QTest::mousePress(box, Qt::LeftButton, {}, at);
    QMouseEvent second(QEvent::MouseButtonDblClick, at, box->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton, {});
    QApplication::sendEvent(box, &second);
    QTest::mouseRelease(box, Qt::LeftButton, {}, at);
    direct.ClickOption(id);
    direct.ClickOption(id);
    ExpectSameProperties();
  }
  EXPECT_TRUE(Option(CliffEdgeChosen)->isChecked());
  EXPECT_FALSE(Option(CliffChosen)->isChecked());
}

TEST_F(PropertiesWindowTest, TopThenMainLeavesSpaceEnabledButUnchecked) {
  ShowInBoth();
  ClickTab(Tab::Cave);
  Click(CaveTop);
  ExpectSameProperties();
  EXPECT_FALSE(Option(CaveSpace)->isEnabled());
  EXPECT_FALSE(Option(CaveSpace)->isChecked());
  // A click on the disabled box does nothing.
  QTest::mouseClick(Option(CaveSpace), Qt::LeftButton, {}, OnIndicator(Option(CaveSpace)));
  Click(CaveMain);
  ExpectSameProperties();
  EXPECT_TRUE(Option(CaveSpace)->isEnabled());
  EXPECT_FALSE(Option(CaveSpace)->isChecked());
  EXPECT_EQ(TagOfTab(Tab::Cave, window.Core().Options()), 31);
}

// Releases over the cliff boxes that are not clicks: another button, or a
// left press that began elsewhere on the box and ended away from it.
TEST_F(PropertiesWindowTest, CliffBoxesFollowTheReleaseRules) {
  ShowInBoth();
  ClickTab(Tab::Cliff);
  QAbstractButton* cliff = Option(CliffChosen);
  QAbstractButton* edge = Option(CliffEdgeChosen);

  // A right press and release over "Cliff Edge": the rule without a toggle.
  QTest::mousePress(edge, Qt::RightButton, {}, OnIndicator(edge));
  QTest::mouseRelease(edge, Qt::RightButton, {}, OnIndicator(edge));
  direct.ReleaseMouseOverOption(CliffEdgeChosen);
  ExpectSameProperties();
  EXPECT_TRUE(edge->isChecked());
  EXPECT_FALSE(cliff->isChecked());
  EXPECT_TRUE(Option(CliffEdgeJumpingSoldiers)->isEnabled());
  EXPECT_FALSE(Option(CliffRegular)->isEnabled());

  // A click on the checked "Cliff Edge" toggles it off, then the release
  // checks it again: a click always leaves the clicked box checked.
  Click(CliffEdgeChosen);
  ExpectSameProperties();
  EXPECT_TRUE(edge->isChecked());

  // A left press on "Cliff" released away from the box does nothing.
  QTest::mousePress(cliff, Qt::LeftButton, {}, OnIndicator(cliff));
  QTest::mouseRelease(cliff, Qt::LeftButton, {}, QPoint(cliff->width() + 40, cliff->height() + 40));
  ExpectSameProperties();
  EXPECT_FALSE(cliff->isChecked());

  // A middle-button release over "Cliff" chooses it.
  QTest::mousePress(cliff, Qt::MiddleButton, {}, OnIndicator(cliff));
  QTest::mouseRelease(cliff, Qt::MiddleButton, {}, OnIndicator(cliff));
  direct.ReleaseMouseOverOption(CliffChosen);
  ExpectSameProperties();
  EXPECT_TRUE(cliff->isChecked());
  EXPECT_FALSE(edge->isChecked());
  EXPECT_FALSE(Option(CliffEdgeJumpingSoldiers)->isEnabled());
}

TEST_F(PropertiesWindowTest, KeyboardTogglesOnlyTheFocusedBox) {
  ShowInBoth();
  ClickTab(Tab::Cliff);
  const auto space = [&](OptionId id, bool fromKeyboardOnly) {
    Option(id)->setFocus();
    QTest::keyClick(Option(id), Qt::Key_Space);
    if (fromKeyboardOnly) {
      direct.ToggleOptionFromKeyboard(id);
    } else {
      direct.ClickOption(id);
    }
    ExpectSameProperties();
  };
  // "Cliff Edge" checked from the keyboard: no rule, so "Cliff" stays
  // checked and the second box's options stay disabled.
  space(CliffEdgeChosen, true);
  EXPECT_TRUE(Option(CliffEdgeChosen)->isChecked());
  EXPECT_TRUE(Option(CliffChosen)->isChecked());
  EXPECT_FALSE(Option(CliffEdgeJumpingSoldiers)->isEnabled());
  space(CliffChosen, true);
  EXPECT_FALSE(Option(CliffChosen)->isChecked());
  EXPECT_TRUE(Option(CliffRegular)->isEnabled());
  // Space on a radio button clicks it.
  space(CliffMirrored, false);
  EXPECT_TRUE(Option(CliffMirrored)->isChecked());
  EXPECT_FALSE(Option(CliffRegular)->isChecked());
  ClickTab(Tab::Cave);
  space(CaveTop, false);
  EXPECT_FALSE(Option(CaveSpace)->isEnabled());
  ClickTab(Tab::Bridge);
  space(BridgeMotorbike, true);
  EXPECT_FALSE(Option(BridgeMotorbike)->isChecked());
}

TEST_F(PropertiesWindowTest, WipeRadiosEnableWipeLevelsAsTheModelSays) {
  LoadDemoInBoth();
  auto* chooser = Find<QComboBox>("ComboBox1");
  chooser->setFocus();
  QTest::keyClick(chooser, Qt::Key_End);  // the last level
  direct.ChooseLevel(chooser->count() - 1);
  ShowInBoth();
  auto* wipe = Find<QPushButton>("Button1");
  EXPECT_TRUE(wipe->isEnabled());
  Click(WipeAllAfterCurrentLevel);
  ExpectSameProperties();
  EXPECT_FALSE(wipe->isEnabled());
  EXPECT_FALSE(window.Core().View().wipeButtonEnabled);
  Click(WipeCurrentLevel);
  ExpectSameProperties();
  EXPECT_TRUE(wipe->isEnabled());

  // With a level after the current one, "ALL after current Level" leaves
  // the button enabled.
  QTest::keyClick(chooser, Qt::Key_Home);
  direct.ChooseLevel(0);
  Click(WipeAllAfterCurrentLevel);
  ExpectSameProperties();
  EXPECT_TRUE(wipe->isEnabled());
}

TEST_F(PropertiesWindowTest, CloseHidesAndKeepsEverythingForTheNextShowing) {
  LoadDemoInBoth();
  ShowInBoth();
  ClickTab(Tab::Road);
  Click(RoadTopEdging);
  QTest::mouseClick(InDialog<QPushButton>("CloseButton"), Qt::LeftButton);
  direct.CloseProperties();
  ExpectSameProperties();
  EXPECT_FALSE(Dialog()->isVisible());

  ShowInBoth();
  ExpectSameProperties();
  EXPECT_EQ(Pages()->Current(), static_cast<int>(Tab::Road));
  EXPECT_TRUE(Option(RoadTopEdging)->isChecked());

  // The window's close box does as "Close" does.
  ClickTab(Tab::Fortress);
  Dialog()->close();
  direct.CloseProperties();
  ExpectSameProperties();
  ShowInBoth();
  ExpectSameProperties();
  EXPECT_EQ(Pages()->Current(), static_cast<int>(Tab::Fortress));
}

}  // namespace
}  // namespace kestrova::testing
