#pragma once

#include <QFont>
#include <QWidget>

namespace kestrova::app {

// The frame both windows have: a fixed border with the system menu and the
// minimise box only.
inline constexpr Qt::WindowFlags kFixedBorderWindow = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                                      Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                                                      Qt::WindowCloseButtonHint;

// The font both windows are designed in: "MS Sans Serif" with a character
// height of 11 pixels, or the nearest face this system has.
inline QFont DesignFont() {
  QFont font;
  font.setFamilies({"MS Sans Serif", "Microsoft Sans Serif", "Liberation Sans", "Arial"});
  font.setPixelSize(11);
  return font;
}

// Shows or hides a control only when that changes it, so a sync after every
// gesture costs nothing where nothing changed.
inline void SetShown(QWidget* widget, bool shown) {
  if (widget->isVisibleTo(widget->parentWidget()) != shown) widget->setVisible(shown);
}

}  // namespace kestrova::app
