// Frames, which hold controls, and the tab strip laid under them.
#pragma once

#include <string>
#include <vector>

#include "platform/ui/control.h"

class QGroupBox;
class QTabBar;

namespace qor::ui {

// A captioned group box. Controls put in it with `.in(frame)` count their twips from its
// top-left corner, and hide and move with it. Click: the user clicked the frame itself.
class Frame : public ControlOf<Frame>, public Container {
  public:
    Frame(ControlKey, Form& form, std::string name);

    QWidget* inside() const override;
    std::string Caption() const;
    // "&&" shows one "&"; a single "&" marks the access key, as on the classic frame.
    Frame& setCaption(const std::string& caption);

    QOR_UI_EVENT(Frame, onClick, click_)

  private:
    QGroupBox* box() const;
    Event<> click_;
};

// A row of tabs over a panel; tabs are numbered from 1, as the classic strip numbered them. It
// holds no controls: frames laid over it show the chosen tab's page. Click: the user chose a
// tab; choosing one from code raises nothing.
class TabStrip : public ControlOf<TabStrip> {
  public:
    TabStrip(ControlKey, Form& form, std::string name);

    int TabCount() const;
    // Adds or drops tabs at the end until there are `count`.
    TabStrip& setTabCount(int count);
    // "" for a tab the strip lacks.
    std::string TabCaption(int tab) const;
    TabStrip& setTabCaption(int tab, const std::string& caption);
    // The chosen tab, 1 to TabCount (0 with no tabs).
    int SelectedIndex() const;
    TabStrip& setSelectedIndex(int tab);

    QOR_UI_EVENT(TabStrip, onClick, click_)

  private:
    QTabBar* bar() const;
    Event<> click_;
};

}  // namespace qor::ui
