#include "app/tooltips.h"

#include <array>
#include <string_view>

#include "app/option_object_names.h"
#include "edit/properties_tabs.h"
#include "qtio/qt_strings.h"

namespace kestrova::app {

namespace {

struct Tooltip {
  std::string_view objectName;
  const char* text;
};

constexpr std::array kMainWindowTooltips = {
    Tooltip{"Image1", "Load a snapshot of the game with \"File\" > \"Load Snapshot\" (Ctrl+J), or drop one here."},
    Tooltip{"ComboBox1", "The level shown on the map."},
    Tooltip{"UpDown1", "Changes the fortress byte (0 to 15)."},
    Tooltip{"UpDown1Up", "Raises the fortress byte (up to 15)."},
    Tooltip{"UpDown1Down", "Lowers the fortress byte (down to 0)."},
    Tooltip{"Label1", "How many bytes of the level area are still free."},
    Tooltip{"CheckBox1", "Shows the land space each record takes on the map."},
    Tooltip{"Button1",
            "Wipes the level shown, or every level after it, as \"Properties\" > \"Wipe\" says. "
            "Ctrl+Z brings it back."},
    Tooltip{"ScrollBox1", "The objects: drag one onto the map to put it in; right-click for \"Properties\"."},
    Tooltip{"FastIMG3", "The objects: drag one onto the map to put it in; right-click for \"Properties\"."},
    Tooltip{"FastIMG4", "The object on its way to the map: release the button over the map to put it there."},
    Tooltip{"FastIMG1",
            "The level. Rest the pointer on an object to name it; drag it to move it; right-click "
            "for its menu, or on bare ground to insert."},
    Tooltip{"MapArea", "The level, as many screens of it as fit; Ctrl+wheel or Ctrl+= and Ctrl+- zoom."},
    Tooltip{"ScrollBar1", "Scrolls through the level; the mouse wheel over the map does too."},
    Tooltip{"FastIMG2", "The whole level in small: click to show that part on the map."},
    Tooltip{"StatusBar1", "What is under the pointer, and what the last command did."},
    Tooltip{"SelectionStatus", "How many objects are selected, and their bytes."},
    Tooltip{"SelectionOutline",
            "The selected objects: Ctrl+click adds or removes one, Shift+drag adds those under the band, "
            "Ctrl+A all, Escape none."},
};

constexpr std::array kPropertiesTooltips = {
    Tooltip{"CloseButton", "Closes \"Properties\"; the choices stay."},
    Tooltip{kCliffBoxObjectName, "The cliff's side: regular or mirrored."},
    Tooltip{kCliffEdgeBoxObjectName, "The cliff edge's form, and whether soldiers jump from it."},
    Tooltip{"PageControl1", "The variant each palette picture drops, and what \"Wipe Level(s)\" wipes."},
};

void Give(QWidget& root, std::string_view name, const QString& text) {
  if (auto* widget = root.findChild<QWidget*>(Q(name))) widget->setToolTip(text);
}

QString OptionTooltip(const OptionControlInfo& info) {
  if (info.tab == PropertiesTab::Wipe) return Q(info.caption) + ": what \"Wipe Level(s)\" wipes.";
  return Q(info.caption) + ": the " + Q(CaptionOf(info.tab)) + " variant the palette's picture drops.";
}

}  // namespace

void GiveTooltips(QWidget& mainWindow, QWidget& properties) {
  for (const Tooltip& tip : kMainWindowTooltips) Give(mainWindow, tip.objectName, tip.text);
  for (const Tooltip& tip : kPropertiesTooltips) Give(properties, tip.objectName, tip.text);
  for (const OptionControlInfo& info : OptionControls()) Give(properties, ObjectNameOf(info.id), OptionTooltip(info));
}

}  // namespace kestrova::app
